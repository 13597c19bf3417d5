#include "chardata/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace boxedit {
namespace {

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// Reads a PNG as any reader would, sharing nothing with the encoder: the chunks checked against
// their CRCs, the IDAT data inflated by zlib, and each row's filter, whichever of the five, undone.
testing::AssertionResult DecodePng(const std::vector<uint8_t>& png, RgbImage* image) {
  const std::vector<uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(signature.begin(), signature.end(), png.begin())) {
    return testing::AssertionFailure() << "no PNG signature";
  }
  std::string types;
  std::vector<uint8_t> header, compressed;
  for (size_t at = 8; at < png.size();) {
    if (at + 12 > png.size() || at + 12 + Be32(png, at) > png.size()) {
      return testing::AssertionFailure() << "a chunk runs past the end at " << at;
    }
    const uint32_t length = Be32(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    if (crc32(0, png.data() + at + 4, 4 + length) != Be32(png, at + 8 + length)) {
      return testing::AssertionFailure() << "bad CRC in chunk " << type;
    }
    std::vector<uint8_t>& data = type == "IHDR" ? header : compressed;
    data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    if (types.empty() || types.substr(types.size() - 4) != type) types += type;
    at += 12 + length;
  }
  if (types != "IHDRIDATIEND" || header.size() != 13) {
    return testing::AssertionFailure() << "chunks " << types;
  }
  const int width = static_cast<int>(Be32(header, 0)), height = static_cast<int>(Be32(header, 4));
  if (std::vector<uint8_t>(header.begin() + 8, header.end()) !=
      std::vector<uint8_t>{8, 2, 0, 0, 0}) {
    return testing::AssertionFailure() << "not 8-bit RGB, deflate, filter method 0, no interlace";
  }
  const size_t stride = 1 + 3 * static_cast<size_t>(width);
  std::vector<uint8_t> raw(stride * height + 1);  // one spare byte shows data that is too long
  uLongf rawSize = raw.size();
  uLong compressedSize = compressed.size();
  if (uncompress2(raw.data(), &rawSize, compressed.data(), &compressedSize) != Z_OK ||
      rawSize != raw.size() - 1 || compressedSize != compressed.size()) {
    return testing::AssertionFailure() << "IDAT is not one zlib stream of " << height << " rows";
  }
  image->width = width;
  image->height = height;
  image->pixels.clear();
  std::vector<uint8_t> above(stride - 1, 0), row(stride - 1);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = &raw[y * stride];
    for (size_t i = 0; i < row.size(); ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      const int predictions[5] = {0, a, b, (a + b) / 2, paeth};
      if (in[0] > 4) return testing::AssertionFailure() << "filter " << int{in[0]} << " row " << y;
      row[i] = static_cast<uint8_t>(in[1 + i] + predictions[in[0]]);
    }
    for (size_t i = 0; i < row.size(); i += 3)
      image->pixels.push_back({row[i], row[i + 1], row[i + 2]});
    above = row;
  }
  return testing::AssertionSuccess();
}

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
