#include "png/png.h"

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "../support/png_reader.h"

namespace boxedit {
namespace {

using testing::DecodePng;

// Pixels from a fixed pseudo-random sequence: noise, which deflate cannot shrink.
RgbImage Noise(int width, int height) {
  RgbImage image{width, height, {}};
  uint32_t state = 12345;
  for (int i = 0; i < width * height; ++i) {
    uint8_t c[3];
    for (uint8_t& v : c) v = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    image.pixels.push_back({c[0], c[1], c[2]});
  }
  return image;
}

// A screen-like picture: grey, a frame line, a block of small tiles.
RgbImage Screen(int width, int height) {
  RgbImage image{width, height, std::vector<Rgb>(width * height, Rgb{128, 128, 128})};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb& p = image.pixels[y * width + x];
      if (x == 3 || y == 2) p = {255, 255, 255};
      if (x > 10 && y > 5 && x < width / 2) p = {static_cast<uint8_t>(x % 4 * 60), 0, uint8_t(y)};
    }
  }
  return image;
}

TEST(EncodePng, DecodesToTheSamePixels) {
  const struct {
    const char* name;
    RgbImage image;
  } cases[] = {
      {"one pixel", {1, 1, {{0x12, 0x34, 0x56}}}},
      {"screen", Screen(67, 41)},
      // A row longer than deflate's 32 KiB window, and more IDAT data than one chunk holds.
      {"wide noise", Noise(11000, 3)},
  };
  for (const auto& c : cases) {
    RgbImage decoded;
    ASSERT_TRUE(DecodePng(EncodePng(c.image), &decoded)) << c.name;
    EXPECT_EQ(std::pair(decoded.width, decoded.height), std::pair(c.image.width, c.image.height));
    EXPECT_TRUE(decoded.pixels == c.image.pixels) << c.name;
  }
}

TEST(PngEncoder, GivesTheBytesOfEncodePng_WhenFedInBandsOfRows) {
  const RgbImage image = Screen(67, 41);
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
  PngEncoder partial(2, 2);
  EXPECT_FALSE(partial.AddRows(std::span(row).first(1)));
  EXPECT_FALSE(partial.AddRows(row));  // failed once, failed for good
  EXPECT_TRUE(partial.Finish().empty());

  PngEncoder tooMany(2, 2);
  EXPECT_TRUE(tooMany.AddRows(row));
  EXPECT_TRUE(tooMany.AddRows(row));
  EXPECT_FALSE(tooMany.AddRows(row));
  EXPECT_TRUE(tooMany.Finish().empty());

  PngEncoder spent(2, 1);
  EXPECT_TRUE(spent.AddRows(row));
  EXPECT_FALSE(spent.Finish().empty());
  EXPECT_TRUE(spent.Finish().empty());
  EXPECT_FALSE(spent.AddRows(row));
}

}  // namespace
}  // namespace boxedit
