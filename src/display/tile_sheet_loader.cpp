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
                   int32_t imageIndex, std::string* error) {
  if (!sheet.surface) {
    if (error != nullptr) *error = "there is no surface to load it into";
    return false;
  }
  // The image is always taken as the Surface's size, whatever the header says.
  const int32_t w = sheet.surface->Width(), h = sheet.surface->Height();
  TileSheetBlock block;
  if (!ReadTileSheetBlock(fileName, w, h, imageIndex, &block, error)) return false;

  const size_t bytesPerPixel = static_cast<size_t>(block.bytesPerPixel);
  const uint8_t* palette = block.palette.data();
  for (int32_t y = 0; y < h; ++y) {
    // Rows are stored bottom-up: the block's last row is the top row of the Surface.
    const uint8_t* in = block.pixels.data() + static_cast<size_t>(h - 1 - y) * w * bytesPerPixel;
    uint16_t* out = sheet.surface->Row(y);
    for (int32_t x = 0; x < w; ++x) {
      int32_t pixel;
      if (bytesPerPixel == 1) {
        const int32_t index = in[x];
        const int32_t b = palette[index * 4], g = palette[index * 4 + 1],
                      r = palette[index * 4 + 2];
        if (index == keyColour) {
          pixel = RgbToPixel(is565, r, g, b);
        } else {
          pixel = RgbToPixel(is565, ScaleComponent(r, redScale), ScaleComponent(g, greenScale),
                             ScaleComponent(b, blueScale));
        }
      } else {
        const int32_t v = in[2 * x] | (in[2 * x + 1] << 8);  // a 5-5-5 pixel
        const int32_t plain = ScalePixel(is565, v, 256, 256, 256);
        pixel = plain == keyColour ? plain : ScalePixel(is565, v, redScale, greenScale, blueScale);
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
