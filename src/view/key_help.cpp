#include "view/key_help.h"

#include <string>

#include "display/pixel_layout.h"
#include "resources/font_sheet.h"
#include "view/box_overlay.h"

namespace boxedit {

namespace {

constexpr int32_t kLeft = 0, kTop = 0;
constexpr int32_t kMargin = 8;
constexpr int32_t kActionX = kLeft + kMargin + 15 * kGlyphWidth;
constexpr int32_t kRight = kViewBorderRight;

}  // namespace

void DrawKeyHelp(Display& display, const Font& font, std::span<const HelpLine> lines) {
  if (!display.backBuffer) return;
  const int32_t rows = static_cast<int32_t>(lines.size()) + 2;  // the title and a gap
  const int32_t bottom = kTop + 2 * kMargin + rows * kGlyphHeight;
  display.backBuffer->FillRect({kLeft, kTop, kRight + 1, bottom + 1},
                               ColourToPixel(display.backBuffer->Layout(), Rgb24(0, 0, 0)));
  if (std::optional<DrawContext> dc = GetDC(display)) {
    const ColourRef previous = dc->SelectPen(Rgb24(255, 255, 255));
    DrawRectOutline(*dc, kLeft, kTop, kRight, bottom);
    dc->SelectPen(previous);
  }
  int32_t y = kTop + kMargin;
  font.DrawString(kLeft + kMargin, y, "KEYS - ANY KEY CLOSES THIS");
  y += 2 * kGlyphHeight;
  // The texts are drawn from copies, which end where the font expects.
  for (const HelpLine& line : lines) {
    font.DrawString(kLeft + kMargin, y, std::string(line.keys).c_str());
    font.DrawString(kActionX, y, std::string(line.action).c_str());
    y += kGlyphHeight;
  }
}

}  // namespace boxedit
