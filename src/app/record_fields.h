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
  void (*set)(PatternRecord&, int64_t);
};
extern const std::array<NamedAttribute, 17> kNamedAttributes;

struct NamedBox {
  const char* group;  // "defense" or "attack"
  int index;
  std::array<Box, kBoxesPerGroup> PatternRecord::*boxes;

  const Box& of(const PatternRecord& r) const { return (r.*boxes)[index]; }
  Box& of(PatternRecord& r) const { return (r.*boxes)[index]; }
};
extern const std::array<NamedBox, 3> kNamedBoxes;

struct NamedCoordinate {
  const char* name;  // "x1", "y1", "x2", "y2"
  int32_t Box::*field;
};
extern const std::array<NamedCoordinate, 4> kNamedCoordinates;

}  // namespace boxedit
