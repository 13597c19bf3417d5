// Colour to pixel conversion in the 5-6-5 and 5-5-5 layouts, with nothing clamped or masked.
#include "display/pixel_layout.h"

#include <gtest/gtest.h>

namespace boxedit {
namespace {

TEST(PixelLayout, RgbToPixelAndScalePixel_PackInEitherLayout) {
  // Low bits that do not fit are dropped, -1 stays -1, and 256 carries past its field.
  struct Case {
    int32_t pixel, red, green, blue, in565, in555;  // pixel: only for ScalePixel
  };
  const Case rgb[] = {{0, 128, 128, 128, 0x8410, 0x4210},
                      {0, 255, 255, 255, 0xFFFF, 0x7FFF},
                      {0, 0, 63, 0, 0x01E0, 0x00E0},
                      {0, 255, 0, 0, 0xF800, 0x7C00},
                      {0, 256, 0, 256, 0x10020, 0x8020},
                      {0, -1, -1, -1, -1, -1},
                      {0, 7, 3, 7, 0, 0},
                      {0, 0, 0, 0, 0, 0}};
  for (const auto& c : rgb) {
    EXPECT_EQ(RgbToPixel(true, c.red, c.green, c.blue), c.in565) << c.in565;
    EXPECT_EQ(RgbToPixel(false, c.red, c.green, c.blue), c.in555) << c.in565;
  }
  // 5-5-5 pixels scaled by factor / 256: green fills the top of a six-bit field, bit 15 is no
  // colour, and blue scaled to 62 carries into green.
  const Case scaled[] = {
      {0x7FFF, 256, 256, 256, 0xFFDF, 0x7FFF}, {0x7FFF, 128, 128, 128, 0x7BCF, 0x3DEF},
      {0x7FFF, 256, 0, 128, 0xF80F, 0x7C0F},   {0x0020, 256, 256, 256, 0x0040, 0x0020},
      {0x8000, 256, 256, 256, 0, 0},           {0x001F, 0, 0, 512, 62, 62}};
  for (const auto& c : scaled) {
    EXPECT_EQ(ScalePixel(true, c.pixel, c.red, c.green, c.blue), c.in565) << c.in565;
    EXPECT_EQ(ScalePixel(false, c.pixel, c.red, c.green, c.blue), c.in555) << c.in565;
  }
}

}  // namespace
}  // namespace boxedit
