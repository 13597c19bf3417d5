// 8-bit palette images and their encoding as Windows bitmaps: the device-independent bitmap
// (info header, palette, rows) that a program carries as a resource, and the BMP file that adds
// the 14-byte file header in front of it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace boxedit {

inline constexpr int kBmpFileHeaderBytes = 14;
inline constexpr int kBmpInfoHeaderBytes = 40;
inline constexpr int kPaletteEntries = 256;
inline constexpr int kPaletteBytes = 4 * kPaletteEntries;

struct PaletteColour {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

// Every entry not set explicitly is black.
using Palette = std::array<PaletteColour, kPaletteEntries>;

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

// The 8 bits per pixel bitmap without file header: a 40-byte info header (1 plane, no
// compression, 256 colours used), 256 palette entries as blue, green, red, 0, then the rows
// bottom row first, each padded with zeros to a multiple of 4 bytes.
std::vector<uint8_t> EncodeIndexedDib(const IndexedImage& image, const Palette& palette);

// The BMP file: the file header ("BM", file size, pixel data offset 1078) and the DIB above.
std::vector<uint8_t> EncodeIndexedBmp(const IndexedImage& image, const Palette& palette);

// Little-endian stores used by the encoders and by the writers of other binary files.
void AppendU16(std::vector<uint8_t>& out, uint16_t value);
void AppendU32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace boxedit
