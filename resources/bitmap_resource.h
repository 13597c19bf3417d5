// Bitmaps carried inside the program (the font sheet "NUMBITMAP"), as the bytes of a
// device-independent bitmap: a BITMAPINFOHEADER, the palette and the pixel rows, bottom-up. The
// definition is generated at build time from font.txt by make_font_sheet.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace boxedit {

// The resource of that name, or an empty span when the program has none.
std::span<const uint8_t> FindBitmapResource(std::string_view name);

}  // namespace boxedit
