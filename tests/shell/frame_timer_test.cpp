#include "shell/frame_timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace boxedit {
namespace {

// A millisecond counter standing in for the machine. Idle advances it by `idleStep`, or by the
// remaining time when `idleStep` is 0. It is a whole Platform so that any use of the message
// queue while waiting would be caught.
class FakeClock : public Platform {
 public:
  uint32_t ClockMs() override { return ms; }
  void Idle(uint32_t remainingMs) override {
    idleCalls.push_back(remainingMs);
    ms += idleStep == 0 ? remainingMs : idleStep;
  }

  bool OpenWindow(const std::string&, WindowProc, std::string*) override { return Unexpected(); }
  void DestroyWindow() override { Unexpected(); }
  bool OpenScreen(int, int, bool*, std::string*) override { return Unexpected(); }
  void CloseScreen() override { Unexpected(); }
  void Present(const uint16_t*, int, int, int) override { Unexpected(); }
  bool PeekMessage() override { return Unexpected(); }
  bool GetMessage(Message*) override { return Unexpected(); }
  void PostMessage(const Message&) override { Unexpected(); }
  void PostQuitMessage(int) override { Unexpected(); }

  uint32_t ms = 0;
  uint32_t idleStep = 0;
  std::vector<uint32_t> idleCalls;

 private:
  bool Unexpected() {
    ADD_FAILURE() << "the frame wait used more than the clock";
    return false;
  }
};

TEST(FrameTimerWait, FirstFrame_MeasuresWholeClockReading_AndDoesNotWait) {
  FakeClock clock;
  clock.ms = 123456;
  FrameTimer timer;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 123456u);
  EXPECT_EQ(timer.now, 123456u);
  EXPECT_EQ(timer.lastMark, 123456u);
  EXPECT_TRUE(clock.idleCalls.empty());
  timer.UpdateRate();
  EXPECT_EQ(timer.rateSum, 0u);  // 10000 / 123456
  EXPECT_EQ(timer.frameCount, 1u);
}

TEST(FrameTimerWait, EarlyFrame_IdlesWithRemainingTime_UntilIntervalPassed) {
  FakeClock clock;
  clock.ms = 1030;
  clock.idleStep = 1;
  FrameTimer timer;
  timer.lastMark = 1000;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 30u);
  std::vector<uint32_t> expected;
  for (uint32_t remaining = 20; remaining >= 1; --remaining) expected.push_back(remaining);
  EXPECT_EQ(clock.idleCalls, expected);
  EXPECT_EQ(timer.now, 1050u);
  EXPECT_EQ(timer.lastMark, 1050u);
}

TEST(FrameTimerWait, MarkIsFirstReadingPastInterval_WhenIdleOvershoots) {
  FakeClock clock;
  clock.ms = 1030;
  clock.idleStep = 7;
  FrameTimer timer;
  timer.lastMark = 1000;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{20, 13, 6}));
  EXPECT_EQ(timer.lastMark, 1051u);  // the overshoot is kept, not caught up
  clock.ms = 1061;
  clock.idleStep = 0;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 10u);
  EXPECT_EQ(timer.lastMark, 1101u);
}

TEST(FrameTimerWait, LongFrame_IsFollowedAtOnce) {
  FakeClock clock;
  clock.ms = 1080;
  FrameTimer timer;
  timer.lastMark = 1000;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 80u);
  EXPECT_TRUE(clock.idleCalls.empty());
  EXPECT_EQ(timer.lastMark, 1080u);  // no frame skipped, the late frame starts the next interval
}

TEST(FrameTimerWait, ExactInterval_NeedsNoWait) {
  FakeClock clock;
  clock.ms = 1050;
  FrameTimer timer;
  timer.lastMark = 1000;
  timer.WaitNextFrame(clock, 20);
  EXPECT_TRUE(clock.idleCalls.empty());
  EXPECT_EQ(timer.lastMark, 1050u);
}

TEST(FrameTimerWait, ClockWrap_CausesNoJump) {
  FakeClock clock;
  FrameTimer timer;
  timer.lastMark = 0xFFFFFFF0u;
  clock.ms = 5;  // 21 ms after the mark, past the wrap
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 21u);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{29}));
  EXPECT_EQ(timer.lastMark, 34u);

  // A mark just before the wrap, waiting across it.
  timer.lastMark = 0xFFFFFFF0u;
  clock.ms = 0xFFFFFFFAu;
  clock.idleCalls.clear();
  clock.idleStep = 30;
  timer.WaitNextFrame(clock, 20);
  EXPECT_EQ(timer.frameTime, 10u);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{40, 10}));
  EXPECT_EQ(timer.lastMark, 0x36u);  // 0xFFFFFFFA + 60 wrapped
}

TEST(FrameTimerWait, RateZero_IsTakenAsOne) {
  FakeClock clock;
  clock.ms = 5100;
  FrameTimer timer;
  timer.lastMark = 5000;
  timer.WaitNextFrame(clock, 0);
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{900}));
  EXPECT_EQ(timer.lastMark, 6000u);
}

TEST(FrameTimerWait, IntervalIsIntegerDivision_AndZeroAboveThousand) {
  FakeClock clock;
  clock.ms = 1100;
  FrameTimer timer;
  timer.lastMark = 1000;
  timer.WaitNextFrame(clock, 3);  // 333 ms
  EXPECT_EQ(clock.idleCalls, (std::vector<uint32_t>{233}));
  EXPECT_EQ(timer.lastMark, 1333u);

  clock.idleCalls.clear();
  timer.WaitNextFrame(clock, 2000);  // interval 0: the same millisecond will do
  EXPECT_TRUE(clock.idleCalls.empty());
  EXPECT_EQ(timer.frameTime, 0u);
  EXPECT_EQ(timer.lastMark, 1333u);
}

TEST(FrameTimerRate, ZeroMsFrame_CountsAsOneMs) {
  FrameTimer timer;
  timer.frameTime = 0;
  timer.UpdateRate();
  EXPECT_EQ(timer.frameTime, 1u);
  EXPECT_EQ(timer.rateSum, 10000u);
  EXPECT_EQ(timer.frameCount, 1u);
}

TEST(FrameTimerRate, RenewsShownRateEvery40Frames) {
  FrameTimer timer;
  for (int i = 0; i < 39; ++i) {
    timer.frameTime = 10;
    timer.UpdateRate();
  }
  EXPECT_EQ(timer.fpsTimes100, 0u);
  EXPECT_EQ(timer.frameCount, 39u);
  EXPECT_EQ(timer.rateSum, 39u * 1000u);
  timer.frameTime = 10;
  timer.UpdateRate();
  EXPECT_EQ(timer.fpsTimes100, 10000u);
  EXPECT_EQ(timer.rateSum, 0u);
  EXPECT_EQ(timer.frameCount, 0u);

  // The next batch: truncated quotients 10000 / 30 = 333, summed and divided by 4.
  for (int i = 0; i < 40; ++i) {
    timer.frameTime = 30;
    timer.UpdateRate();
    if (i < 39) {
      EXPECT_EQ(timer.fpsTimes100, 10000u);
    }
  }
  EXPECT_EQ(timer.fpsTimes100, 40u * 333u / 4u);
}

TEST(FrameTimer, PacedFramesOfTenMsWork_ShowTheWorkRateNotThePacedRate) {
  FakeClock clock;
  clock.ms = 100000;
  FrameTimer timer;
  timer.lastMark = 100000;
  for (int frame = 0; frame < 40; ++frame) {
    clock.ms += 10;  // the frame's work
    timer.WaitNextFrame(clock, 20);
    EXPECT_EQ(timer.frameTime, 10u);
    EXPECT_EQ(timer.lastMark, 100000u + 50u * (frame + 1));
    timer.UpdateRate();
  }
  EXPECT_EQ(timer.fpsTimes100, 10000u);
  EXPECT_EQ(clock.idleCalls, std::vector<uint32_t>(40, 40));
}

}  // namespace
}  // namespace boxedit
