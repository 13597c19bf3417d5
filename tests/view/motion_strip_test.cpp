#include "view/motion_strip.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "view_fixture.h"

namespace boxedit {
namespace {

using testing::PixelSet;
using testing::ViewFixture;

class MotionStripTest : public ::testing::Test {
 protected:
  // Every slot stops the walk until a test sets it up.
  void Slot(int index, int32_t to, int32_t speed, int32_t vx, int32_t vy, int32_t rx = 0) {
    PatternRecord& r = list->patterns[index];
    r.to = to;
    r.speed = speed;
    r.vx = vx;
    r.vy = vy;
    r.rx = rx;
  }

  void Draw(int32_t currentPattern) {
    view.display().backBuffer->Fill(ViewFixture::kBackground);
    DrawMotionStrip(view.display(), *list, currentPattern);
  }

  // The changed pixels in one pen colour.
  PixelSet InColour(uint16_t pixel) const {
    PixelSet out;
    for (const auto& p : view.Changed()) {
      if (view.At(p.first, p.second) == pixel) out.insert(p);
    }
    return out;
  }
  static PixelSet Row(int32_t y, int32_t fromX, int32_t toX) {  // toX included
    PixelSet out;
    for (int32_t x = std::min(fromX, toX); x <= std::max(fromX, toX); ++x) out.insert({x, y});
    return out;
  }

  ViewFixture view;
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
  const uint16_t red = view.Pen(255, 0, 0);
  const uint16_t blue = view.Pen(0, 0, 255);
};

TEST_F(MotionStripTest, DrawsNothing_WhenTheFirstSlotDoesNotContinue) {
  Slot(0, 0, 3, 40, 0);
  Slot(1, -1, 3, 40, 0);
  Draw(0);
  Draw(1);
  EXPECT_TRUE(view.Changed().empty());
}

TEST_F(MotionStripTest, ThreeFramesAlongTheGround_AreRedForTheCurrentPattern) {
  Slot(20, -1, 3, 40, 0);
  Draw(20);
  // (416, 312) to (418, 312), (420, 312), (422, 312); the last end pixel is left out.
  EXPECT_EQ(view.Changed(), Row(312, 416, 421));
  EXPECT_EQ(InColour(red), Row(312, 416, 421));
}

TEST_F(MotionStripTest, Gravity10Jump_Draws21SegmentsThroughEveryVertex) {
  list->gravity = 10;
  Slot(0, -1, 0, 20, 100);
  Draw(0);
  const std::pair<int32_t, int32_t> vertices[] = {
      {416, 312}, {417, 307}, {418, 303}, {419, 299}, {420, 296}, {421, 293}, {422, 291},
      {423, 289}, {424, 288}, {425, 287}, {426, 287}, {427, 287}, {428, 287}, {429, 288},
      {430, 289}, {431, 291}, {432, 293}, {433, 296}, {434, 299}, {435, 303}, {436, 307}};
  for (const auto& [x, y] : vertices) EXPECT_EQ(view.At(x, y), red) << x << "," << y;
  EXPECT_FALSE(view.Drawn(437, 312));  // the end of the last segment
  EXPECT_FALSE(view.Drawn(425, 286));  // the top is row 287
  EXPECT_EQ(InColour(red), view.Changed());
  for (const auto& [x, y] : view.Changed()) {
    EXPECT_TRUE(x >= 416 && x <= 437 && y >= 287 && y <= 312) << x << "," << y;
  }

  // The landing leaves the upward speed at -110 for the next pattern: adding 200 gives 90,
  // a first step of 4 pixels up (from 0 it would be 10) and then 4 more after gravity.
  Slot(1, -1, 2, 0, 200);
  Draw(0);
  EXPECT_EQ(view.At(437, 312), blue);
  EXPECT_EQ(view.At(438, 308), blue);
  EXPECT_FALSE(view.Drawn(439, 304));
  EXPECT_FALSE(view.Drawn(438, 302));
}

TEST_F(MotionStripTest, HorizontalSpeed_TruncatesTwentiethsTowardZero) {
  for (int32_t vx : {-19, -1, 0, 1, 19}) {
    Slot(0, -1, 3, vx, 0);
    Draw(0);
    EXPECT_TRUE(view.Changed().empty()) << vx;
  }
  Slot(0, -1, 3, 20, 0);
  Draw(0);
  EXPECT_EQ(view.Changed(), Row(312, 416, 418));
  Slot(0, -1, 3, -39, 0);
  Draw(0);
  EXPECT_EQ(view.Changed(), Row(312, 414, 416));
}

TEST_F(MotionStripTest, LandingOnTheGround_DrawsOneSegmentAndLeavesUpwardSpeedMinusGravity) {
  list->gravity = 10;
  Slot(0, -1, 0, 40, 0);
  // Upward speed -10 + 20 = 10: no rise this frame (10 / 20 is 0), and 0 after gravity, so the
  // second frame holds on the ground. From an upward speed of 0 it would rise a pixel.
  Slot(1, -1, 2, 0, 20);
  Draw(0);
  EXPECT_EQ(InColour(red), Row(312, 416, 417));
  EXPECT_EQ(InColour(blue), Row(312, 418, 421));
  EXPECT_EQ(view.Changed().size(), 6u);
}

TEST_F(MotionStripTest, TimedPattern_HoldsAPointAtRestOnTheGround_EvenAgainstNegativeGravity) {
  // With gravity -20 a point at rest would gain upward speed; a timed pattern leaves it be.
  list->gravity = -20;
  Slot(0, -1, 3, 20, 0);
  Draw(0);
  EXPECT_EQ(view.Changed(), Row(312, 416, 418));

  // Once it moves upward it is no longer held: 20 + 20 after the first frame lifts it 2.
  Slot(0, -1, 3, 20, 20);
  Draw(0);
  EXPECT_EQ(view.At(417, 311), red);
  EXPECT_EQ(view.At(418, 309), red);
}

TEST_F(MotionStripTest, NoSegmentIsRed_WhenTheCurrentPatternIsAtOrAfterTheStop) {
  Slot(0, -1, 2, 20, 0);
  Slot(1, -1, 2, 20, 0);
  Slot(2, 5, 2, 20, 0);
  for (int32_t current : {2, 5, 9}) {
    Draw(current);
    EXPECT_TRUE(InColour(red).empty()) << current;
    EXPECT_EQ(InColour(blue), Row(312, 416, 421)) << current;
  }
  Draw(1);
  EXPECT_EQ(InColour(red), Row(312, 418, 421));
  EXPECT_EQ(InColour(blue), Row(312, 416, 417));
}

TEST_F(MotionStripTest, Rx1_ResetsHorizontalSpeedAfterThePattern) {
  Slot(0, -1, 1, 40, 0, /*rx=*/1);
  Slot(1, -1, 1, 20, 0);
  Draw(0);
  EXPECT_EQ(view.Changed(), Row(312, 416, 418));  // 416 -> 418, then 418 -> 419

  Slot(0, -1, 1, 40, 0, /*rx=*/2);  // any other value keeps the speed
  Draw(0);
  EXPECT_EQ(view.Changed(), Row(312, 416, 420));  // 416 -> 418, then 418 -> 421
}

TEST_F(MotionStripTest, Walk_CrossesIntoTheNextMotionAndStopsAfterSlot1299) {
  for (int i = 1290; i < 1300; ++i) Slot(i, -1, 1, 20, 0);
  // The field after the table reads as the `to` of a slot 1300; make it -1 so that a walk that
  // went on would read past the table (and past the allocation, which the sanitizer reports).
  list->lastPattern = -1;
  Draw(1299);
  // Slot 1290 + j moves j + 1 pixels: the walk ends at 416 + 55 = 471.
  EXPECT_EQ(view.Changed(), Row(312, 416, 470));
  EXPECT_EQ(InColour(red), Row(312, 461, 470));
}

TEST_F(MotionStripTest, LandingLoop_StopsAfterMaxFrames_WhenThePointNeverComesDown) {
  list->gravity = 0;
  Slot(0, -1, 1, 0, 100);  // up to row 307, upward speed 100
  // Upward speed 10: with no gravity the point stays on row 307 while moving right 1 a frame.
  Slot(1, -1, 0, 20, -90);
  // One frame back left by kMaxLandingFrames pixels and up 5, to (416, 302) exactly when the
  // landing loop took kMaxLandingFrames frames; its end pixel is not drawn.
  Slot(2, -1, 1, -20 * (kMaxLandingFrames + 1), 100);
  Draw(0);
  EXPECT_EQ(InColour(red), (PixelSet{{416, 312}, {416, 311}, {416, 310}, {416, 309}, {416, 308}}));
  EXPECT_EQ(view.At(639, 307), blue);
  EXPECT_EQ(view.At(417, 302), blue);
  EXPECT_FALSE(view.Drawn(416, 302));
}

TEST_F(MotionStripTest, HugeSpeed_IsBoundedToMaxFramesPerPattern) {
  list->gravity = 10;
  Slot(0, -1, INT32_MAX, 20, 0);
  Slot(1, -1, 1, -20 * (kMaxLandingFrames + 1), 100);  // back to (416, 307)
  Draw(1);
  EXPECT_EQ(view.At(639, 312), blue);
  EXPECT_EQ(view.At(417, 307), red);
  EXPECT_FALSE(view.Drawn(416, 307));
}

TEST_F(MotionStripTest, FarSegment_KeepsItsOnScreenPixels) {
  // One frame of 2,000,000 pixels right and up: a 45-degree line that leaves the screen at its
  // right edge, its far end well past the range the line drawing takes unchanged.
  list->gravity = 0;
  Slot(0, -1, 1, 20 * 2000000, 20 * 2000000);
  Draw(0);
  PixelSet diagonal;
  for (int32_t i = 0; i < 224; ++i) diagonal.insert({416 + i, 312 - i});
  EXPECT_EQ(InColour(red), diagonal);
  EXPECT_EQ(view.Changed(), diagonal);
}

TEST_F(MotionStripTest, StripSegment_PastThe32BitRange_KeepsItsScreenPixels) {
  DrawContext dc(*view.display().backBuffer);
  dc.SelectPen(Rgb24(255, 0, 0));
  DrawStripSegment(dc, -5000000000, 100, 5000000000, 100);
  DrawStripSegment(dc, 300, 4000000000000000000, 300, -4000000000000000000);
  DrawStripSegment(dc, INT64_MIN, INT64_MIN, INT64_MAX, INT64_MAX);
  DrawStripSegment(dc, 416, 312, 416 + 6000000000, 312 - 6000000000);
  DrawStripSegment(dc, -6000000000, 479, -1, 6000000000);  // left of the screen throughout
  PixelSet expected;
  for (int32_t x = 0; x < 640; ++x) expected.insert({x, 100});
  for (int32_t y = 0; y < 480; ++y) expected.insert({300, y}), expected.insert({y, y});
  for (int32_t i = 0; i < 224; ++i) expected.insert({416 + i, 312 - i});
  EXPECT_EQ(view.Changed(), expected);
}

TEST_F(MotionStripTest, ExtremeValues_FinishWithoutOverflow) {
  const struct {
    int32_t gravity, speed, vx, vy;
  } cases[] = {{INT32_MIN, 0, INT32_MAX, INT32_MAX},
               {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN},
               {-1, INT32_MIN, INT32_MIN, INT32_MAX}};
  for (const auto& c : cases) {
    list->gravity = c.gravity;
    for (int i = 0; i < kPatternCount; ++i) Slot(i, -1, c.speed, c.vx, c.vy);
    Draw(0);
    EXPECT_EQ(view.At(416, 312), red) << c.gravity;
  }
}

TEST_F(MotionStripTest, DrawsNothing_ForAPatternOutsideTheTableOrWithoutABackBuffer) {
  for (int i = 0; i < kPatternCount; ++i) Slot(i, -1, 1, 40, 0);
  for (int32_t current : {-1, -10, 1300, INT32_MIN, INT32_MAX}) {
    Draw(current);
    EXPECT_TRUE(view.Changed().empty()) << current;
  }
  Display noBackBuffer;
  DrawMotionStrip(noBackBuffer, *list, 0);
  EXPECT_EQ(noBackBuffer.backBuffer, nullptr);
}

}  // namespace
}  // namespace boxedit
