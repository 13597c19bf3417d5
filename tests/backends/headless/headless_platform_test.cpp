#include "backends/headless/headless_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "../../support/temp_dir.h"
#include "platform/messages.h"

namespace boxedit {
namespace {

using Log = std::vector<std::string>;

std::vector<ReplayCommand> Script(std::string_view text) {
  std::vector<ReplayCommand> commands;
  std::string error;
  EXPECT_TRUE(ParseReplayScript(text, "test", &commands, &error)) << error;
  return commands;
}

// held: 1 Ctrl, 2 Shift, 4 Alt; lParam: column + 65536 * row.
std::string Text(const Message& m) {
  return std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
         std::to_string(m.lParam) + " " + std::to_string(m.held);
}

// The editor's loop: with no message waiting, frame n is 8x4 of 0x1111 * n in rows of 10.
Log RunLoop(HeadlessPlatform& platform) {
  Log log;
  std::vector<uint16_t> frame(40);
  for (Message m; log.size() < 100 && (log.empty() || log.back() != "quit");) {
    if (platform.PeekMessage()) {
      log.push_back(platform.GetMessage(&m) ? Text(m) : "quit");
      continue;
    }
    std::fill(frame.begin(), frame.end(), uint16_t(0x1111 * (platform.presentCount() + 1)));
    platform.Present(frame.data(), 20, 8, 4);
    log.push_back("frame");
  }
  return log;
}

TEST(HeadlessPlatform, PlaysTheScript_FramesOnlyWhereItAsks_ThenCloseAndQuit) {
  HeadlessPlatform platform(
      Script("key Up\nframe 2\nmove 1 0\nldown 3 0\nlup 5 0\nrdown 7 0\n"
             "rup 9 1\nframe\nkey SHIFT+ctrl+Z\nkey Alt+F1\nkey Z\ntype 9-"));
  EXPECT_EQ(RunLoop(platform),
            (Log{"256 38 0 0", "frame", "frame", "512 0 1 0", "513 0 3 0", "514 0 5 0", "516 0 7 0",
                 "517 0 65545 0", "frame", "256 17 0 1", "256 16 0 3", "256 90 0 3", "256 18 0 4",
                 "256 112 0 4", "256 90 0 0", "256 57 0 0", "256 189 0 0", "16 0 0 0", "quit"}));
  EXPECT_EQ(platform.presentCount(), 3);
}

TEST(HeadlessPlatform, DestroyWindowDeliversDestroyOnce_OpenScreenAndPresentRefuseBadSizes) {
  HeadlessPlatform platform({}, HeadlessOptions{.is565 = false});
  int destroys = 0;
  ASSERT_TRUE(platform.OpenWindow(
      "Sample", [&](const Message& m) { return destroys += m.message == msg::kDestroy; }, nullptr));
  platform.DestroyWindow();
  platform.DestroyWindow();
  EXPECT_EQ(std::pair(destroys, platform.windowOpen()), std::pair(1, false));
  bool is565 = true;
  EXPECT_FALSE(platform.OpenScreen(0, 4, &is565, nullptr));
  EXPECT_TRUE(platform.OpenScreen(8, 4, &is565, nullptr) && !is565);
  // Only the first frame has pixels, rows, a size in bounds and rows no longer than its pitch.
  std::vector<uint16_t> frame(32768, 0x1234);
  frame[8] = frame[9] = 0;  // the first row's padding
  const uint16_t* p = frame.data();
  const std::tuple<const uint16_t*, int, int, int> frames[] = {
      {p, 20, 8, 4}, {nullptr, 20, 8, 4},  {p, 20, 0, 4},   {p, 20, 8, 0},
      {p, 15, 8, 4}, {p, 65536, 32768, 1}, {p, 2, 1, 32768}};
  for (auto [pixels, pitch, width, height] : frames) platform.Present(pixels, pitch, width, height);
  EXPECT_EQ(platform.presentCount(), 1);
  EXPECT_EQ(std::tuple(platform.shownWidth(), platform.shownHeight(), platform.shownPixels()),
            std::tuple(8, 4, std::vector<uint16_t>(32, 0x1234)));
}

TEST(HeadlessPlatform, Queue_PostedMessagesFirst_WaitingLetsOwedFramesLapse_ClockIsVirtual) {
  HeadlessPlatform platform(Script("key F1\nframe 5\nmove 1 1\n"),
                            HeadlessOptions{.clockStartMs = 0xFFFFFFF0u});
  ASSERT_TRUE(platform.PeekMessage());
  ASSERT_TRUE(platform.PeekMessage());  // peeking again plays no further
  platform.PostMessage(Message{msg::kClose, 0, 0});
  Log log;  // waiting in GetMessage draws no frames: the 5 owed lapse
  for (Message m; log.size() < 4 && platform.GetMessage(&m);) log.push_back(Text(m));
  EXPECT_EQ(log, (Log{"256 112 0 0", "16 0 0 0", "512 0 65537 0", "16 0 0 0"}));
  platform.PostQuitMessage(3);
  Message m;
  EXPECT_TRUE(!platform.GetMessage(&m) && m.wParam == 3u);
  platform.Idle(0x30);  // playing the script took no time; the clock wraps
  EXPECT_EQ(platform.ClockMs(), 0x20u);
}

TEST(HeadlessPlatform, AShotBeforeAnyFrameIsWritten_AndAFailedShotIsReported) {
  testing::TempDir dir;
  const std::string bad = (dir / "no-dir" / "x.png").string();
  HeadlessPlatform platform(Script("shot " + (dir / "a.bmp").string() + "\nframe 2\nshot " + bad));
  RunLoop(platform);
  EXPECT_THAT(platform.shotErrors(), ::testing::ElementsAre(::testing::HasSubstr(bad)));
}

}  // namespace
}  // namespace boxedit
