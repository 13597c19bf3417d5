// The box panel right of the view and the attribute panel below it.
#pragma once

#include <cstdint>

#include "chardata/field_ranges.h"
#include "chardata/pattern_table.h"
#include "display/font.h"
#include "motion/pattern_names.h"

namespace boxedit {

// The field cursor as the panels draw it: a "+" before the field, and the value being typed, if
// any, in place of the field's value.
struct FieldMark {
  Field field;
  const char* entry = nullptr;
};

// A corner field marks the selected box's coordinate.
void DrawBoxPanel(const Font& font, const MotionList& list, int32_t currentPattern,
                  int32_t selectedBox, const FieldMark* mark = nullptr);
void DrawAttributePanel(const Font& font, const MotionList& list, int32_t currentPattern,
                        const FieldMark* mark = nullptr);

}  // namespace boxedit
