#include "display/tile_sheet_loader.h"

#include "chardata/tile_sheet_file.h"
#include "display/pixel_layout.h"

namespace boxedit {

namespace {

// (component * scale) >> 8 in signed 32-bit arithmetic; the product wraps as a 32-bit machine
// product does, instead of overflowing.
int32_t ScaleComponent(int32_t component, int32_t scale) {
  const auto product =
      static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(component) * scale));
  return product >> 8;
}

}  // namespace

bool LoadTileSheet(Surface& sheet, bool is565, const std::filesystem::path& fileName,
                   int32_t keyColour, int32_t redScale, int32_t greenScale, int32_t blueScale,
                   int32_t imageIndex, std::string* error, std::string* warning) {
  if (!sheet.surface) {
    if (error != nullptr) *error = "there is no surface to load it into";
    return false;
  }
  const int32_t w = sheet.surface->Width(), h = sheet.surface->Height();
  BmpPixels pixels;
  if (!ReadTileSheet(fileName, w, h, imageIndex, &pixels, error, warning)) return false;

  // The key colour is compared unscaled and, when it matches, kept so.
  auto convert = [&](bool isKey, const Rgb& c) {
    return isKey
               ? RgbToPixel(is565, c.red, c.green, c.blue)
               : RgbToPixel(is565, ScaleComponent(c.red, redScale),
                            ScaleComponent(c.green, greenScale), ScaleComponent(c.blue, blueScale));
  };
  for (int32_t y = 0; y < h; ++y) {
    uint16_t* out = sheet.surface->Row(y);
    for (int32_t x = 0; x < w; ++x) {
      const size_t at = pixels.Offset(x, y);
      int32_t pixel = 0;
      switch (pixels.kind) {
        case BmpPixelKind::kIndexed: {
          const uint8_t index = pixels.indices[at];
          pixel = convert(index == keyColour, pixels.palette[index]);
          break;
        }
        case BmpPixelKind::kRgb555: {
          const int32_t v = pixels.raw555[at];
          const int32_t plain = ScalePixel(is565, v, 256, 256, 256);
          pixel =
              plain == keyColour ? plain : ScalePixel(is565, v, redScale, greenScale, blueScale);
          break;
        }
        case BmpPixelKind::kRgb: {
          const Rgb c = pixels.rgb[at];
          pixel = convert(RgbToPixel(is565, c.red, c.green, c.blue) == keyColour, c);
          break;
        }
      }
      out[x] = static_cast<uint16_t>(pixel);
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
