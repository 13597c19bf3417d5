// A BMP writer of every form: any depth, 40- to 124-byte headers, masks, RLE, either row order.
#pragma once

#include <bit>

#include "base/little_endian.h"
#include "chardata/bmp.h"

namespace boxedit::testing {

using Bytes = std::vector<uint8_t>;

struct BmpForm {
  const char* name;
  uint16_t bits;
  uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t infoSize = 40;
  bool topDown = false;
  std::array<uint32_t, 3> masks{};  // red, green, blue; with bit fields only
  uint32_t coloursUsed = 0;         // palette entries written; 0 for all 2^bits
  uint32_t gap = 0;                 // bytes between the palette and the pixel data
};

// Palette indices (palette forms) or colours (all others), top row first.
struct Picture {
  int32_t width, height;
  Palette palette{};
  std::vector<uint8_t> indices{};
  std::vector<Rgb> colours{};
  uint8_t IndexAt(int32_t x, int32_t y) const { return indices[size_t(y) * width + x]; }
  Rgb ColourAt(int32_t x, int32_t y) const { return colours[size_t(y) * width + x]; }
};

inline std::array<uint32_t, 3> MasksOf(const BmpForm& form) {
  if (form.compression == 3) return form.masks;
  if (form.bits == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Keeps the top bits of each component that fit its mask.
inline uint32_t Pack(Rgb c, const std::array<uint32_t, 3>& masks) {
  const uint32_t components[] = {c.red, c.green, c.blue};
  uint32_t pixel = 0;
  for (size_t i = 0, bits; i < 3; ++i) {
    bits = std::popcount(masks[i]);
    pixel |= (bits >= 8 ? components[i] << (bits - 8) : components[i] >> (8 - bits))
             << std::countr_zero(masks[i]);
  }
  return pixel;
}

// RLE of one row: literal runs of 3+ pixels where no 3 alike start, runs of alike for the rest.
inline void AppendRleRow(Bytes& out, const uint8_t* row, int32_t width, bool four) {
  const auto alike = [&](int32_t x, int32_t n = 1) {
    for (; x + n < width && n < 255 && row[x + n] == row[x];) ++n;
    return n;
  };
  for (int32_t x = 0, n; x < width; x += n) {
    for (n = 0; x + n < width && n < 255 && alike(x + n) < 3;) ++n;
    if (n < 3) {
      out.insert(out.end(), {uint8_t(n = alike(x)), uint8_t(four ? row[x] * 17 : row[x])});
      continue;
    }
    out.insert(out.end(), {0, uint8_t(n)});
    for (int32_t i = 0; i < n; i += four ? 2 : 1)
      out.push_back(four ? uint8_t(row[x + i] << 4 | (i + 1 < n ? row[x + i + 1] : 0))
                         : row[x + i]);
    if ((four ? (n + 1) / 2 : n) % 2 != 0) out.push_back(0);
  }
  out.insert(out.end(), {0, 0});
}

inline Bytes WriteBmp(const BmpForm& form, const Picture& p) {
  Bytes out;
  const bool rle = form.compression == 1 || form.compression == 2;
  const int entries = form.bits > 8 ? 0 : form.coloursUsed > 0 ? form.coloursUsed : 1 << form.bits;
  const uint32_t headers = std::max(form.infoSize, form.compression == 3 ? 52u : 40u);
  AppendFileHeader(out, BitmapFileHeader{kBitmapMagic, 0, 0, 0,
                                         kBitmapFileHeaderSize + headers + 4 * entries + form.gap});
  AppendInfoHeader(
      out, BitmapInfoHeader{form.infoSize, p.width, form.topDown ? -p.height : p.height, 1,
                            form.bits, form.compression, 0, 2835, 2835, form.coloursUsed, 0});
  if (form.compression == 3)
    for (uint32_t mask : form.masks) AppendLe32(out, mask);
  out.resize(kBitmapFileHeaderSize + headers, 0);
  for (int i = 0; i < entries; ++i)
    out.insert(out.end(), {p.palette[i].blue, p.palette[i].green, p.palette[i].red, 0});
  out.resize(out.size() + form.gap, 0xEE);
  for (int32_t s = 0; s < p.height; ++s) {
    const int32_t y = form.topDown ? s : p.height - 1 - s;
    const size_t start = out.size();
    if (rle) AppendRleRow(out, &p.indices[size_t(y) * p.width], p.width, form.compression == 2);
    for (int32_t x = 0; !rle && x < p.width; ++x) {
      const uint32_t bit = uint32_t(x) * form.bits;
      if (form.bits <= 8) {
        if (bit % 8 == 0) out.push_back(0);
        out.back() |= uint8_t(p.IndexAt(x, y) << (8 - form.bits - bit % 8));
      } else {  // 24 bits: the default 32-bit masks, three bytes of each pixel
        const uint32_t v = Pack(p.ColourAt(x, y), MasksOf(form));
        for (int i = 0; i < form.bits; i += 8) out.push_back(uint8_t(v >> i));
      }
    }
    while (!rle && (out.size() - start) % 4 != 0) out.push_back(0);
  }
  if (rle) out.insert(out.end(), {0, 1});
  return out;
}

}  // namespace boxedit::testing
