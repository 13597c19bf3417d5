// Reading chara.bmp as the tile-sheet loader takes it: the two headers, at 8 bits the palette
// that follows them directly, and then blocks of pixel data of exactly one sheet each, read one
// after the other until the wanted block is in memory. The header's own size and offset are not
// used: the blocks are always the sheet's size.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "chardata/bmp.h"

namespace boxedit {

struct TileSheetBlock {
  BitmapFileHeader fileHeader;
  BitmapInfoHeader infoHeader;  // as read, with biWidth and biHeight set to the sheet's size
  int bytesPerPixel = 0;        // 1 (8 bits, palette indices) or 2 (16 bits, 5-5-5 pixels)
  // 8 bits: the palette as stored (blue, green, red, reserved); a file that ends inside it
  // leaves the missing entries 0.
  std::array<uint8_t, kPaletteBytes> palette{};
  // width * height * bytesPerPixel bytes, rows bottom-up. A file that ends inside a block keeps
  // what the earlier reads left past that point; a negative index reads no block (all 0).
  std::vector<uint8_t> pixels;
};

// Reads block `imageIndex` of a width x height sheet. False with the reason in *error when the
// file cannot be read, is larger than kMaxTileSheetBytes, is too short for both headers or is
// neither 8 nor 16 bits.
bool ReadTileSheetBlock(const std::filesystem::path& file, int32_t width, int32_t height,
                        int32_t imageIndex, TileSheetBlock* out, std::string* error = nullptr);

}  // namespace boxedit
