#include "chardata/bmp.h"

#include <algorithm>

#include "base/little_endian.h"

namespace boxedit {

namespace {

constexpr uint32_t kBiRgb = 0;              // no compression
constexpr int32_t kPixelsPerMetre = 2835;   // 72 dots per inch
constexpr int32_t kMaxIndexedSide = 16384;  // larger 8-bit bitmaps are taken as malformed
constexpr int kMaxRgbSide = 32767;          // keeps every size of a 24-bit file in 32 bits

// Rows of `bytes` bytes are padded to a multiple of 4.
size_t RowStride(size_t bytes) {
  return (bytes + 3) & ~size_t{3};
}

}  // namespace

BitmapFileHeader ParseFileHeader(std::span<const uint8_t, kBitmapFileHeaderSize> bytes) {
  const uint8_t* p = bytes.data();
  BitmapFileHeader h;
  h.bfType = ReadLe16(p);
  h.bfSize = ReadLe32(p + 2);
  h.bfReserved1 = ReadLe16(p + 6);
  h.bfReserved2 = ReadLe16(p + 8);
  h.bfOffBits = ReadLe32(p + 10);
  return h;
}

BitmapInfoHeader ParseInfoHeader(std::span<const uint8_t, kBitmapInfoHeaderSize> bytes) {
  const uint8_t* p = bytes.data();
  BitmapInfoHeader h;
  h.biSize = ReadLe32(p);
  h.biWidth = static_cast<int32_t>(ReadLe32(p + 4));
  h.biHeight = static_cast<int32_t>(ReadLe32(p + 8));
  h.biPlanes = ReadLe16(p + 12);
  h.biBitCount = ReadLe16(p + 14);
  h.biCompression = ReadLe32(p + 16);
  h.biSizeImage = ReadLe32(p + 20);
  h.biXPelsPerMeter = static_cast<int32_t>(ReadLe32(p + 24));
  h.biYPelsPerMeter = static_cast<int32_t>(ReadLe32(p + 28));
  h.biClrUsed = ReadLe32(p + 32);
  h.biClrImportant = ReadLe32(p + 36);
  return h;
}

void AppendFileHeader(std::vector<uint8_t>& out, const BitmapFileHeader& h) {
  AppendLe16(out, h.bfType);
  AppendLe32(out, h.bfSize);
  AppendLe16(out, h.bfReserved1);
  AppendLe16(out, h.bfReserved2);
  AppendLe32(out, h.bfOffBits);
}

void AppendInfoHeader(std::vector<uint8_t>& out, const BitmapInfoHeader& h) {
  AppendLe32(out, h.biSize);
  AppendLe32(out, static_cast<uint32_t>(h.biWidth));
  AppendLe32(out, static_cast<uint32_t>(h.biHeight));
  AppendLe16(out, h.biPlanes);
  AppendLe16(out, h.biBitCount);
  AppendLe32(out, h.biCompression);
  AppendLe32(out, h.biSizeImage);
  AppendLe32(out, static_cast<uint32_t>(h.biXPelsPerMeter));
  AppendLe32(out, static_cast<uint32_t>(h.biYPelsPerMeter));
  AppendLe32(out, h.biClrUsed);
  AppendLe32(out, h.biClrImportant);
}

IndexedImage::IndexedImage(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

std::vector<uint8_t> EncodeIndexedDib(const IndexedImage& image, const Palette& palette) {
  const size_t stride = RowStride(static_cast<size_t>(image.width()));
  const size_t imageBytes = stride * image.height();
  std::vector<uint8_t> out;
  out.reserve(kBitmapInfoHeaderSize + kPaletteBytes + imageBytes);
  // A positive height: rows stored bottom-up.
  AppendInfoHeader(out, BitmapInfoHeader{kBitmapInfoHeaderSize, image.width(), image.height(), 1, 8,
                                         kBiRgb, static_cast<uint32_t>(imageBytes), kPixelsPerMetre,
                                         kPixelsPerMetre, kPaletteEntries, 0});
  for (const Rgb& c : palette) out.insert(out.end(), {c.blue, c.green, c.red, 0});
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
  out.reserve(kBitmapFileHeaderSize + dib.size());
  AppendFileHeader(
      out, BitmapFileHeader{kBitmapMagic, static_cast<uint32_t>(kBitmapFileHeaderSize + dib.size()),
                            0, 0, kBitmapFileHeaderSize + kBitmapInfoHeaderSize + kPaletteBytes});
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

bool DecodeIndexedDib(std::span<const uint8_t> dib, IndexedImage* image, Palette* palette) {
  if (dib.size() < static_cast<size_t>(kBitmapInfoHeaderSize)) return false;
  const BitmapInfoHeader info = ParseInfoHeader(dib.first<kBitmapInfoHeaderSize>());
  if (info.biSize != kBitmapInfoHeaderSize || info.biPlanes != 1 || info.biBitCount != 8 ||
      info.biCompression != kBiRgb) {
    return false;
  }
  // Bottom-up rows only, the layout this program writes.
  if (info.biWidth <= 0 || info.biHeight <= 0 || info.biWidth > kMaxIndexedSide ||
      info.biHeight > kMaxIndexedSide) {
    return false;
  }
  const uint32_t colours = info.biClrUsed == 0 ? kPaletteEntries : info.biClrUsed;
  if (colours > kPaletteEntries) return false;
  const size_t stride = RowStride(static_cast<size_t>(info.biWidth));
  const size_t pixelsAt = kBitmapInfoHeaderSize + size_t{colours} * 4;
  if (dib.size() < pixelsAt + stride * static_cast<size_t>(info.biHeight)) return false;

  palette->fill(Rgb{});
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* entry = dib.data() + kBitmapInfoHeaderSize + i * 4;  // blue, green, red, 0
    (*palette)[i] = Rgb{entry[2], entry[1], entry[0]};
  }
  *image = IndexedImage(info.biWidth, info.biHeight, 0);
  for (int32_t y = 0; y < info.biHeight; ++y) {
    const uint8_t* row =
        dib.data() + pixelsAt + stride * static_cast<size_t>(info.biHeight - 1 - y);
    for (int32_t x = 0; x < info.biWidth; ++x) image->set(x, y, row[x]);
  }
  return true;
}

std::vector<uint8_t> EncodeBmp24(const RgbImage& image) {
  std::vector<uint8_t> out;
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxRgbSide ||
      image.height > kMaxRgbSide ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    return out;
  }
  const auto rowBytes = static_cast<uint32_t>(RowStride(static_cast<size_t>(image.width) * 3));
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(image.height);
  constexpr uint32_t kHeaders = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
  out.reserve(kHeaders + imageBytes);
  AppendFileHeader(out, BitmapFileHeader{kBitmapMagic, kHeaders + imageBytes, 0, 0, kHeaders});
  AppendInfoHeader(out,
                   BitmapInfoHeader{kBitmapInfoHeaderSize, image.width, image.height, 1, 24, kBiRgb,
                                    imageBytes, kPixelsPerMetre, kPixelsPerMetre, 0, 0});
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.At(x, y);
      out.insert(out.end(), {c.blue, c.green, c.red});
    }
    out.resize(rowStart + rowBytes, 0);
  }
  return out;
}

}  // namespace boxedit
