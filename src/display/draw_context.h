// Line and pixel drawing on a surface with the rules of a Windows device context: solid
// one-pixel pens, MoveToEx/LineTo drawing the start pixel and leaving out the end pixel.
#pragma once

#include <cstdint>

#include "display/surface16.h"

namespace boxedit {

// A colour as the pen and SetPixel calls take it: red + 256 * green + 65536 * blue.
using ColourRef = uint32_t;
inline constexpr ColourRef Rgb24(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<ColourRef>(r) | (static_cast<ColourRef>(g) << 8) |
         (static_cast<ColourRef>(b) << 16);
}

// A colour value as a pixel of `layout`: each 8-bit component keeps its top bits, the same
// packing as RgbToPixel for that layout. Only the low 24 bits of `colour` are read.
uint16_t ColourToPixel(const PixelLayout& layout, ColourRef colour);

class DrawContext {
 public:
  explicit DrawContext(Surface16& target) : target_(target) {}

  // Selects a solid pen of width 1 in `colour`; returns the pen selected before.
  ColourRef SelectPen(ColourRef colour);
  void MoveToEx(int32_t x, int32_t y);
  // Draws from the current position to (x, y), end pixel excluded; (x, y) becomes current.
  void LineTo(int32_t x, int32_t y);
  // Sets one pixel to `colour` converted to the surface's layout.
  void SetPixel(int32_t x, int32_t y, ColourRef colour);

 private:
  void Plot(int32_t x, int32_t y, uint16_t pixel);

  Surface16& target_;
  ColourRef pen_ = 0;  // the stock black pen
  int32_t x_ = 0, y_ = 0;
};

}  // namespace boxedit
