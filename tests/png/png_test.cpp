#include "png/png.h"

#include <gtest/gtest.h>

#include "../support/png_reader.h"

namespace boxedit {
namespace {

// Pixels from a fixed pseudo-random sequence: noise, which deflate cannot shrink.
RgbImage Noise(int width, int height) {
  RgbImage image{width, height, {}};
  uint32_t state = 12345;
  const auto next = [&] { return uint8_t((state = state * 1103515245u + 12345u) >> 16); };
  for (int i = 0; i < width * height; ++i) image.pixels.push_back({next(), next(), next()});
  return image;
}

TEST(EncodePng, DecodesToTheSamePixels_AlsoWhenFedInBandsOfRows) {
  // Eight rows of noise again and again: 2.4 MB of rows, deflated in pieces, each of which finds
  // its first rows in the window of the piece before it.
  RgbImage tall{1000, 800, {}};
  const RgbImage band = Noise(1000, 8);
  for (int i = 0; i < 100; ++i)
    tall.pixels.insert(tall.pixels.end(), band.pixels.begin(), band.pixels.end());
  // One pixel; the "up" filter; rows longer than deflate's window, IDAT over one chunk; pieces.
  for (const RgbImage& image :
       {RgbImage{1, 1, {{0x12, 0x34, 0x56}}}, Noise(67, 41), Noise(11000, 3), tall}) {
    for (const PngCompression compression : {PngCompression::kSmallest, PngCompression::kFast}) {
      PngEncoder encoder(image.width, image.height, compression);
      ASSERT_TRUE(encoder.AddRows(image.pixels));
      RgbImage decoded;
      ASSERT_TRUE(testing::DecodePng(encoder.Finish(), &decoded)) << image.width;
      EXPECT_EQ(std::pair(decoded.width, decoded.height), std::pair(image.width, image.height));
      EXPECT_TRUE(decoded.pixels == image.pixels) << image.width;
    }
  }
  EXPECT_LT(EncodePng(tall).size(), 2 * 3 * band.pixels.size());  // the noise once, and references
  for (const RgbImage& image : {Noise(67, 41), tall}) {
    PngEncoder bands(image.width, image.height);
    const size_t w = static_cast<size_t>(image.width);
    for (const auto& [row, rows] : {std::pair{0, 1}, {1, 7}, {8, 0}, {8, image.height - 8}})
      ASSERT_TRUE(bands.AddRows(std::span(image.pixels).subspan(row * w, rows * w))) << row;
    EXPECT_EQ(bands.Finish(), EncodePng(image));
  }
}

TEST(PngEncoder, Refuses_WhenSizeOrRowsAreWrong) {
  const auto image = [](int w, int h, size_t n) { return RgbImage{w, h, std::vector<Rgb>(n)}; };
  EXPECT_FALSE(EncodePng(image(1, 32767, 32767)).empty());
  for (const RgbImage& bad : {image(0, 0, 0), image(32768, 1, 32768), image(1, 32768, 32768),
                              image(2, 3, 4), image(2, 2, 6)})
    EXPECT_TRUE(EncodePng(bad).empty()) << bad.width << "x" << bad.height;
  const std::vector<Rgb> row(2);
  PngEncoder partial(2, 2), tooMany(2, 2), spent(2, 1);
  EXPECT_TRUE(!partial.AddRows(std::span(row).first(1)) && partial.Finish().empty());
  EXPECT_TRUE(tooMany.AddRows(row) && tooMany.AddRows(row) && !tooMany.AddRows(row));
  EXPECT_TRUE(spent.AddRows(row) && !spent.Finish().empty());
  EXPECT_TRUE(spent.Finish().empty() && !spent.AddRows(row));  // spent: takes and gives nothing
}

}  // namespace
}  // namespace boxedit
