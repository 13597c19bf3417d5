#!/usr/bin/env python3
"""Checks JSON documents against a JSON Schema (draft 2020-12): validate_json.py SCHEMA DOC...

Exits 1 naming each problem, 0 when every document fits."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
problems = 0
for path in sys.argv[2:]:
    for error in validator.iter_errors(json.load(open(path, encoding="utf-8"))):
        print(f"{path} ({error.json_path}): {error.message}", file=sys.stderr)
        problems += 1
sys.exit(1 if problems else 0)
