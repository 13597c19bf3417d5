#include "motion/motion_timing.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "motion/frame_data.h"

namespace boxedit {
namespace {

class MotionTimingTest : public ::testing::Test {
 protected:
  MotionTimingTest() { list->ResetSlots(), list->gravity = 10; }
  PatternRecord& Slot(int i, int to, int speed, int vy = 0) {
    PatternRecord& r = list->patterns[i];
    r.picture = 0, r.to = to, r.speed = speed, r.vy = vy;
    return r;
  }
  std::vector<int64_t> Frames(int motion) {
    std::vector<int64_t> out;
    for (const PatternFrames& p : TimeMotion(*list, motion).patterns) out.push_back(p.frames);
    return out;
  }
  std::unique_ptr<MotionList> list = std::make_unique<MotionList>();
};

TEST_F(MotionTimingTest, TheRunEndsAfterAJumpBeforeAnEmptySlotOrAtTheTablesEnd) {
  EXPECT_EQ(TimeMotion(*list, 3).first, -1);  // an empty first slot has no run
  Slot(30, -1, 2), Slot(31, 40, 3), Slot(32, -1, 4);
  MotionTiming t = TimeMotion(*list, 3);
  EXPECT_EQ(std::pair(t.first, t.last), std::pair(30, 31));  // 31 plays, then goes to 40
  Slot(31, -1, 3);                                           // on through 32; 33 is empty
  EXPECT_EQ(TimeMotion(*list, 3).last, 32);
  for (int i = 33; i <= 41; ++i) Slot(i, -1, 1);  // past the motion's tenth slot
  EXPECT_EQ(TimeMotion(*list, 3).last, 41);
  for (int i = 1290; i < kPatternCount; ++i) Slot(i, -1, 1);
  t = TimeMotion(*list, 129);
  EXPECT_EQ(std::pair(t.last, t.TotalFrames()), std::pair(1299, int64_t{10}));

  // Motion 130 starts just past the table, where the memory here reads as a pattern that plays.
  auto past = std::make_unique<std::pair<MotionList, std::array<int32_t, 3>>>();
  past->first.lastPattern = -1, past->second = {1, 0, 0};
  EXPECT_EQ(TimeMotion(past->first, 130).first, -1);
}

TEST_F(MotionTimingTest, PatternsWaitingForTheGroundCarryTheWalk_AndAMotionStayingUpNeverLands) {
  // vy 100, gravity 10: 21 frames to land at speed -110, which lands slot 1 at once; 50: 11.
  Slot(0, -1, 0, 100), Slot(1, -1, 0, 0), Slot(2, 5, 0, 50);
  EXPECT_EQ(Frames(0), (std::vector<int64_t>{21, 1, 11}));
  // A jump cut short is landed by the next pattern; at rest, gravity leaves the upward speed 0.
  Slot(10, -1, 5, 100), Slot(11, -1, 0), Slot(12, -1, 7), Slot(13, 0, 0, 100);
  EXPECT_EQ(Frames(1), (std::vector<int64_t>{5, 16, 7, 21}));
  // Past the last pattern that waits for the ground, a climb for ever still has its frames.
  list->gravity = 0;
  Slot(20, -1, INT32_MAX, 100), Slot(21, 0, INT32_MAX);
  EXPECT_EQ(TimeMotion(*list, 2).TotalFrames(), 2 * int64_t{INT32_MAX});

  Slot(0, -1, 3), Slot(1, -1, 0, 100), Slot(2, 0, 4);  // climbs 5 a frame for ever
  MotionTiming t = TimeMotion(*list, 0);
  EXPECT_EQ(std::pair(t.neverLands, t.last), std::pair(true, 2));
  EXPECT_EQ(Frames(0), (std::vector<int64_t>{3, kMaxLandingFrames}));
  Slot(1, -1, 0, 19);  // too slow to leave the ground line: it lands at once
  EXPECT_FALSE(TimeMotion(*list, 0).neverLands);
  // A long climb in a positive-speed pattern is given up at the cap instead of stalling.
  Slot(0, -1, INT32_MAX, 100), Slot(1, 0, 0, 0);
  EXPECT_TRUE(TimeMotion(*list, 0).neverLands);
}

TEST_F(MotionTimingTest, FrameDataCountsActiveFramesFromTheAttackBox) {
  const Box hit{-10, 10, 10, 40};
  Slot(250, -1, 4), Slot(255, 250, 5);
  PatternRecord& a = Slot(251, -1, 2);
  a.attack[0] = hit, a.damage = 12, a.guard = 1;
  Slot(252, -1, 1).attack[0] = hit;                       // joins the range of 251
  Slot(253, -1, 3).attack = {Box{-10, 10, 10, 10}, hit};  // no height, and box 1: not drawn
  Slot(254, -1, 1).attack[0] = hit, list->patterns[254].guard = 7;
  std::optional<FrameData> d = ComputeFrameData(*list, 25);
  ASSERT_TRUE(d);
  EXPECT_EQ(std::tuple(d->first, d->last, d->frames, d->startup, d->recovery),
            std::tuple(250, 255, 16, 5, 5));
  ASSERT_EQ(d->active.size(), 2u);
  EXPECT_EQ(std::tuple(d->active[0].from, d->active[0].to, d->active[0].damage, d->active[0].guard),
            std::tuple(int64_t{5}, int64_t{7}, 12, 1));
  EXPECT_EQ(std::tuple(d->active[1].from, d->active[1].to, d->active[1].guard),
            std::tuple(int64_t{11}, int64_t{11}, 7));

  for (int i : {251, 252, 254}) list->patterns[i].attack[0] = {};
  d = ComputeFrameData(*list, 25);
  EXPECT_TRUE(d->active.empty());
  EXPECT_FALSE(d->startup || d->recovery);
  EXPECT_FALSE(ComputeFrameData(*list, 26));
}

}  // namespace
}  // namespace boxedit
