// The tile-sheet loader: fills a Surface from chara.bmp (chardata/tile_sheet_file.h reads it),
// converting its 8- or 16-bit pixels into the screen's layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "display/surface.h"

namespace boxedit {

// Fills the sheet (which must have been created) from block imageIndex of the file, each colour
// component scaled by scale / 256. keyColour is a pixel of the screen's layout, or negative for
// none; at 8 bits it is matched against the palette index, at 16 bits against the unscaled
// pixel, and key pixels are never scaled. is565 is the layout the probe found. False with the
// reason in *error when the sheet was never created or the file cannot be read as a tile sheet.
bool LoadTileSheet(Surface& sheet, bool is565, const std::filesystem::path& fileName,
                   int32_t keyColour, int32_t redScale, int32_t greenScale, int32_t blueScale,
                   int32_t imageIndex, std::string* error = nullptr);

}  // namespace boxedit
