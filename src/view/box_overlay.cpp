#include "view/box_overlay.h"

#include <algorithm>

namespace boxedit {

namespace {

// Box corners can hold any 32-bit value. Screen positions are worked out in 64 bits and then
// held within this range before they reach the line drawing: the outlines are horizontal and
// vertical lines, so holding a coordinate that lies far off the screen changes no pixel of the
// screen, and no line is ever billions of pixels long.
constexpr int64_t kFarOffScreen = 1 << 20;

int32_t HoldNearScreen(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, -kFarOffScreen, kFarOffScreen));
}

ColourRef PenColour(int32_t red, int32_t green, int32_t blue) {
  // red + 256 * green + 65536 * blue, in unsigned arithmetic so no value can overflow.
  return static_cast<ColourRef>(red) + 256u * static_cast<ColourRef>(green) +
         65536u * static_cast<ColourRef>(blue);
}

// The box `box` of one group of `pattern`, or null when either number is outside its table.
const Box* FindBox(const MotionList& list, int32_t pattern, int box, bool attack) {
  if (pattern < 0 || pattern >= kPatternCount) return nullptr;
  if (box < 0 || box >= kBoxesPerGroup) return nullptr;
  const PatternRecord& record = list.patterns[pattern];
  return attack ? &record.attack[box] : &record.defense[box];
}

void DrawBox(Display& display, const Box* box, int32_t red, int32_t green, int32_t blue) {
  if (box == nullptr) return;
  std::optional<DrawContext> dc = GetDC(display);
  if (!dc) return;  // no device context, nothing drawn
  const ColourRef previous = dc->SelectPen(PenColour(red, green, blue));

  const int64_t sx1 = int64_t{kViewOriginX} + box->x1;
  const int64_t sx2 = int64_t{kViewOriginX} + box->x2;
  const int64_t sy1 = int64_t{kViewOriginY} - box->y1;
  const int64_t sy2 = int64_t{kViewOriginY} - box->y2;
  // A box of zero width or height, the never-set all-zero box among them, is not drawn.
  if (sx1 != sx2 && sy1 != sy2) {
    DrawRectOutline(*dc, HoldNearScreen(sx1), HoldNearScreen(sy1), HoldNearScreen(sx2),
                    HoldNearScreen(sy2));
  }
  dc->SelectPen(previous);
}

}  // namespace

void DrawLine(DrawContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  dc.MoveToEx(x1, y1);
  dc.LineTo(x2, y2);
}

void DrawRectOutline(DrawContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  // Each line leaves out its end pixel, so the corner (x2, y2) stays undrawn.
  DrawLine(dc, x1, y1, x2, y1);
  DrawLine(dc, x1, y2, x2, y2);
  DrawLine(dc, x1, y1, x1, y2);
  DrawLine(dc, x2, y1, x2, y2);
}

void DrawViewBorder(Display& display) {
  std::optional<DrawContext> dc = GetDC(display);
  if (!dc) return;
  const ColourRef previous = dc->SelectPen(Rgb24(255, 255, 255));
  DrawRectOutline(*dc, 0, 0, kViewBorderRight, kViewBorderBottom);
  DrawLine(*dc, kViewOriginX, 0, kViewOriginX, kViewBorderBottom);  // the character's axis
  dc->SelectPen(previous);
}

void DrawDefenseBox(Display& display, const MotionList& list, int32_t pattern, int box, int32_t red,
                    int32_t green, int32_t blue) {
  DrawBox(display, FindBox(list, pattern, box, /*attack=*/false), red, green, blue);
}

void DrawAttackBox(Display& display, const MotionList& list, int32_t pattern, int box, int32_t red,
                   int32_t green, int32_t blue) {
  DrawBox(display, FindBox(list, pattern, box, /*attack=*/true), red, green, blue);
}

BoxColours ColoursForCirco(int32_t circo) {
  if (circo == 44 || circo == 46 || circo == 53) {
    return {Rgb{0, 255, 0}, Rgb{255, 0, 255}};
  }
  return {Rgb{0, 0, 255}, Rgb{255, 0, 0}};
}

}  // namespace boxedit
