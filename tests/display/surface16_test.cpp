#include "display/surface16.h"

#include <gtest/gtest.h>

namespace boxedit {
namespace {

// A source whose pixel (x, y) is 100 * y + x + 1, so every copied pixel tells where it came from.
Surface16 NumberedSource(int32_t w, int32_t h) {
  Surface16 s(w, h, kLayout565);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) s.Row(y)[x] = static_cast<uint16_t>(100 * y + x + 1);
  }
  return s;
}

TEST(Surface16, RowsArePitchApart_WhenWidthIsOdd) {
  Surface16 s(3, 2, kLayout555);
  EXPECT_EQ(s.Pitch(), 8);  // rows start on 4-byte boundaries
  s.Fill(0x1234);
  s.Row(1)[2] = 7;
  EXPECT_EQ(s.At(2, 0), 0x1234);
  EXPECT_EQ(s.At(2, 1), 7);
  const LockedPixels locked = s.Lock();
  EXPECT_EQ(reinterpret_cast<uint16_t*>(locked.bits + locked.pitch)[2], 7);
}

TEST(Surface16, BlitCopiesRectangle_WhenInside) {
  const Surface16 src = NumberedSource(8, 8);
  Surface16 dst(10, 10, kLayout565);
  dst.Blit(4, 5, src, Rect{2, 3, 5, 5});
  EXPECT_EQ(dst.At(4, 5), 100 * 3 + 2 + 1);
  EXPECT_EQ(dst.At(6, 6), 100 * 4 + 4 + 1);
  EXPECT_EQ(dst.At(7, 5), 0);  // one past the right edge of the copy
  EXPECT_EQ(dst.At(4, 7), 0);  // one past the bottom
  EXPECT_EQ(dst.At(3, 5), 0);
}

TEST(Surface16, BlitClipsToDestination_OnEverySide) {
  const Surface16 src = NumberedSource(6, 6);
  Surface16 dst(4, 4, kLayout565);
  dst.Blit(-2, -3, src, Rect{0, 0, 6, 6});  // larger than the target on every side
  EXPECT_EQ(dst.At(0, 0), 100 * 3 + 2 + 1);
  EXPECT_EQ(dst.At(3, 2), 100 * 5 + 5 + 1);
  EXPECT_EQ(dst.At(3, 3), 0);  // source row 6 does not exist

  Surface16 far(4, 4, kLayout565);
  far.Blit(INT32_MAX, INT32_MIN, src, Rect{0, 0, 6, 6});
  far.Blit(INT32_MIN, 0, src, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(far.At(x, y), 0);
  }
}

TEST(Surface16, BlitClipsToSource_MovingTheDestinationWithTheCut) {
  const Surface16 src = NumberedSource(4, 4);
  Surface16 dst(10, 10, kLayout565);
  // The rectangle starts two columns and one row before the source and reaches past it.
  dst.Blit(1, 1, src, Rect{-2, -1, 6, 6});
  EXPECT_EQ(dst.At(1, 1), 0);
  EXPECT_EQ(dst.At(3, 2), 1);                // source (0, 0) lands where it would unclipped
  EXPECT_EQ(dst.At(6, 5), 100 * 3 + 3 + 1);  // source (3, 3)
  EXPECT_EQ(dst.At(7, 5), 0);
  EXPECT_EQ(dst.At(6, 6), 0);
}

TEST(Surface16, KeyedBlitLeavesOutOnlyExactKeyPixels) {
  Surface16 src(4, 1, kLayout565);
  src.Row(0)[0] = 0x01E0;  // the key
  src.Row(0)[1] = 0x01E1;  // differs in the lowest bit
  src.Row(0)[2] = 0x81E0;  // differs in bit 15
  src.Row(0)[3] = 0x0000;
  Surface16 dst(4, 1, kLayout565);
  dst.Fill(0x5555);
  dst.Blit(0, 0, src, Rect{0, 0, 4, 1}, uint16_t{0x01E0});
  EXPECT_EQ(dst.At(0, 0), 0x5555);
  EXPECT_EQ(dst.At(1, 0), 0x01E1);
  EXPECT_EQ(dst.At(2, 0), 0x81E0);
  EXPECT_EQ(dst.At(3, 0), 0x0000);

  dst.Fill(0x5555);
  dst.Blit(0, 0, src, Rect{0, 0, 4, 1});  // no key: every pixel
  EXPECT_EQ(dst.At(0, 0), 0x01E0);
}

TEST(Surface16, BlitDrawsNothing_WhenRectangleIsEmptyOrInverted) {
  const Surface16 src = NumberedSource(4, 4);
  Surface16 dst(4, 4, kLayout565);
  dst.Blit(0, 0, src, Rect{2, 2, 2, 4});
  dst.Blit(0, 0, src, Rect{3, 3, 1, 1});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), 0);
  }
}

}  // namespace
}  // namespace boxedit
