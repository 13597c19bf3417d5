// The font: the 8x16 font sheet loaded into a Surface, and text drawn with it one cell per
// character onto the display's back buffer.
#pragma once

#include <cstdint>
#include <span>

#include "display/display_device.h"
#include "display/surface.h"

namespace boxedit {

// Fills the surface from the font sheet the program carries inside itself under `name`
// ("NUMBITMAP"); false when the surface was never created or there is no such sheet.
bool LoadBitmapResource(Surface& font, const char* name, int32_t width, int32_t height);
// The same from the bytes of an 8-bit device-independent bitmap (info header, palette, rows
// bottom-up): the top-left width x height pixels are copied, and the sheet's top-left pixel, its
// background, becomes the colour key. False when the bytes are not such a bitmap.
bool LoadBitmapBytes(Surface& font, std::span<const uint8_t> dib, int32_t width, int32_t height);

// Text drawn with a loaded font sheet onto a display, through the sheet's colour key.
class Font {
 public:
  Font(const Surface& sheet, Display& display) : sheet_(sheet), display_(display) {}

  // A signed number right-aligned in a field of digits + 1 cells: the sign cell, then the
  // lowest `digits` digits without leading zeros (the last digit always shows).
  void DrawNumber(int32_t x, int32_t y, int32_t digits, int32_t value) const;
  // `digits` digits, leading zeros included, from the second digit cells of the sheet.
  void DrawDigits(int32_t x, int32_t y, int32_t digits, int32_t value) const;
  // One cell per byte, a space leaving a gap.
  void DrawString(int32_t x, int32_t y, const char* text) const;

 private:
  template <typename Draw>
  void ForEachVisibleCell(int64_t firstX, int32_t digits, Draw draw) const;

  const Surface& sheet_;
  Display& display_;
};

}  // namespace boxedit
