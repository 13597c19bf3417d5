#include "support/png_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace boxedit::testing {

namespace {

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

}  // namespace

::testing::AssertionResult DecodePng(const std::vector<uint8_t>& png, RgbImage* image) {
  const std::vector<uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(signature.begin(), signature.end(), png.begin())) {
    return ::testing::AssertionFailure() << "no PNG signature";
  }
  std::string types;
  std::vector<uint8_t> header, compressed;
  for (size_t at = 8; at < png.size();) {
    if (at + 12 > png.size() || at + 12 + Be32(png, at) > png.size()) {
      return ::testing::AssertionFailure() << "a chunk runs past the end at " << at;
    }
    const uint32_t length = Be32(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    if (crc32(0, png.data() + at + 4, 4 + length) != Be32(png, at + 8 + length)) {
      return ::testing::AssertionFailure() << "bad CRC in chunk " << type;
    }
    std::vector<uint8_t>& data = type == "IHDR" ? header : compressed;
    data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    if (types.empty() || types.substr(types.size() - 4) != type) types += type;
    at += 12 + length;
  }
  if (types != "IHDRIDATIEND" || header.size() != 13) {
    return ::testing::AssertionFailure() << "chunks " << types;
  }
  const int width = static_cast<int>(Be32(header, 0)), height = static_cast<int>(Be32(header, 4));
  if (std::vector<uint8_t>(header.begin() + 8, header.end()) !=
      std::vector<uint8_t>{8, 2, 0, 0, 0}) {
    return ::testing::AssertionFailure() << "not 8-bit RGB, deflate, filter method 0, no interlace";
  }
  const size_t stride = 1 + 3 * static_cast<size_t>(width);
  std::vector<uint8_t> raw(stride * height + 1);  // one spare byte shows data that is too long
  uLongf rawSize = raw.size();
  uLong compressedSize = compressed.size();
  if (uncompress2(raw.data(), &rawSize, compressed.data(), &compressedSize) != Z_OK ||
      rawSize != raw.size() - 1 || compressedSize != compressed.size()) {
    return ::testing::AssertionFailure() << "IDAT is not one zlib stream of " << height << " rows";
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
      if (in[0] > 4)
        return ::testing::AssertionFailure() << "filter " << int{in[0]} << " row " << y;
      row[i] = static_cast<uint8_t>(in[1 + i] + predictions[in[0]]);
    }
    for (size_t i = 0; i < row.size(); i += 3)
      image->pixels.push_back({row[i], row[i + 1], row[i + 2]});
    above = row;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ReadPng(const std::filesystem::path& path, RgbImage* image) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return ::testing::AssertionFailure() << "cannot open " << path;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  return DecodePng(bytes, image);
}

}  // namespace boxedit::testing
