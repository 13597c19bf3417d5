#include "shell/frame_timer.h"

#include <gtest/gtest.h>

#include <tuple>
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
  uint32_t ms = 0, idleStep = 0;
  std::vector<uint32_t> idleCalls;
};

TEST(FrameTimer, Wait_IdlesWithTheTimeLeft_AcrossTheClockWrap_AndNeverCatchesUp) {
  const struct {
    uint32_t lastMark, now, idleStep, rate, frameTime;  // frameTime, idleCalls and mark: after
    std::vector<uint32_t> idleCalls;
    uint32_t mark;
  } cases[] = {
      {123456, 123486, 7, 20, 30, {20, 13, 6}, 123507},  // the first reading past the interval
      {5, 5, 0, 0, 0, {1000}, 1005},                     // a rate of 0 is taken as 1
      {0xFFFFFFF0u, 0xFFFFFFFAu, 30, 20, 10, {40, 10}, 0x36},
      {0xFFFFFFF0u, 0x40, 30, 20, 80, {}, 0x40},  // late, past the wrap: followed at once
  };
  for (const auto& c : cases) {
    FakeClock clock;
    clock.ms = c.now, clock.idleStep = c.idleStep;
    FrameTimer timer{.lastMark = c.lastMark};
    timer.WaitNextFrame(clock, c.rate);
    EXPECT_EQ(std::tuple(timer.frameTime, clock.idleCalls, timer.lastMark),
              std::tuple(c.frameTime, c.idleCalls, c.mark))
        << c.lastMark << " to " << c.now;
  }
  FrameTimer timer;  // the rate counts a frame of 0 ms as 1 and is renewed every 40 frames
  for (int i = 0; i < 80; ++i) timer.frameTime = i % 40 == 0 ? 0 : 10, timer.UpdateRate();
  EXPECT_EQ(timer.fpsTimes100, (10000 + 39 * 1000) / 4u);
}

}  // namespace
}  // namespace boxedit
