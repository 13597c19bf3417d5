#include "shell/frame_timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace boxedit {
namespace {

// Idle records the time left and advances the clock by `idleStep`, or by all of it when 0.
struct FakeClock : Clock {
  uint32_t ClockMs() override { return ms; }
  void Idle(uint32_t remainingMs) override {
    idleCalls.push_back(remainingMs);
    ms += idleStep == 0 ? remainingMs : idleStep;
  }
  uint32_t ms = 123456, idleStep = 7;
  std::vector<uint32_t> idleCalls;
};

TEST(FrameTimer, Wait_IdlesWithTheTimeLeft_AndNeverCatchesUp) {
  FakeClock clock;
  FrameTimer timer;
  timer.WaitNextFrame(clock, 20);  // the first frame: measured from 0, no wait
  EXPECT_EQ(timer.frameTime, 123456u);
  EXPECT_EQ(timer.lastMark, 123456u);
  EXPECT_TRUE(clock.idleCalls.empty());
  clock.ms += 30;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 30u);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{20, 13, 6}));
  EXPECT_EQ(timer.lastMark, 123456u + 51);  // the first reading past the interval
  clock.ms += 200;                          // a late frame is followed at once
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(clock.idleCalls.size(), 3u);
  EXPECT_EQ(timer.lastMark, 123456u + 251);
  clock.idleStep = 0;
  timer.WaitNextFrame(clock, 0);  // a rate of 0 is taken as 1
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{20, 13, 6, 1000}));
}

TEST(FrameTimer, ClockWrap_CausesNoJump) {
  FakeClock clock;
  FrameTimer timer;
  timer.lastMark = 0xFFFFFFF0u;
  clock.ms = 0xFFFFFFFAu;
  clock.idleStep = 30;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 10u);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{40, 10}));
  EXPECT_EQ(timer.lastMark, 0x36u);
  timer.lastMark = 0xFFFFFFF0u;
  clock.ms = 5;  // a reading past the wrap
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 21u);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{40, 10, 29}));
}

TEST(FrameTimer, Rate_CountsZeroMsAsOne_AndIsRenewedEvery40Frames) {
  FrameTimer timer;
  constexpr uint32_t kFirstBatch = (10000 + 39 * 1000) / 4;
  for (int i = 0; i < 80; ++i) {
    EXPECT_EQ(timer.fpsTimes100, i < 40 ? 0u : kFirstBatch) << i;
    timer.frameTime = i == 0 ? 0 : i < 40 ? 10 : 30;
    timer.UpdateRate();
  }
  EXPECT_EQ(timer.fpsTimes100, 40u * 333 / 4);  // truncated quotients 10000 / 30
  EXPECT_EQ(timer.frameCount, 0u);
  EXPECT_EQ(timer.rateSum, 0u);
}

}  // namespace
}  // namespace boxedit
