// The two 16-bit pixel layouts of the screen and the conversions of colours into them.
#pragma once

#include <cstdint>

#include "base/colour.h"

namespace boxedit {

// A 16-bit layout as data: where each channel sits and how many bits it has.
struct PixelLayout {
  int redShift, redBits;
  int greenShift, greenBits;
  int blueShift, blueBits;
};

inline constexpr PixelLayout kLayout565{11, 5, 5, 6, 0, 5};
inline constexpr PixelLayout kLayout555{10, 5, 5, 5, 0, 5};

inline constexpr const PixelLayout& LayoutOf(bool is565) {
  return is565 ? kLayout565 : kLayout555;
}

// Packs 8-bit components into a pixel of the layout with arithmetic shifts only: nothing is
// clamped or masked, so a negative component gives a negative result (read as "no colour key").
int32_t RgbToPixel(bool is565, int32_t red, int32_t green, int32_t blue);

// Converts a 5-5-5 pixel (bit 15 ignored) into the layout.
int32_t Pixel555ToLayout(bool is565, int32_t pixel);

// Expands a pixel of the layout back to 8-bit components (for presenting and screenshots).
Rgb PixelToRgb(const PixelLayout& layout, uint16_t pixel);

}  // namespace boxedit
