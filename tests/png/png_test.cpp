#include "png/png.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "../support/png_reader.h"

namespace boxedit {
namespace {

// Pixels from a fixed pseudo-random sequence: noise, which deflate cannot shrink.
RgbImage Noise(int width, int height) {
  RgbImage image{width, height, {}};
  uint32_t state = 12345;
  const auto next = [&] {
    return static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
  };
  for (int i = 0; i < width * height; ++i) image.pixels.push_back({next(), next(), next()});
  return image;
}

TEST(EncodePng, DecodesToTheSamePixels) {
  // One pixel; the "up" filter; rows longer than deflate's window, IDAT over one chunk.
  for (const RgbImage& image :
       {RgbImage{1, 1, {{0x12, 0x34, 0x56}}}, Noise(67, 41), Noise(11000, 3)}) {
    RgbImage decoded;
    ASSERT_TRUE(testing::DecodePng(EncodePng(image), &decoded)) << image.width;
    EXPECT_EQ(std::pair(decoded.width, decoded.height), std::pair(image.width, image.height));
    EXPECT_TRUE(decoded.pixels == image.pixels) << image.width;
  }
}

TEST(PngEncoder, GivesTheBytesOfEncodePng_WhenFedInBandsOfRows) {
  const RgbImage image = Noise(67, 41);
  const std::span<const Rgb> pixels(image.pixels);
  PngEncoder encoder(67, 41);
  int row = 0;
  for (int rows : {1, 7, 0, 33}) {
    ASSERT_TRUE(encoder.AddRows(pixels.subspan(row * 67, rows * 67))) << row;
    row += rows;
  }
  EXPECT_EQ(encoder.Finish(), EncodePng(image));
}

TEST(PngEncoder, Refuses_WhenSizeOrRowsAreWrong) {
  EXPECT_FALSE(EncodePng(RgbImage{1, 32767, std::vector<Rgb>(32767)}).empty());
  for (const RgbImage& image :
       {RgbImage{}, RgbImage{32768, 1, std::vector<Rgb>(32768)},
        RgbImage{1, 32768, std::vector<Rgb>(32768)}, RgbImage{2, 3, std::vector<Rgb>(4)},
        RgbImage{2, 2, std::vector<Rgb>(6)}}) {
    EXPECT_TRUE(EncodePng(image).empty()) << image.width << "x" << image.height;
  }
  const std::vector<Rgb> row(2);
  PngEncoder partial(2, 2), tooMany(2, 2), spent(2, 1);
  EXPECT_FALSE(partial.AddRows(std::span(row).first(1)));
  EXPECT_FALSE(partial.AddRows(row));  // failed once, failed for good
  EXPECT_TRUE(partial.Finish().empty());
  EXPECT_TRUE(tooMany.AddRows(row) && tooMany.AddRows(row));
  EXPECT_FALSE(tooMany.AddRows(row));
  EXPECT_TRUE(tooMany.Finish().empty());
  EXPECT_TRUE(spent.AddRows(row));
  EXPECT_FALSE(spent.Finish().empty());
  EXPECT_TRUE(spent.Finish().empty());
  EXPECT_FALSE(spent.AddRows(row));
}

}  // namespace
}  // namespace boxedit
