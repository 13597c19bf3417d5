#include "support/bmp_reader.h"

#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "chardata/bmp.h"

namespace boxedit::testing {

bool ReadBmp24(const std::filesystem::path& path, RgbImage* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  if (bytes.size() < size_t{kBitmapFileHeaderSize + kBitmapInfoHeaderSize}) return false;
  const std::span<const uint8_t> all(bytes);
  const BitmapFileHeader file = ParseFileHeader(all.first<kBitmapFileHeaderSize>());
  const BitmapInfoHeader info =
      ParseInfoHeader(all.subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
  // Only what EncodeBmp24 writes: uncompressed (0), 24 bits, rows bottom-up.
  if (file.bfType != kBitmapMagic || info.biSize < kBitmapInfoHeaderSize || info.biBitCount != 24 ||
      info.biCompression != 0 || info.biWidth <= 0 || info.biHeight <= 0) {
    return false;
  }
  const uint64_t rowBytes = (static_cast<uint64_t>(info.biWidth) * 3 + 3) / 4 * 4;
  if (file.bfOffBits > bytes.size() ||
      rowBytes * static_cast<uint64_t>(info.biHeight) > bytes.size() - file.bfOffBits) {
    return false;
  }
  out->width = info.biWidth;
  out->height = info.biHeight;
  out->pixels.resize(static_cast<size_t>(info.biWidth) * static_cast<size_t>(info.biHeight));
  for (int32_t y = 0; y < info.biHeight; ++y) {
    const uint8_t* row =
        &bytes[file.bfOffBits + static_cast<size_t>(info.biHeight - 1 - y) * rowBytes];
    for (int32_t x = 0; x < info.biWidth; ++x) {
      out->pixels[static_cast<size_t>(y) * info.biWidth + x] = {row[x * 3 + 2], row[x * 3 + 1],
                                                                row[x * 3]};
    }
  }
  return true;
}

}  // namespace boxedit::testing
