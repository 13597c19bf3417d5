// Colour to pixel conversion in the 5-6-5 and 5-5-5 layouts, with nothing clamped or masked.
#include "display/pixel_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace boxedit {
namespace {

TEST(PixelLayout, RgbToPixelAndPixel555ToLayout_PackInEitherLayout) {
  // Low bits that do not fit are dropped, -1 stays -1, and 256 carries past its field.
  const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t> rgb[] = {
      {255, 255, 255, 0xFFFF, 0x7FFF}, {0, 63, 0, 0x01E0, 0x00E0}, {255, 0, 0, 0xF800, 0x7C00},
      {256, 0, 256, 0x10020, 0x8020},  {-1, -1, -1, -1, -1},       {7, 3, 7, 0, 0}};
  for (const auto& [red, green, blue, in565, in555] : rgb) {
    EXPECT_EQ(RgbToPixel(true, red, green, blue), in565) << in565;
    EXPECT_EQ(RgbToPixel(false, red, green, blue), in555) << in565;
  }
  // 5-5-5 pixels: green fills the top of a six-bit field, and bit 15 is no colour.
  const std::tuple<int32_t, int32_t, int32_t> from555[] = {
      {0x7FFF, 0xFFDF, 0x7FFF}, {0x0020, 0x0040, 0x0020}, {0x8000, 0, 0}, {0x7C1F, 0xF81F, 0x7C1F}};
  for (const auto& [pixel, in565, in555] : from555) {
    EXPECT_EQ(Pixel555ToLayout(true, pixel), in565) << pixel;
    EXPECT_EQ(Pixel555ToLayout(false, pixel), in555) << pixel;
  }
}

}  // namespace
}  // namespace boxedit
