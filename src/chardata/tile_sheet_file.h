// Reading chara.bmp as the tile-sheet loader takes it: any BMP that chardata/bmp_format.h
// accepts, of which one sheet-sized part is the tile sheet. Parts are sheet-sized blocks of rows
// counted upwards from the bottom of the picture, whatever order the rows are stored in; the
// character's sheet is part 1 (kTileSheetImageIndex), the top half of a 640x1440 picture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "chardata/bmp_decode.h"

namespace boxedit {

// The file row (counted from the bottom) that each row of a sheet `sheetHeight` high shows, top
// row first, for a picture `imageHeight` high; -1 for a blank row. Sheet row y shows row
// j * sheetHeight + (sheetHeight - 1 - y) for the largest j from 0 to kTileSheetImageIndex that
// lies inside the picture, so a picture shorter than two parts shows its lower part where the
// upper one is missing.
std::vector<int32_t> TileSheetRows(int32_t imageHeight, int32_t sheetHeight);

// Reads the tile sheet part of the file as a width x height sheet: the picture's columns 0 to
// width - 1 (blank past its width) and the rows TileSheetRows names. False with the reason in
// *error when the file cannot be read, is larger than kMaxTileSheetBytes or is not a BMP that
// can be read. A file cut short is still read; *warning (may be null) then says what is missing.
bool ReadTileSheet(const std::filesystem::path& file, int32_t width, int32_t height, BmpPixels* out,
                   std::string* error = nullptr, std::string* warning = nullptr);

}  // namespace boxedit
