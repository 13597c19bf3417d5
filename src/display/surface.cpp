#include "display/surface.h"

namespace boxedit {

namespace {

// Larger surfaces are refused as a display card refuses them; it also keeps every pixel offset
// and row pitch well inside 32 bits.
constexpr int32_t kMaxSurfaceSide = 16384;

}  // namespace

int Surface::Create(Display& owner, int32_t newWidth, int32_t newHeight, int32_t placement) {
  if (owner.platform == nullptr || !owner.backBuffer) return 0;
  surface.reset();  // a Surface created again never keeps a surface of the old size
  width = newWidth;
  height = newHeight;
  if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxSurfaceSide ||
      newHeight > kMaxSurfaceSide) {
    return 0;
  }
  // Video and system memory are the same memory here; only the refusal of video memory is
  // simulated, so that the placement rules can be seen at work.
  if (placement == 1 && owner.refuseVideoMemory) return 0;
  surface = std::make_unique<Surface16>(newWidth, newHeight, owner.backBuffer->Layout());
  display = &owner;
  cells[0] = Rect{0, 0, newWidth, newHeight};
  return 1;
}

int Surface::SetCells(int32_t cellWidth, int32_t cellHeight) {
  // A cell size of 0 or less would never leave the loops below.
  if (!surface || cellWidth <= 0 || cellHeight <= 0) return 0;
  int n = 0;
  for (int64_t top = 0; top < height; top += cellHeight) {
    for (int64_t left = 0; left < width; left += cellWidth) {
      if (n == kMaxCells) return 1;  // a larger grid keeps its first kMaxCells cells
      cells[n++] =
          Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
               static_cast<int32_t>(left + cellWidth), static_cast<int32_t>(top + cellHeight)};
    }
  }
  return 1;
}

int Surface::BlitCell(int32_t x, int32_t y, int32_t cell) {
  if (!surface) return 0;
  if (cell < 0 || cell >= kMaxCells) return 1;  // no such entry: nothing to copy
  if (display == nullptr || !display->backBuffer) return 1;
  std::optional<uint16_t> key;
  if (hasColourKey == 1) key = colourKey;
  display->backBuffer->Blit(x, y, *surface, cells[cell], key);
  return 1;
}

void Surface::Release() {
  surface.reset();
}

}  // namespace boxedit
