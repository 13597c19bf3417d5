// The box panel right of the view and the attribute panel below it.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"
#include "display/font.h"

namespace boxedit {

// The name of motion m ("STAND", "WIN", ...), "SPECIAL" for motions without a name of their own.
const char* MotionName(int32_t motion);

void DrawBoxPanel(const Font& font, const MotionList& list, int32_t currentPattern,
                  int32_t selectedBox);
void DrawAttributePanel(const Font& font, const MotionList& list, int32_t currentPattern);

}  // namespace boxedit
