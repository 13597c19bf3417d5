#include "view/onion_skin.h"

#include <algorithm>

#include "base/screen_layout.h"
#include "view/box_overlay.h"

namespace boxedit {

namespace {

// The pixels of a horizontal or vertical line from (x1, y1) to (x2, y2), end pixel excluded as
// in DrawLine, that lie on the screen and whose x + y is even.
void DottedLine(DrawContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, ColourRef colour) {
  const int32_t dx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
  const int32_t dy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
  const int64_t length = std::max<int64_t>(std::abs(int64_t{x2} - x1), std::abs(int64_t{y2} - y1));
  for (int64_t i = 0; i < length; ++i) {
    const int64_t x = x1 + dx * i, y = y1 + dy * i;
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight || (x + y) % 2 != 0) continue;
    dc.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
  }
}

// The outline of DrawRectOutline, dotted.
void DottedBox(DrawContext& dc, const Box& box, Rgb colour) {
  if (box.x1 == box.x2 || box.y1 == box.y2) return;
  const int32_t x1 = box.x1 + kViewOriginX, x2 = box.x2 + kViewOriginX;
  const int32_t y1 = kViewOriginY - box.y1, y2 = kViewOriginY - box.y2;
  const ColourRef c = Rgb24(colour.red >> 1, colour.green >> 1, colour.blue >> 1);
  DottedLine(dc, x1, y1, x2, y1, c);
  DottedLine(dc, x1, y2, x2, y2, c);
  DottedLine(dc, x1, y1, x1, y2, c);
  DottedLine(dc, x2, y1, x2, y2, c);
}

}  // namespace

void DrawOnionSkin(Display& display, const MotionList& list, int32_t pattern) {
  if (pattern < 0 || pattern >= kPatternCount) return;
  std::optional<DrawContext> dc = GetDC(display);
  if (!dc) return;
  const PatternRecord& record = list.patterns[pattern];
  const BoxColours colours = ColoursForCirco(record.circo);
  DottedBox(*dc, record.defense[0], colours.defense);
  DottedBox(*dc, record.defense[1], colours.defense);
  DottedBox(*dc, record.attack[0], colours.attack);
}

}  // namespace boxedit
