#include "display/draw_context.h"

#include <algorithm>
#include <cstdlib>

namespace boxedit {

uint16_t ColourToPixel(const PixelLayout& layout, ColourRef colour) {
  auto channel = [](uint32_t value, int shift, int bits) {
    return static_cast<uint32_t>((value & 0xFF) >> (8 - bits)) << shift;
  };
  return static_cast<uint16_t>(channel(colour, layout.redShift, layout.redBits) |
                               channel(colour >> 8, layout.greenShift, layout.greenBits) |
                               channel(colour >> 16, layout.blueShift, layout.blueBits));
}

ColourRef DrawContext::SelectPen(ColourRef colour) {
  const ColourRef before = pen_;
  pen_ = colour;
  return before;
}

void DrawContext::MoveToEx(int32_t x, int32_t y) {
  x_ = x;
  y_ = y;
}

void DrawContext::SetPixel(int32_t x, int32_t y, ColourRef colour) {
  Plot(x, y, ColourToPixel(target_.Layout(), colour));
}

void DrawContext::Plot(int32_t x, int32_t y, uint16_t pixel) {
  if (x < 0 || y < 0 || x >= target_.Width() || y >= target_.Height()) return;
  target_.Row(y)[x] = pixel;
}

// Bresenham's line from the current position to (x, y), the end pixel left out.
//
// The longer axis ("major") advances one pixel per step; step i (0 <= i < length) puts the
// shorter axis at round(i * minor / major), where an exact half rounds away from the start point.
// Incrementally that is the usual error term: numerator 2*i*minor + major, stepping the minor
// axis each time it passes a multiple of 2*major. A horizontal or vertical line is therefore
// exact, and a 45-degree line is a clean diagonal.
//
// Only the steps that land on the surface are walked: the range of steps whose major coordinate
// is on the surface is worked out directly, and the minor coordinate (monotonic in i) narrows it
// by binary search. Lines with far-off end points cost no more than the pixels they draw.
void DrawContext::LineTo(int32_t x, int32_t y) {
  const int64_t x0 = x_, y0 = y_;
  x_ = x;
  y_ = y;
  const int64_t dx = std::llabs(static_cast<int64_t>(x) - x0);
  const int64_t dy = std::llabs(static_cast<int64_t>(y) - y0);
  const int64_t sx = x >= x0 ? 1 : -1;
  const int64_t sy = y >= y0 ? 1 : -1;

  const bool xMajor = dx >= dy;
  const int64_t major = xMajor ? dx : dy;
  const int64_t minor = xMajor ? dy : dx;
  if (major == 0) return;  // a zero-length line draws nothing
  const int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const int64_t majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;
  const int64_t majorLimit = xMajor ? target_.Width() : target_.Height();
  const int64_t minorLimit = xMajor ? target_.Height() : target_.Width();

  // The minor-axis offset of step i. Both i and minor can reach 2^32, so the product is taken
  // in 128 bits; the quotient is at most minor and fits again.
  auto offsetAt = [&](int64_t i) {
    return static_cast<int64_t>((2 * static_cast<__int128>(i) * minor + major) / (2 * major));
  };
  auto minorAt = [&](int64_t i) { return minorStart + minorStep * offsetAt(i); };

  // Steps whose major coordinate lies in [0, majorLimit).
  int64_t first = 0, last = major;  // half-open [first, last)
  if (majorStep > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorLimit - majorStart);
  } else {
    first = std::max(first, majorStart - (majorLimit - 1));
    last = std::min(last, majorStart + 1);
  }
  if (first >= last) return;

  // The first step in [lo, hi) for which `past` holds, `past` being false then true along i.
  auto firstWhere = [](int64_t lo, int64_t hi, auto past) {
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (past(mid)) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    return lo;
  };
  auto beforeSurface = [&](int64_t i) {
    const int64_t m = minorAt(i);
    return minorStep > 0 ? m < 0 : m >= minorLimit;
  };
  auto pastSurface = [&](int64_t i) {
    const int64_t m = minorAt(i);
    return minorStep > 0 ? m >= minorLimit : m < 0;
  };
  first = firstWhere(first, last, [&](int64_t i) { return !beforeSurface(i); });
  last = firstWhere(first, last, pastSurface);
  if (first >= last) return;

  const uint16_t pixel = ColourToPixel(target_.Layout(), pen_);
  int64_t m = minorAt(first);
  int64_t remainder =
      static_cast<int64_t>((2 * static_cast<__int128>(first) * minor + major) % (2 * major));
  int64_t a = majorStart + majorStep * first;
  for (int64_t i = first; i < last; ++i) {
    if (xMajor) {
      target_.Row(static_cast<int32_t>(m))[a] = pixel;
    } else {
      target_.Row(static_cast<int32_t>(a))[m] = pixel;
    }
    a += majorStep;
    remainder += 2 * minor;
    if (remainder >= 2 * major) {
      remainder -= 2 * major;
      m += minorStep;
    }
  }
}

}  // namespace boxedit
