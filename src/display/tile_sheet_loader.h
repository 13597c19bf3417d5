// The tile-sheet loader: fills a Surface from chara.bmp (chardata/tile_sheet_file.h reads it),
// converting its pixels, whatever their depth, into the screen's layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "display/surface.h"

namespace boxedit {

// Fills the sheet (which must have been created) from the tile part of the file, converted into
// the screen's layout (is565). keyColour, a pixel of that layout or negative for none, becomes
// the sheet's colour key: pixels equal to it are left out of blits. False with the reason in *error
// when the sheet was never created or the file cannot be read as a tile sheet. A file cut short
// still loads (missing pixels black or index 0), with what is missing in *warning (may be null;
// left as it is otherwise).
bool LoadTileSheet(Surface& sheet, bool is565, const std::filesystem::path& fileName,
                   int32_t keyColour, std::string* error = nullptr, std::string* warning = nullptr);

}  // namespace boxedit
