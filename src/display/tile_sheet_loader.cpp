#include "display/tile_sheet_loader.h"

#include "chardata/tile_sheet_file.h"
#include "display/pixel_layout.h"

namespace boxedit {

bool LoadTileSheet(Surface& sheet, bool is565, const std::filesystem::path& fileName,
                   int32_t keyColour, std::string* error, std::string* warning) {
  if (!sheet.surface) {
    if (error != nullptr) *error = "there is no surface to load it into";
    return false;
  }
  const int32_t w = sheet.surface->Width(), h = sheet.surface->Height();
  BmpPixels pixels;
  if (!ReadTileSheet(fileName, w, h, &pixels, error, warning)) return false;

  for (int32_t y = 0; y < h; ++y) {
    uint16_t* out = sheet.surface->Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const size_t at = pixels.Offset(x, y);
      switch (pixels.kind) {
        case BmpPixelKind::kIndexed: {
          const Rgb& c = pixels.palette[pixels.indices[at]];
          out[x] = static_cast<uint16_t>(RgbToPixel(is565, c.red, c.green, c.blue));
          break;
        }
        case BmpPixelKind::kRgb555:
          out[x] = static_cast<uint16_t>(Pixel555ToLayout(is565, pixels.raw555[at]));
          break;
        case BmpPixelKind::kRgb: {
          const Rgb c = pixels.rgb[at];
          out[x] = static_cast<uint16_t>(RgbToPixel(is565, c.red, c.green, c.blue));
          break;
        }
      }
    }
  }

  sheet.hasColourKey = 0;
  if (keyColour >= 0) {
    sheet.hasColourKey = 1;
    sheet.colourKey = static_cast<uint16_t>(keyColour);
  }
  return true;
}

}  // namespace boxedit
