#include "display/draw_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

namespace boxedit {
namespace {

using Points = std::set<std::pair<int, int>>;

// Every pixel of the surface that is not 0.
Points Drawn(const Surface16& s) {
  Points p;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.At(x, y) != 0) p.insert({x, y});
    }
  }
  return p;
}

Points Line(int x0, int y0, int x1, int y1, int w = 16, int h = 12) {
  Surface16 s(w, h, kLayout565);
  DrawContext dc(s);
  dc.SelectPen(Rgb24(255, 255, 255));
  dc.MoveToEx(x0, y0);
  dc.LineTo(x1, y1);
  return Drawn(s);
}

// The line as documented, walked step by step with no clipping shortcuts: step i of the longer
// axis puts the shorter one at round(i * minor / major), halves away from the start.
Points Reference(int x0, int y0, int x1, int y1, int w, int h) {
  Points p;
  const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
  const int major = std::max(dx, dy), minor = std::min(dx, dy);
  for (int i = 0; i < major; ++i) {
    const int off = (2 * i * minor + major) / (2 * major);
    const int x = dx >= dy ? x0 + sx * i : x0 + sx * off;
    const int y = dx >= dy ? y0 + sy * off : y0 + sy * i;
    if (x >= 0 && y >= 0 && x < w && y < h) p.insert({x, y});
  }
  return p;
}

TEST(DrawContext, HorizontalAndVerticalLinesLeaveOutTheEndPixel) {
  EXPECT_EQ(Line(2, 3, 7, 3), (Points{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));
  EXPECT_EQ(Line(7, 3, 2, 3), (Points{{7, 3}, {6, 3}, {5, 3}, {4, 3}, {3, 3}}));
  EXPECT_EQ(Line(4, 8, 4, 4), (Points{{4, 8}, {4, 7}, {4, 6}, {4, 5}}));
}

TEST(DrawContext, ZeroLengthLineDrawsNothing) {
  EXPECT_TRUE(Line(5, 5, 5, 5).empty());
}

TEST(DrawContext, ConnectedSegmentsCloseAnOutline_WhenEachStartsAtThePreviousEnd) {
  Surface16 s(8, 8, kLayout565);
  DrawContext dc(s);
  dc.SelectPen(Rgb24(255, 255, 255));
  dc.MoveToEx(1, 1);
  dc.LineTo(4, 1);
  dc.LineTo(4, 3);
  dc.LineTo(1, 3);
  dc.LineTo(1, 1);
  EXPECT_EQ(
      Drawn(s),
      (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {3, 3}, {2, 3}, {1, 3}, {1, 2}}));
}

TEST(DrawContext, DiagonalLinesRoundHalvesAwayFromTheStart) {
  EXPECT_EQ(Line(0, 0, 4, 4), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  // Slope 1/4: step 2 sits exactly half way and moves to the end point's row.
  EXPECT_EQ(Line(0, 0, 4, 1), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  // The same line drawn the other way rounds toward its own end, so it is the mirror image.
  EXPECT_EQ(Line(4, 1, 0, 0), (Points{{4, 1}, {3, 1}, {2, 0}, {1, 0}}));
  // Steep: the column plays the role of the row.
  EXPECT_EQ(Line(0, 0, 1, 4), (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
}

TEST(DrawContext, LinesAreClippedPixelByPixel_WhenTheyLeaveTheSurface) {
  Points across;
  for (int x = 0; x < 16; ++x) across.insert({x, 2});
  EXPECT_EQ(Line(-5, 2, 20, 2), across);
  EXPECT_TRUE(Line(-10, -1, 30, -1).empty());
  EXPECT_TRUE(Line(16, 0, 16, 11).empty());
  // End points at the far ends of the 32-bit range: only the on-surface pixels are drawn.
  Points diagonal;
  for (int k = 0; k < 12; ++k) diagonal.insert({k, k});
  EXPECT_EQ(Line(-1000000000, -1000000000, 1000000000, 1000000000), diagonal);
  EXPECT_EQ(Line(INT32_MIN, 5, INT32_MAX, 5).size(), 16u);
  EXPECT_EQ(Line(3, INT32_MAX, 3, INT32_MIN).size(), 12u);
}

TEST(DrawContext, ClippedLinesMatchTheStepByStepLine) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> coordinate(-40, 60);
  for (int n = 0; n < 3000; ++n) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    ASSERT_EQ(Line(x0, y0, x1, y1, 21, 13), Reference(x0, y0, x1, y1, 21, 13))
        << "(" << x0 << "," << y0 << ") to (" << x1 << "," << y1 << ")";
  }
}

TEST(DrawContext, PenAndPixelColoursAreConvertedToTheSurfaceLayout) {
  Surface16 s565(4, 1, kLayout565), s555(4, 1, kLayout555);
  for (Surface16* s : {&s565, &s555}) {
    DrawContext dc(*s);
    EXPECT_EQ(dc.SelectPen(Rgb24(255, 0, 0)), 0u);  // the stock pen is black
    EXPECT_EQ(dc.SelectPen(Rgb24(255, 0, 0)), Rgb24(255, 0, 0));
    dc.MoveToEx(0, 0);
    dc.LineTo(1, 0);
    dc.SetPixel(1, 0, Rgb24(0, 63, 0));
    dc.SetPixel(2, 0, Rgb24(128, 128, 128));
    dc.SetPixel(4, 0, Rgb24(255, 255, 255));  // off the surface: ignored
    dc.SetPixel(-1, 0, Rgb24(255, 255, 255));
  }
  EXPECT_EQ(s565.At(0, 0), 0xF800);
  EXPECT_EQ(s565.At(1, 0), 0x01E0);
  EXPECT_EQ(s565.At(2, 0), 0x8410);
  EXPECT_EQ(s565.At(3, 0), 0);
  EXPECT_EQ(s555.At(0, 0), 0x7C00);
  EXPECT_EQ(s555.At(1, 0), 0x00E0);
  EXPECT_EQ(s555.At(2, 0), 0x4210);
  EXPECT_EQ(s555.At(3, 0), 0);
}

TEST(DrawContext, ColourToPixelMatchesRgbToPixel) {
  for (int c : {0, 7, 8, 63, 64, 127, 128, 200, 255}) {
    for (bool is565 : {true, false}) {
      EXPECT_EQ(ColourToPixel(LayoutOf(is565), Rgb24(c, 255 - c, c / 2)),
                RgbToPixel(is565, c, 255 - c, c / 2));
    }
  }
}

}  // namespace
}  // namespace boxedit
