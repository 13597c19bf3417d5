// The view border with the character's axis, and the pattern's boxes as outlines.
#pragma once

#include <cstdint>

#include "base/screen_layout.h"
#include "chardata/pattern_table.h"
#include "display/display_device.h"
#include "display/draw_context.h"

namespace boxedit {

void DrawLine(DrawContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawRectOutline(DrawContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

void DrawViewBorder(Display& display);
void DrawDefenseBox(Display& display, const MotionList& list, int32_t pattern, int box, int32_t red,
                    int32_t green, int32_t blue);
void DrawAttackBox(Display& display, const MotionList& list, int32_t pattern, int box, int32_t red,
                   int32_t green, int32_t blue);

struct BoxColours {
  Rgb defense, attack;
};
// Green and magenta for circo 44, 46 and 53; blue and red for every other value.
BoxColours ColoursForCirco(int32_t circo);

}  // namespace boxedit
