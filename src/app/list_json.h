// The pattern list as a JSON document for other tools (schema/motion-list.schema.json), and
// back. The document holds exactly what the save writes, so that reading it back and saving
// gives the bytes a save of the list itself gives.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "chardata/list_writer.h"
#include "chardata/pattern_table.h"

namespace boxedit {

inline constexpr int kListDocumentVersion = 1;

// The header and every non-empty slot up to lastPattern. Words (header words, comments) are
// byte strings: each byte is written as the character of the same number (U+0000..U+00FF), so
// that any byte passes through unchanged.
nlohmann::ordered_json ListToJson(const MotionList& list, const ListHeader& header);

// Fills the list (its slots reset first, lastPattern the highest index given) and the header
// from a document. False when the document does not fit the schema or holds a value that the
// list file cannot hold; *problems then names each one by its slot and its JSON Pointer
// ("pattern 251 (/patterns/3/attack/0/x1): 300 is outside -255..255").
bool ListFromJson(const nlohmann::json& document, MotionList* list, ListHeader* header,
                  std::vector<std::string>* problems);

}  // namespace boxedit
