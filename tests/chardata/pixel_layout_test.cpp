// Colour to pixel conversion in the 5-6-5 and 5-5-5 layouts (the key colour of the list header).
#include "display/pixel_layout.h"

#include <gtest/gtest.h>

namespace boxedit {
namespace {

TEST(RgbToPixel, PacksComponentsInEitherLayout) {
  struct Case {
    int32_t red, green, blue, pixel565, pixel555;
  };
  const Case cases[] = {
      {128, 128, 128, 0x8410, 0x4210},
      {255, 255, 255, 0xFFFF, 0x7FFF},
      {0, 63, 0, 0x01E0, 0x00E0},
      {0, 0, 0, 0, 0},
      {255, 0, 0, 0xF800, 0x7C00},
      {0, 0, 255, 0x001F, 0x001F},
      {7, 3, 7, 0, 0},  // the low bits that do not fit are dropped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RgbToPixel(true, c.red, c.green, c.blue), c.pixel565) << c.red;
    EXPECT_EQ(RgbToPixel(false, c.red, c.green, c.blue), c.pixel555) << c.red;
  }
}

TEST(RgbToPixel, NegativeComponents_GiveNegativeResult) {
  EXPECT_EQ(RgbToPixel(true, -1, -1, -1), -1);
  EXPECT_EQ(RgbToPixel(false, -1, -1, -1), -1);
  EXPECT_LT(RgbToPixel(true, 0, 0, -8), 0);
}

TEST(RgbToPixel, ComponentsAbove255_AreNotMasked) {
  // 256 >> 3 = 32 carries into the bit above red.
  EXPECT_EQ(RgbToPixel(false, 256, 0, 0), 0x8000);
  EXPECT_EQ(RgbToPixel(true, 0, 0, 256), 0x0020);
}

TEST(ScalePixel, ConvertsAndScales555Input) {
  EXPECT_EQ(ScalePixel(false, 0x7FFF, 256, 256, 256), 0x7FFF);
  EXPECT_EQ(ScalePixel(true, 0x7FFF, 256, 256, 256), 0xFFDF);
  EXPECT_EQ(ScalePixel(false, 0x7FFF, 128, 128, 128), 0x3DEF);
  // Green 5-bit 1 fills the top of the six-bit field: bit 6, its lowest bit stays 0.
  EXPECT_EQ(ScalePixel(true, 0x0020, 256, 256, 256), 0x0040);
  // Bit 15 of the input is no colour and is dropped.
  EXPECT_EQ(ScalePixel(false, 0x8000, 256, 256, 256), 0);
}

TEST(ScalePixel, FactorsAbove256_CarryIntoNeighbour) {
  // Blue 31 * 512 / 256 = 62 spills into green's lowest bit.
  EXPECT_EQ(ScalePixel(false, 0x001F, 0, 0, 512), 62);
  EXPECT_EQ(ScalePixel(false, 0x001F, 256, 256, 0), 0);
}

}  // namespace
}  // namespace boxedit
