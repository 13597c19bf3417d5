// The box panel right of the view and the attribute panel below it.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"
#include "display/font.h"
#include "motion/pattern_names.h"

namespace boxedit {

void DrawBoxPanel(const Font& font, const MotionList& list, int32_t currentPattern,
                  int32_t selectedBox);
void DrawAttributePanel(const Font& font, const MotionList& list, int32_t currentPattern);

}  // namespace boxedit
