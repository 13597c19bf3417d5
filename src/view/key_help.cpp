#include "view/key_help.h"

#include "display/pixel_layout.h"
#include "resources/font_sheet.h"
#include "view/box_overlay.h"

namespace boxedit {

namespace {

// Input and what it does; the font has capitals, digits and a few signs only.
constexpr const char* kKeys[][2] = {
    {"UP DOWN", "PREVIOUS, NEXT PATTERN"},
    {"F1 F2 F5", "DEFENSE 0, 1, ATTACK 0"},
    {"LEFT BUTTON", "UPPER-LEFT CORNER"},
    {"RIGHT BUTTON", "LOWER-RIGHT CORNER"},
    {"LEFT RIGHT", "CLEAR THE BOX"},
    {"HOME END", "CLEAR ATTACK BOXES"},
    {"C", "ATTACK 0 TO DEFENSE 1"},
    {"CTRL+C CTRL+V", "COPY, PASTE BOXES"},
    {"CTRL+Z", "UNDO"},
    {"CTRL+Y", "REDO (CTRL+SHIFT+Z)"},
    {"P", "PLAY THE MOTION"},
    {"O", "ONION SKIN"},
    {"S L", "SAVE MOTION2.LST"},
    {"ALT+ENTER", "FULL SCREEN, WINDOW"},
    {"ESC", "CLOSE THE EDITOR"},
    {"F12 H", "THIS HELP"},
};
constexpr int32_t kLeft = 0, kTop = 0;
constexpr int32_t kMargin = 8;
constexpr int32_t kActionX = kLeft + kMargin + 15 * kGlyphWidth;
constexpr int32_t kRows = static_cast<int32_t>(std::size(kKeys)) + 2;  // the title and a gap
constexpr int32_t kRight = kViewBorderRight;
constexpr int32_t kBottom = kTop + 2 * kMargin + kRows * kGlyphHeight;

}  // namespace

void DrawKeyHelp(Display& display, const Font& font) {
  if (!display.backBuffer) return;
  display.backBuffer->FillRect({kLeft, kTop, kRight + 1, kBottom + 1},
                               ColourToPixel(display.backBuffer->Layout(), Rgb24(0, 0, 0)));
  if (std::optional<DrawContext> dc = GetDC(display)) {
    const ColourRef previous = dc->SelectPen(Rgb24(255, 255, 255));
    DrawRectOutline(*dc, kLeft, kTop, kRight, kBottom);
    dc->SelectPen(previous);
  }
  int32_t y = kTop + kMargin;
  font.DrawString(kLeft + kMargin, y, "KEYS - ANY KEY CLOSES THIS");
  y += 2 * kGlyphHeight;
  for (const auto& [key, action] : kKeys) {
    font.DrawString(kLeft + kMargin, y, key);
    font.DrawString(kActionX, y, action);
    y += kGlyphHeight;
  }
}

}  // namespace boxedit
