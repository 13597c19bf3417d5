#include "display/surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::OpenDisplay;

constexpr uint16_t kGrey565 = 0x8410;

// Surfaces are large records; tests keep them on the heap.
std::unique_ptr<Surface> NewSurface() {
  return std::make_unique<Surface>();
}

// Fills the surface so that pixel (x, y) is 1000 + 40 * y + x: every copied pixel tells where it
// came from.
void Number(Surface& s) {
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x)
      s.surface->Row(y)[x] = static_cast<uint16_t>(1000 + 40 * y + x);
  }
}

TEST(SurfaceCreate, RefusesWithoutAnOpenDisplay) {
  Display closed;
  auto s = NewSurface();
  EXPECT_EQ(s->Create(closed, 32, 32, 3), 0);
  EXPECT_FALSE(s->surface);
  EXPECT_EQ(s->width, 0);  // nothing was stored
}

TEST(SurfaceCreate, FollowsThePlacementRules_WhenVideoMemoryIsRefused) {
  OpenDisplay d;
  d.display.refuseVideoMemory = true;
  auto videoOnly = NewSurface(), either = NewSurface(), system = NewSurface();
  EXPECT_EQ(videoOnly->Create(d.display, 320, 240, 1), 0);
  EXPECT_FALSE(videoOnly->surface);
  EXPECT_EQ(videoOnly->width, 320);  // the size stays even so
  EXPECT_EQ(videoOnly->height, 240);
  EXPECT_EQ(either->Create(d.display, 640, 720, 2), 1);
  EXPECT_TRUE(either->surface);
  EXPECT_EQ(system->Create(d.display, 8, 8, 0), 1);

  d.display.refuseVideoMemory = false;
  EXPECT_EQ(videoOnly->Create(d.display, 320, 240, 1), 1);
  EXPECT_EQ(videoOnly->surface->Width(), 320);
  EXPECT_EQ(videoOnly->surface->Layout().greenBits, 6);  // the display's layout
}

TEST(SurfaceCreate, RefusesEmptyOrNegativeSizes) {
  OpenDisplay d;
  auto s = NewSurface();
  EXPECT_EQ(s->Create(d.display, 0, 16, 3), 0);
  EXPECT_EQ(s->Create(d.display, 16, -1, 3), 0);
  EXPECT_EQ(s->Create(d.display, 100000, 16, 3), 0);
  EXPECT_FALSE(s->surface);
}

TEST(SurfaceSetCells, FontGridRectangles) {
  OpenDisplay d;
  auto font = NewSurface();
  ASSERT_EQ(font->Create(d.display, 320, 240, 1), 1);
  EXPECT_EQ(font->cells[0], (Rect{0, 0, 320, 240}));  // cell 0 is the whole surface at first
  EXPECT_EQ(font->SetCells(8, 16), 1);
  EXPECT_EQ(font->cells[16], (Rect{128, 0, 136, 16}));
  EXPECT_EQ(font->cells[40], (Rect{0, 16, 8, 32}));
  EXPECT_EQ(font->cells[599], (Rect{312, 224, 320, 240}));
  EXPECT_EQ(font->cells[600], Rect{});  // never written
}

TEST(SurfaceSetCells, TileSheetGridRectangles) {
  OpenDisplay d;
  auto tiles = NewSurface();
  ASSERT_EQ(tiles->Create(d.display, 640, 720, 2), 1);
  EXPECT_EQ(tiles->SetCells(16, 16), 1);
  EXPECT_EQ(tiles->cells[39], (Rect{624, 0, 640, 16}));
  EXPECT_EQ(tiles->cells[40], (Rect{0, 16, 16, 32}));
  EXPECT_EQ(tiles->cells[1799], (Rect{624, 704, 640, 720}));
}

TEST(SurfaceSetCells, LastCellsReachPastTheEdge_WhenSizeIsNotAMultiple) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 20, 20, 3), 1);
  s->SetCells(16, 16);
  EXPECT_EQ(s->cells[1], (Rect{16, 0, 32, 16}));
  EXPECT_EQ(s->cells[3], (Rect{16, 16, 32, 32}));
  EXPECT_EQ(s->cells[4], Rect{});
}

TEST(SurfaceSetCells, StopsAtTheTableSize_WhenTheGridIsLarger) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 64, 64, 3), 1);
  EXPECT_EQ(s->SetCells(1, 1), 1);                  // 4096 cells
  EXPECT_EQ(s->cells[1799], (Rect{7, 28, 8, 29}));  // 1799 = 28 * 64 + 7
}

TEST(SurfaceSetCells, WritesNothing_WithoutASurfaceOrWithAnEmptyCellSize) {
  OpenDisplay d;
  auto s = NewSurface();
  EXPECT_EQ(s->SetCells(8, 8), 0);
  ASSERT_EQ(s->Create(d.display, 32, 32, 3), 1);
  EXPECT_EQ(s->SetCells(0, 8), 0);
  EXPECT_EQ(s->SetCells(8, -8), 0);
  EXPECT_EQ(s->cells[0], (Rect{0, 0, 32, 32}));
  EXPECT_EQ(s->cells[1], Rect{});
}

TEST(SurfaceBlitCell, CopiesTheWholeSurfaceAsCellZero_BeforeSetCells) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 40, 30, 3), 1);
  Number(*s);
  EXPECT_EQ(s->BlitCell(100, 50, 0), 1);
  EXPECT_EQ(d.Back().At(100, 50), 1000);
  EXPECT_EQ(d.Back().At(139, 79), 1000 + 40 * 29 + 39);
  EXPECT_EQ(d.Back().At(140, 79), 0);
}

TEST(SurfaceBlitCell, ShowsTheRightTwelveColumns_AtXMinusFour) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 32, 16, 3), 1);
  s->SetCells(16, 16);
  Number(*s);
  ClearBackBuffer(d.display, 128, 128, 128);
  s->BlitCell(-4, 10, 1);  // cell 1: source columns 16..31
  EXPECT_EQ(d.Back().At(0, 10), 1000 + 16 + 4);
  EXPECT_EQ(d.Back().At(11, 10), 1000 + 31);
  EXPECT_EQ(d.Back().At(11, 25), 1000 + 40 * 15 + 31);
  EXPECT_EQ(d.Back().At(12, 10), kGrey565);
  EXPECT_EQ(d.Back().At(0, 26), kGrey565);

  s->BlitCell(632, 472, 0);  // past the right and bottom edges
  EXPECT_EQ(d.Back().At(639, 479), 1000 + 40 * 7 + 7);
}

TEST(SurfaceBlitCell, LeavesOutKeyPixelsOnlyWithAColourKey) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 2, 1, 3), 1);
  s->surface->Row(0)[0] = 0x01E0;
  s->surface->Row(0)[1] = 0xF800;
  s->colourKey = 0x01E0;

  ClearBackBuffer(d.display, 128, 128, 128);
  s->hasColourKey = 1;
  s->BlitCell(0, 0, 0);
  EXPECT_EQ(d.Back().At(0, 0), kGrey565);
  EXPECT_EQ(d.Back().At(1, 0), 0xF800);

  s->hasColourKey = 0;
  s->BlitCell(0, 0, 0);
  EXPECT_EQ(d.Back().At(0, 0), 0x01E0);
}

TEST(SurfaceBlitCell, DrawsNothing_ForCellNumbersOutsideTheTable) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 16, 16, 3), 1);
  s->surface->Fill(0x1111);
  ClearBackBuffer(d.display, 128, 128, 128);
  for (int32_t cell : {-1, 1800, 65535, INT32_MAX, INT32_MIN, 5}) {
    EXPECT_EQ(s->BlitCell(0, 0, cell), 1) << cell;  // 5 was never written: an empty rectangle
  }
  EXPECT_EQ(d.Back().At(0, 0), kGrey565);
}

TEST(SurfaceBlitCell, DrawsNothing_WhenCreationFailed) {
  OpenDisplay d;
  d.display.refuseVideoMemory = true;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 16, 16, 1), 0);
  ClearBackBuffer(d.display, 128, 128, 128);
  EXPECT_EQ(s->BlitCell(0, 0, 0), 0);
  EXPECT_EQ(d.Back().At(0, 0), kGrey565);
  s->Release();
  EXPECT_FALSE(s->surface);
}

TEST(SurfaceRelease, SecondReleaseDoesNothingAndTheRecordStays) {
  OpenDisplay d;
  auto s = NewSurface();
  ASSERT_EQ(s->Create(d.display, 32, 16, 3), 1);
  s->SetCells(16, 16);
  s->hasColourKey = 1;
  s->Release();
  s->Release();
  EXPECT_FALSE(s->surface);
  EXPECT_EQ(s->width, 32);
  EXPECT_EQ(s->hasColourKey, 1);
  EXPECT_EQ(s->cells[1], (Rect{16, 0, 32, 16}));
  EXPECT_EQ(s->BlitCell(0, 0, 1), 0);
}

}  // namespace
}  // namespace boxedit
