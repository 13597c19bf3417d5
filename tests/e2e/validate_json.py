#!/usr/bin/env python3
"""validate_json.py SCHEMA DOC...: exit 0 when each fits the schema (draft 2020-12), else say why."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
errors = [f"{path} ({e.json_path}): {e.message}" for path in sys.argv[2:]
          for e in jsonschema.Draft202012Validator(schema).iter_errors(json.load(open(path, encoding="utf-8")))]
sys.exit("\n".join(errors) or None)
