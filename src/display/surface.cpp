#include "display/surface.h"

namespace boxedit {

namespace {

// Larger surfaces are refused as a display card refuses them; it also keeps every pixel offset
// and row pitch well inside 32 bits.
constexpr int32_t kMaxSurfaceSide = 16384;

}  // namespace

bool Surface::Create(const Display& display, int32_t newWidth, int32_t newHeight) {
  if (display.screen == nullptr || !display.backBuffer) return false;
  surface.reset();  // a Surface created again never keeps a surface of the old size
  width = newWidth;
  height = newHeight;
  if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxSurfaceSide ||
      newHeight > kMaxSurfaceSide) {
    return false;
  }
  surface = std::make_unique<Surface16>(newWidth, newHeight, display.backBuffer->Layout());
  cells[0] = Rect{0, 0, newWidth, newHeight};
  return true;
}

bool Surface::SetCells(int32_t cellWidth, int32_t cellHeight) {
  // A cell size of 0 or less would never leave the loops below.
  if (!surface || cellWidth <= 0 || cellHeight <= 0) return false;
  int n = 0;
  for (int64_t top = 0; top < height; top += cellHeight) {
    for (int64_t left = 0; left < width; left += cellWidth) {
      if (n == kMaxCells) return true;  // a larger grid keeps its first kMaxCells cells
      cells[n++] =
          Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
               static_cast<int32_t>(left + cellWidth), static_cast<int32_t>(top + cellHeight)};
    }
  }
  return true;
}

bool Surface::BlitCell(Display& display, int32_t x, int32_t y, int32_t cell) const {
  if (!surface) return false;
  if (cell < 0 || cell >= kMaxCells) return true;  // no such entry: nothing to copy
  if (!display.backBuffer) return true;
  std::optional<uint16_t> key;
  if (hasColourKey == 1) key = colourKey;
  display.backBuffer->Blit(x, y, *surface, cells[cell], key);
  return true;
}

void Surface::Release() {
  surface.reset();
}

}  // namespace boxedit
