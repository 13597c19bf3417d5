// Decoding the pixels of a BMP whose headers ReadBmpFormat accepted: uncompressed rows at every
// depth, RLE8 and RLE4 streams, and bit-field pixels. Only the rows and columns asked for are
// kept, in a compact form: palette indices and the palette, the raw values of 5-5-5 pixels, or
// 8-bit RGB. Malformed data never stops the decoder: runs that leave the image are cut, and
// what the file does not hold is blank (index 0, or black).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/colour.h"
#include "chardata/bmp.h"
#include "chardata/bmp_format.h"

namespace boxedit {

enum class BmpPixelKind : uint8_t {
  kIndexed,  // 1, 4 and 8 bits: indices into the palette
  kRgb555,   // 16 bits laid out 5-5-5: the stored values (top bit as stored)
  kRgb,      // every other depth and layout: 8-bit components
};

// Pixels row by row, top row first, with no padding.
struct BmpPixels {
  int32_t width = 0, height = 0;
  BmpPixelKind kind = BmpPixelKind::kIndexed;
  Palette palette{};             // kIndexed: entries the file does not hold are black
  std::vector<uint8_t> indices;  // kIndexed
  std::vector<uint16_t> raw555;  // kRgb555
  std::vector<Rgb> rgb;          // kRgb

  size_t Offset(int32_t x, int32_t y) const { return static_cast<size_t>(y) * width + x; }
};

// Decodes file rows `rows` (counted from the bottom of the picture, whatever the order they are
// stored in; a row outside the image is blank) of columns 0 to columns - 1 (blank past the
// image's width) into *out, rows[0] becoming its top row; a row listed twice is decoded into its
// first place only, leaving the others blank. A file that ends inside the palette or
// the pixel data leaves the rest blank, and *warning (may be null) says which part is missing;
// otherwise *warning is left as it is.
void DecodeBmpRows(std::span<const uint8_t> file, const BmpFormat& format,
                   std::span<const int32_t> rows, int32_t columns, BmpPixels* out,
                   std::string* warning);

}  // namespace boxedit
