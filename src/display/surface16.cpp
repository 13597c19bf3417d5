#include "display/surface16.h"

#include <algorithm>
#include <cstring>

namespace boxedit {

namespace {

// Rows start on 4-byte boundaries, as the rows of a hardware surface do; code that walks the
// pixels must use the pitch, never the width.
int32_t PitchFor(int32_t width) {
  return ((width * 2) + 3) & ~3;
}

// A start below 0 moves up to 0, and the start it is paired with moves by as much.
void CutBelowZero(int64_t& start, int64_t& paired) {
  if (start >= 0) return;
  paired -= start;
  start = 0;
}

}  // namespace

Surface16::Surface16(int32_t width, int32_t height, const PixelLayout& layout)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pitch_(PitchFor(width_)),
      layout_(layout),
      pixels_(static_cast<size_t>(pitch_ / 2) * static_cast<size_t>(height_), 0) {}

void Surface16::Fill(uint16_t pixel) {
  std::fill(pixels_.begin(), pixels_.end(), pixel);
}

void Surface16::FillRect(Rect r, uint16_t pixel) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  for (int32_t y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
}

void Surface16::Blit(int32_t x, int32_t y, const Surface16& source, Rect from,
                     std::optional<uint16_t> key) {
  // Work in 64 bits: positions and rectangles may lie anywhere in the 32-bit range.
  int64_t srcLeft = from.left, srcTop = from.top;
  int64_t srcRight = from.right, srcBottom = from.bottom;
  int64_t dstLeft = x, dstTop = y;

  // Clip to the source surface, moving the destination with any cut on the left or top.
  CutBelowZero(srcLeft, dstLeft);
  CutBelowZero(srcTop, dstTop);
  srcRight = std::min<int64_t>(srcRight, source.width_);
  srcBottom = std::min<int64_t>(srcBottom, source.height_);

  // Clip to this surface.
  CutBelowZero(dstLeft, srcLeft);
  CutBelowZero(dstTop, srcTop);
  const int64_t columns = std::min(srcRight - srcLeft, width_ - dstLeft);
  const int64_t rows = std::min(srcBottom - srcTop, height_ - dstTop);
  if (columns <= 0 || rows <= 0) return;

  const size_t n = static_cast<size_t>(columns);
  for (int64_t row = 0; row < rows; ++row) {
    const uint16_t* in = source.Row(static_cast<int32_t>(srcTop + row)) + srcLeft;
    uint16_t* out = Row(static_cast<int32_t>(dstTop + row)) + dstLeft;
    if (!key) {
      std::memmove(out, in, n * sizeof(uint16_t));  // source and target may be one surface
      continue;
    }
    const uint16_t k = *key;
    for (size_t i = 0; i < n; ++i) {
      if (in[i] != k) out[i] = in[i];
    }
  }
}

}  // namespace boxedit
