// The tile-sheet loader: fills a Surface from chara.bmp (chardata/tile_sheet_file.h reads it),
// converting its pixels, whatever their depth, into the screen's layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "display/surface.h"

namespace boxedit {

// Fills the sheet (which must have been created) from part imageIndex of the file, each colour
// component scaled by scale / 256. keyColour is a pixel of the screen's layout, or negative for
// none, and key pixels are never scaled: for palette images it is matched against the palette
// index, for 16-bit 5-5-5 pixels against the unscaled pixel, and for every other depth against
// the unscaled colour packed into the layout. is565 is the layout the probe found. False with
// the reason in *error when the sheet was never created or the file cannot be read as a tile
// sheet. A file cut short still loads (missing pixels black or index 0), with what is missing in
// *warning (may be null; left as it is otherwise).
bool LoadTileSheet(Surface& sheet, bool is565, const std::filesystem::path& fileName,
                   int32_t keyColour, int32_t redScale, int32_t greenScale, int32_t blueScale,
                   int32_t imageIndex, std::string* error = nullptr,
                   std::string* warning = nullptr);

}  // namespace boxedit
