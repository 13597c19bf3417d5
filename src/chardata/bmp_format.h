// What a BMP file's headers say about its pixels, read and checked before any pixel is decoded:
// the size and row order, the depth and compression, the colour masks, and where the palette and
// the pixel data start. The forms common image tools write are accepted (info headers of 40, 52,
// 56, 108 and 124 bytes; 1, 4, 8, 16, 24 and 32 bits; uncompressed, RLE8, RLE4 and bit fields);
// anything else is refused with a reason naming what was found.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace boxedit {

// Larger sides are taken as a malformed header.
inline constexpr int32_t kMaxBmpSide = 16384;

enum class BmpCompression : uint32_t { kNone = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// One colour channel of a 16- or 32-bit pixel: `bits` bits from bit `shift` up.
struct BmpChannel {
  int shift = 0;
  int bits = 0;
  friend bool operator==(const BmpChannel&, const BmpChannel&) = default;
};

struct BmpFormat {
  int32_t width = 0;
  int32_t height = 0;    // always positive
  bool topDown = false;  // the top row is stored first (a negative height in the file)
  int bitCount = 0;      // 1, 4, 8, 16, 24 or 32
  BmpCompression compression = BmpCompression::kNone;
  // Red, green and blue of a 16- or 32-bit pixel: the file's masks, or the defaults (5-5-5 at
  // 16 bits, 8-8-8 at 32) when it has none. Alpha is not read.
  std::array<BmpChannel, 3> channels{};
  size_t paletteAt = 0;         // the first palette entry: blue, green, red, reserved
  uint32_t paletteEntries = 0;  // at 1, 4 and 8 bits; 0 for direct colour
  size_t pixelsAt = 0;          // the file header's pixel data offset
  size_t rowBytes = 0;          // a stored row of an uncompressed image, padded to 4 bytes

  bool Indexed() const { return bitCount <= 8; }
  // 16-bit pixels whose channels are the 5-5-5 default, with or without masks saying so.
  bool Is555() const;
};

// Reads the headers of a whole BMP file. False with the reason in *error (may be null) when the
// file is not a BMP or is a form that cannot be read. A file that ends inside its palette or its
// pixel data is accepted: the decoder reads what is there.
bool ReadBmpFormat(std::span<const uint8_t> file, BmpFormat* format, std::string* error);

}  // namespace boxedit
