// The tile-sheet loader: fills a Surface from an 8- or 16-bit BMP file whose pixel data follows
// the headers (and the 256-entry palette) directly, as blocks of exactly one Surface each.
#include <array>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "display/pixel_layout.h"
#include "display/surface.h"

namespace boxedit {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// (component * scale) >> 8 in signed 32-bit arithmetic; the product wraps as a 32-bit machine
// product does, instead of overflowing.
int32_t ScaleComponent(int32_t component, int32_t scale) {
  const auto product =
      static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(component) * scale));
  return product >> 8;
}

}  // namespace

int Surface::LoadTileSheet(const std::filesystem::path& fileName, int32_t keyColour,
                           int32_t redScale, int32_t greenScale, int32_t blueScale,
                           int32_t imageIndex) {
  if (!surface || display == nullptr) return 0;
  File file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return 0;

  // A file too short to hold both headers is refused: there is no bit depth to go by.
  std::array<uint8_t, kBitmapFileHeaderSize + kBitmapInfoHeaderSize> headerBytes{};
  if (std::fread(headerBytes.data(), 1, headerBytes.size(), file.get()) != headerBytes.size()) {
    return 0;
  }
  fileHeader = ParseFileHeader(std::span(headerBytes).first<kBitmapFileHeaderSize>());
  infoHeader = ParseInfoHeader(
      std::span(headerBytes).subspan<kBitmapFileHeaderSize, kBitmapInfoHeaderSize>());
  // The image is always taken as the Surface's size, whatever the header says.
  const int32_t w = surface->Width(), h = surface->Height();
  infoHeader.biWidth = w;
  infoHeader.biHeight = h;

  // Palette entries are blue, green, red, reserved. A file that ends inside the palette leaves
  // the missing entries black.
  std::array<uint8_t, 256 * 4> palette{};
  size_t bytesPerPixel = 0;
  if (infoHeader.biBitCount == 8) {
    std::fread(palette.data(), 1, palette.size(), file.get());
    if (std::ferror(file.get())) return 0;
    bytesPerPixel = 1;
  } else if (infoHeader.biBitCount == 16) {
    bytesPerPixel = 2;
  } else {
    return 0;  // no block size is known for any other depth
  }

  const size_t blockSize = static_cast<size_t>(w) * static_cast<size_t>(h) * bytesPerPixel;
  std::vector<uint8_t> block;
  try {
    block.assign(blockSize, 0);
  } catch (const std::bad_alloc&) {
    return 0;
  }

  // Read block after block into the one buffer until block imageIndex is in it. A read that
  // stops at the end of the file keeps the earlier bytes past the point it reached; every later
  // read would supply nothing, so the loop ends there. A negative index reads no block and the
  // Surface gets the zero-filled buffer.
  for (int64_t i = 0; i <= static_cast<int64_t>(imageIndex); ++i) {
    const size_t got = std::fread(block.data(), 1, blockSize, file.get());
    if (std::ferror(file.get())) return 0;
    if (got < blockSize) break;
  }
  file.reset();

  const bool is565 = display->is565;
  const LockedPixels locked = surface->Lock();
  for (int32_t y = 0; y < h; ++y) {
    // Rows are stored bottom-up: the block's last row is the top row of the Surface.
    const uint8_t* in = block.data() + static_cast<size_t>(h - 1 - y) * w * bytesPerPixel;
    auto* out = reinterpret_cast<uint16_t*>(locked.bits + static_cast<size_t>(locked.pitch) * y);
    for (int32_t x = 0; x < w; ++x) {
      int32_t pixel;
      if (bytesPerPixel == 1) {
        const int32_t index = in[x];
        const int32_t b = palette[index * 4], g = palette[index * 4 + 1],
                      r = palette[index * 4 + 2];
        // At 8 bits the key is matched against the palette index; key pixels are not scaled.
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

  hasColourKey = 0;
  if (keyColour >= 0) {
    hasColourKey = 1;
    colourKey = static_cast<uint16_t>(keyColour);
  }
  return 1;
}

}  // namespace boxedit
