#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

#include "display/draw_context.h"
#include "display/pixel_layout.h"
#include "display/surface.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

constexpr uint16_t kKey = 0x01E0, kGrey = 0x8410;

TEST(Display, ReleaseTwiceClosesOnce_AndClosedDisplaysDrawNothing) {
  testing::OpenDisplay d(true);
  ReleaseDisplay(d.display);
  ReleaseDisplay(d.display);
  EXPECT_EQ(d.platform.closeScreenCalls, 1);
  EXPECT_FALSE(ClearBackBuffer(d.display, 128, 128, 128));
  EXPECT_FALSE(ClearScreen(d.display, 128, 128, 128));
  FlipScreen(d.display);
  EXPECT_EQ(d.platform.presentCount, 0);
}

// Nothing is clamped or masked; from 5-5-5, green fills the top of six bits, bit 15 is no colour.
TEST(PixelLayout, RgbToPixelAndPixel555ToLayout_PackInEitherLayout) {
  const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t> rgb[] = {
      {255, 255, 255, 0xFFFF, 0x7FFF}, {0, 63, 0, 0x01E0, 0x00E0}, {255, 0, 0, 0xF800, 0x7C00},
      {256, 0, 256, 0x10020, 0x8020},  {-1, -1, -1, -1, -1},       {7, 3, 7, 0, 0}};
  for (const auto& [red, green, blue, in565, in555] : rgb) {
    EXPECT_EQ(RgbToPixel(true, red, green, blue), in565) << in565;
    EXPECT_EQ(RgbToPixel(false, red, green, blue), in555) << in565;
  }
  const std::tuple<int32_t, int32_t, int32_t> from555[] = {
      {0x7FFF, 0xFFDF, 0x7FFF}, {0x0020, 0x0040, 0x0020}, {0x8000, 0, 0}, {0x7C1F, 0xF81F, 0x7C1F}};
  for (const auto& [pixel, in565, in555] : from555) {
    EXPECT_EQ(Pixel555ToLayout(true, pixel), in565) << pixel;
    EXPECT_EQ(Pixel555ToLayout(false, pixel), in555) << pixel;
  }
}

using Points = std::set<std::pair<int, int>>;

Points Line(int x0, int y0, int x1, int y1) {
  Surface16 s(21, 13, kLayout565);
  DrawContext dc(s);
  dc.SelectPen(Rgb24(255, 255, 255));
  dc.MoveToEx(x0, y0);
  dc.LineTo(x1, y1);
  Points p;
  for (int i = 0; i < 21 * 13; ++i)
    if (s.At(i % 21, i / 21) == 0xFFFF) p.insert({i % 21, i / 21});
  return p;
}

// Step i of the longer axis puts the shorter at round(i * minor / major), halves away from start.
TEST(DrawContext, LinesLeaveOutTheEndPixel_AndClippingKeepsThePixelsOfTheWholeLine) {
  EXPECT_EQ(Line(4, 8, 4, 6), (Points{{4, 8}, {4, 7}}));
  EXPECT_EQ(Line(4, 1, 0, 0), (Points{{4, 1}, {3, 1}, {2, 0}, {1, 0}}));
  EXPECT_EQ(Line(-3, -1, 9, 2),
            (Points{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 2}, {8, 2}}));
  EXPECT_EQ(Line(INT32_MIN, 5, INT32_MAX, 5).size(), 21u);
  EXPECT_EQ(Line(-1000000000, -1000000000, 1000000000, 1000000000).size(), 13u);
}

// Rows of 20 pixels have no padding: a pixel past a row's end would land on the next row.
TEST(DrawContext, PixelsOffTheSurfaceAreLeftOut_AndFillRectStopsBeforeItsEnd) {
  Surface16 s(20, 12, kLayout565);
  DrawContext dc(s);
  for (const auto& [x, y] : {std::pair(-1, 5), {20, 5}, {-1, 0}, {20, 11}})
    dc.SetPixel(x, y, Rgb24(255, 255, 255));
  EXPECT_EQ(std::count(s.Row(0), s.Row(12), 0), 240);
  s.FillRect({-5, 9, 2, 11}, 7);
  EXPECT_EQ(std::count(s.Row(0), s.Row(12), 7), 4);
  EXPECT_EQ(std::pair(s.At(1, 10), s.At(1, 11)), std::pair(uint16_t{7}, uint16_t{0}));
}

class SurfaceTest : public ::testing::Test {
 protected:
  // Pixel (x, y) is 1000 + 40 * y + x, on a grey back buffer.
  Surface& Make(int w, int h) {
    EXPECT_TRUE(s.Create(d.display, w, h));
    for (int i = 0; i < w * h; ++i)
      s.surface->Row(i / w)[i % w] = uint16_t(1000 + 40 * (i / w) + i % w);
    ClearBackBuffer(d.display, 128, 128, 128);
    return s;
  }
  uint16_t At(int x, int y) { return d.Back().At(x, y); }

  testing::OpenDisplay d;
  struct {
    Surface surface;
    Rect past{0, 0, 16, 16};  // what a read past the cell table would find
  } padded;
  Surface& s = padded.surface;
};

TEST_F(SurfaceTest, CellRectangles_RunAlongRows_UpTo1800) {
  const std::tuple<int, int, int, int, int, Rect> cases[] = {
      {20, 20, 16, 16, 3, {16, 16, 32, 32}},  // the last cells reach past the edge
      {64, 64, 1, 1, 1799, {7, 28, 8, 29}}};  // 4096 cells would fit: 1799 = 28 * 64 + 7
  for (const auto& [w, h, cellW, cellH, cell, rect] : cases) {
    ASSERT_TRUE(Make(w, h).SetCells(cellW, cellH));
    EXPECT_EQ(s.cells[cell], rect) << cell;
  }
  EXPECT_FALSE(s.SetCells(0, 8));
}

TEST_F(SurfaceTest, BlitCellClipsAtTheEdges_AndLeavesOutExactKeyPixelsOnlyWithAKey) {
  Make(32, 16).BlitCell(d.display, 100, 50, 0);  // before SetCells cell 0 is the whole surface
  EXPECT_EQ(std::tuple(At(131, 65), At(132, 65)), std::tuple(1000 + 40 * 15 + 31, kGrey));
  s.SetCells(16, 16);
  s.BlitCell(d.display, -4, 10, 1);  // cell 1, source columns 16..31: its right 12 at 0..11
  s.BlitCell(d.display, 632, 472, 0);
  EXPECT_EQ(std::tuple(At(0, 10), At(11, 25), At(12, 10), At(0, 26), At(639, 479)),
            std::tuple(1000 + 20, 1000 + 40 * 15 + 31, kGrey, kGrey, 1000 + 40 * 7 + 7));
  s.surface->Row(0)[0] = kKey;
  s.surface->Row(0)[1] = 0x81E0;  // differs from the key in bit 15 only
  s.colourKey = kKey;
  s.hasColourKey = 1;
  ClearBackBuffer(d.display, 128, 128, 128);
  s.BlitCell(d.display, 0, 0, 0);
  EXPECT_EQ(std::tuple(At(0, 0), At(1, 0)), std::tuple(kGrey, 0x81E0));
  s.hasColourKey = 0;
  s.BlitCell(d.display, 0, 0, 0);
  EXPECT_EQ(At(0, 0), kKey);
}

TEST_F(SurfaceTest, NothingIsDrawn_OutsideTheCellTableOrWithoutASurface) {
  Make(16, 16);
  ASSERT_EQ(static_cast<void*>(&padded.past), static_cast<void*>(s.cells.data() + kMaxCells));
  for (int32_t cell : {-1, kMaxCells, INT32_MIN, 5})  // 5 was never written: empty
    EXPECT_TRUE(s.BlitCell(d.display, 0, 0, cell)) << cell;
  s.BlitCell(d.display, INT32_MAX, INT32_MIN, 0);
  s.Release();
  s.Release();
  EXPECT_FALSE(s.BlitCell(d.display, 0, 0, 0));
  EXPECT_EQ(std::count(d.Back().Row(0), d.Back().Row(480), kGrey), 640 * 480);
  EXPECT_FALSE(s.Create(d.display, 0, 16));
  Display never;
  EXPECT_FALSE(s.Create(never, 16, 16));
}

}  // namespace
}  // namespace boxedit
