// The two headers at the start of a BMP file, as plain little-endian records.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace boxedit {

inline constexpr int kBitmapFileHeaderSize = 14;
inline constexpr int kBitmapInfoHeaderSize = 40;

struct BitmapFileHeader {
  uint16_t bfType = 0;
  uint32_t bfSize = 0;
  uint16_t bfReserved1 = 0, bfReserved2 = 0;
  uint32_t bfOffBits = 0;
};

struct BitmapInfoHeader {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0, biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0, biClrImportant = 0;
};

BitmapFileHeader ParseFileHeader(std::span<const uint8_t, kBitmapFileHeaderSize> bytes);
BitmapInfoHeader ParseInfoHeader(std::span<const uint8_t, kBitmapInfoHeaderSize> bytes);
void AppendFileHeader(std::vector<uint8_t>& out, const BitmapFileHeader& h);
void AppendInfoHeader(std::vector<uint8_t>& out, const BitmapInfoHeader& h);

}  // namespace boxedit
