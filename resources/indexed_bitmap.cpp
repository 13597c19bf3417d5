#include "resources/indexed_bitmap.h"

namespace boxedit {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

size_t RowStride(int width) {
  return (static_cast<size_t>(width) + 3) & ~size_t{3};
}

}  // namespace

IndexedImage::IndexedImage(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void AppendU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

std::vector<uint8_t> EncodeIndexedDib(const IndexedImage& image, const Palette& palette) {
  const size_t stride = RowStride(image.width());
  const size_t imageBytes = stride * image.height();
  std::vector<uint8_t> out;
  out.reserve(kBmpInfoHeaderBytes + kPaletteBytes + imageBytes);

  AppendU32(out, kBmpInfoHeaderBytes);
  AppendU32(out, static_cast<uint32_t>(image.width()));
  AppendU32(out, static_cast<uint32_t>(image.height()));  // positive: rows stored bottom-up
  AppendU16(out, 1);                                      // planes
  AppendU16(out, 8);                                      // bits per pixel
  AppendU32(out, kBiRgb);
  AppendU32(out, static_cast<uint32_t>(imageBytes));
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, kPaletteEntries);  // colours used
  AppendU32(out, 0);                // colours important: all

  for (const PaletteColour& c : palette) {
    out.insert(out.end(), {c.blue, c.green, c.red, 0});
  }

  for (int y = image.height() - 1; y >= 0; --y) {
    const auto row = image.pixels().begin() + static_cast<ptrdiff_t>(y) * image.width();
    out.insert(out.end(), row, row + image.width());
    out.resize(out.size() + (stride - image.width()), 0);
  }
  return out;
}

std::vector<uint8_t> EncodeIndexedBmp(const IndexedImage& image, const Palette& palette) {
  const std::vector<uint8_t> dib = EncodeIndexedDib(image, palette);
  std::vector<uint8_t> out;
  out.reserve(kBmpFileHeaderBytes + dib.size());
  AppendU16(out, 0x4D42);  // "BM"
  AppendU32(out, static_cast<uint32_t>(kBmpFileHeaderBytes + dib.size()));
  AppendU16(out, 0);
  AppendU16(out, 0);
  AppendU32(out, kBmpFileHeaderBytes + kBmpInfoHeaderBytes + kPaletteBytes);
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

}  // namespace boxedit
