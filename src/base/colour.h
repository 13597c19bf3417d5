// Colours as 8-bit components, and images made of them (screenshots, contact sheets).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace boxedit {

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An 8-bit RGB image, rows top to bottom, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width * height, row by row
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace boxedit
