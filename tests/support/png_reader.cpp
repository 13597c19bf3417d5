#include "support/png_reader.h"

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <string>

namespace boxedit::testing {

::testing::AssertionResult DecodePng(const std::vector<uint8_t>& png, RgbImage* image) {
  const auto be32 = [](const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
  };
  if (!std::string(png.begin(), png.end()).starts_with("\x89PNG\r\n\x1A\n"))
    return ::testing::AssertionFailure() << "no PNG signature";
  std::string types;
  std::vector<uint8_t> header, compressed;
  for (size_t at = 8, length; at < png.size(); at += 12 + length) {
    if (at + 12 > png.size() || at + 12 + (length = be32(png, at)) > png.size() ||
        crc32(0, png.data() + at + 4, 4 + length) != be32(png, at + 8 + length))
      return ::testing::AssertionFailure() << "the chunk at " << at << " is cut or its CRC wrong";
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    std::vector<uint8_t>& data = type == "IHDR" ? header : compressed;
    data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    if (!types.ends_with(type)) types += type;
  }
  if (types != "IHDRIDATIEND" || header.size() != 13 ||
      std::string(header.begin() + 8, header.end()) != std::string{8, 2, 0, 0, 0})
    return ::testing::AssertionFailure() << "chunks " << types << " or not 8-bit RGB, no interlace";
  const int width = static_cast<int>(be32(header, 0)), height = static_cast<int>(be32(header, 4));
  const size_t stride = 1 + 3 * static_cast<size_t>(width);
  std::vector<uint8_t> raw(stride * height + 1);  // one spare byte shows data that is too long
  uLongf rawSize = raw.size(), compressedSize = compressed.size();
  if (uncompress2(raw.data(), &rawSize, compressed.data(), &compressedSize) != Z_OK ||
      rawSize != raw.size() - 1 || compressedSize != compressed.size())
    return ::testing::AssertionFailure() << "IDAT is not one zlib stream of " << height << " rows";
  *image = RgbImage{width, height, {}};
  std::vector<uint8_t> row(stride - 1, 0);  // starts as the row above the first: zeros
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = &raw[y * stride];
    if (in[0] != 0 && in[0] != 2)  // we write "up" only; none and up are all a reader must undo
      return ::testing::AssertionFailure() << "filter " << int{in[0]} << " row " << y;
    for (size_t i = 0; i < row.size(); ++i) row[i] = uint8_t(in[1 + i] + (in[0] == 2 ? row[i] : 0));
    for (size_t i = 0; i < row.size(); i += 3)
      image->pixels.push_back({row[i], row[i + 1], row[i + 2]});
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ReadPng(const std::filesystem::path& path, RgbImage* image) {
  std::ifstream file(path, std::ios::binary);  // an unreadable file has no PNG signature
  return DecodePng({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()}, image);
}

}  // namespace boxedit::testing
