#include "display/pixel_layout.h"

namespace boxedit {

int32_t RgbToPixel(bool is565, int32_t red, int32_t green, int32_t blue) {
  const PixelLayout& l = LayoutOf(is565);
  return ((red >> (8 - l.redBits)) << l.redShift) | ((green >> (8 - l.greenBits)) << l.greenShift) |
         ((blue >> (8 - l.blueBits)) << l.blueShift);
}

int32_t Pixel555ToLayout(bool is565, int32_t pixel) {
  const int32_t r = (pixel >> 10) & 31, g = (pixel >> 5) & 31, b = pixel & 31;
  const PixelLayout& l = LayoutOf(is565);
  // A 5-bit green fills the top five bits of a wider green field; its low bits stay 0.
  return (r << l.redShift) | (g << (l.greenShift + l.greenBits - 5)) | (b << l.blueShift);
}

Rgb PixelToRgb(const PixelLayout& layout, uint16_t pixel) {
  auto expand = [pixel](int shift, int bits) {
    const uint32_t v = (pixel >> shift) & ((1u << bits) - 1);
    return static_cast<uint8_t>((v << (8 - bits)) | (v >> (2 * bits - 8)));
  };
  return {expand(layout.redShift, layout.redBits), expand(layout.greenShift, layout.greenBits),
          expand(layout.blueShift, layout.blueBits)};
}

}  // namespace boxedit
