// The fields of a pattern record by the names other tools know them: the attributes in the order
// the file holds them, in lower case, and the three boxes the editor edits.
#pragma once

#include <array>
#include <cstdint>

#include "chardata/pattern_table.h"

namespace boxedit {

struct NamedAttribute {
  const char* name;  // "to", "speed", ..., "hit_i", "flags"
  int64_t (*get)(const PatternRecord&);
};
extern const std::array<NamedAttribute, 17> kNamedAttributes;

struct NamedBox {
  const char* group;  // "defense" or "attack"
  int index;
  const Box& (*of)(const PatternRecord&);
};
extern const std::array<NamedBox, 3> kNamedBoxes;

struct NamedCoordinate {
  const char* name;  // "x1", "y1", "x2", "y2"
  int32_t Box::*field;
};
extern const std::array<NamedCoordinate, 4> kNamedCoordinates;

}  // namespace boxedit
