// The BMP format, read and written in one place: the two headers as plain records, 8-bit
// palette images (the font sheet and the sample's chara.bmp), and 24-bit images (screenshots).
// Rows are stored bottom-up and padded to 4 bytes; every number is little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/colour.h"

namespace boxedit {

inline constexpr int kBitmapFileHeaderSize = 14;
inline constexpr int kBitmapInfoHeaderSize = 40;
inline constexpr int kPaletteEntries = 256;
inline constexpr int kPaletteBytes = 4 * kPaletteEntries;  // blue, green, red, reserved
inline constexpr uint16_t kBitmapMagic = 0x4D42;           // "BM"

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

// --- 8-bit palette images.

// Every entry not set explicitly is black.
using Palette = std::array<Rgb, kPaletteEntries>;

// Palette indices stored row by row, top row first, with no padding between rows.
class IndexedImage {
 public:
  IndexedImage() = default;
  IndexedImage(int width, int height, uint8_t fill);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

  uint8_t at(int x, int y) const { return pixels_[Offset(x, y)]; }
  void set(int x, int y, uint8_t index) { pixels_[Offset(x, y)] = index; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Sets the pixel when it lies inside the image and ignores it otherwise.
  void Plot(int x, int y, uint8_t index) {
    if (Contains(x, y)) set(x, y, index);
  }

  friend bool operator==(const IndexedImage&, const IndexedImage&) = default;

 private:
  size_t Offset(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;
};

// The device-independent bitmap, as a program carries it inside itself: a 40-byte info header
// (1 plane, no compression, 256 colours used), 256 palette entries, then the rows.
std::vector<uint8_t> EncodeIndexedDib(const IndexedImage& image, const Palette& palette);
// The BMP file: the file header ("BM", file size, pixel data offset 1078) and the DIB above.
std::vector<uint8_t> EncodeIndexedBmp(const IndexedImage& image, const Palette& palette);

// Reads an 8-bit uncompressed bottom-up DIB of at most 16384 pixels a side whose palette has at
// most 256 entries (entries past biClrUsed read as black). False when the bytes are not such a
// bitmap or are shorter than it needs.
bool DecodeIndexedDib(std::span<const uint8_t> dib, IndexedImage* image, Palette* palette);

// --- 24-bit images.

// The whole file; empty when the image has no pixels or a side above 32767.
std::vector<uint8_t> EncodeBmp24(const RgbImage& image);

}  // namespace boxedit
