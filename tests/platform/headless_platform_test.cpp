#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/temp_dir.h"

namespace boxedit {
namespace {

using Log = std::vector<std::string>;

std::vector<ReplayCommand> Script(std::string_view text) {
  std::vector<ReplayCommand> commands;
  std::string error;
  EXPECT_TRUE(ParseReplayScript(text, "test", &commands, &error)) << error;
  return commands;
}

// A small editor for the back end to drive, shaped as the real one: the main loop handles one
// message per pass and draws (presents) a frame only when none waits; Esc posts the close
// request, which destroys the window, whose destroy message posts the quit message.
struct MiniEditor {
  HeadlessPlatform& platform;
  Log log;
  bool closeOnEsc = true;
  uint16_t colour = 0x1111;  // each frame is one colour, the next 0x1111 higher

  explicit MiniEditor(HeadlessPlatform& p) : platform(p) {
    std::string error;
    EXPECT_TRUE(platform.OpenWindow(
        "Sample", [this](const Message& m) { return Proc(m); }, &error));
    bool is565;
    EXPECT_TRUE(platform.OpenScreen(8, 4, &is565, &error));
  }

  intptr_t Proc(const Message& m) {
    std::string entry = std::to_string(m.message) + " " + std::to_string(m.wParam);
    if (m.message >= msg::kMouseMove) {
      entry +=
          " " + std::to_string(MouseColumn(m.lParam)) + "," + std::to_string(MouseRow(m.lParam));
    }
    log.push_back(entry);
    if (m.message == msg::kKeyDown && m.wParam == vk::kEscape && closeOnEsc) {
      platform.PostMessage(Message{msg::kClose, 0, 0});
    } else if (m.message == msg::kClose) {
      platform.DestroyWindow();
    } else if (m.message == msg::kDestroy) {
      platform.PostQuitMessage(0);
    }
    return 1;
  }

  // Runs the main loop; false when it has not ended after 10000 passes.
  bool Run() {
    for (int pass = 0; pass < 10000; ++pass) {
      if (!platform.PeekMessage()) {
        log.push_back("frame");
        const std::vector<uint16_t> frame(8 * 4, colour);
        colour = static_cast<uint16_t>(colour + 0x1111);
        platform.Present(frame.data(), 16, 8, 4);
        continue;
      }
      Message m;
      if (!platform.GetMessage(&m)) {
        log.push_back("quit");
        return true;
      }
      Proc(m);
    }
    return false;
  }
};

TEST(HeadlessPlatform, DrawsFramesOnlyWhereScriptAsks_OneMessagePerPass) {
  HeadlessPlatform platform(
      Script("key Up\nframe 2\nmove 1 2\nldown 3 4\nlup 5 6\nrdown 7 8\nrup 9 10\nframe\nclose"));
  MiniEditor editor(platform);
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log, (Log{"256 38", "frame", "frame", "512 0 1,2", "513 0 3,4", "514 0 5,6",
                             "516 0 7,8", "517 0 9,10", "frame", "16 0", "2 0", "quit"}));
  EXPECT_EQ(platform.presentCount(), 3);
  EXPECT_FALSE(platform.windowOpen());
}

TEST(HeadlessPlatform, ClosesAsByEsc_WhenScriptEnds) {
  HeadlessPlatform platform(Script("frame\nkey A\n"));
  MiniEditor editor(platform);
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log, (Log{"frame", "256 65", "256 27", "16 0", "2 0", "quit"}));
}

TEST(HeadlessPlatform, EndsWithQuit_WhenEditorIgnoresTheClosingEsc) {
  HeadlessPlatform platform(Script("frame 2\n"));
  MiniEditor editor(platform);
  editor.closeOnEsc = false;
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log, (Log{"frame", "frame", "256 27", "quit"}));
}

TEST(HeadlessPlatform, HandlesPostedMessagesBeforeTheScriptGoesOn) {
  HeadlessPlatform platform(Script("key Esc\nframe\n"));
  MiniEditor editor(platform);
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log, (Log{"256 27", "16 0", "2 0", "quit"}));
  EXPECT_EQ(platform.presentCount(), 0);
  EXPECT_FALSE(platform.scriptFinished());
}

TEST(HeadlessPlatform, PeekingAgainDoesNotPlayFurther) {
  HeadlessPlatform platform(Script("key F1\nkey 200\n"));
  Message m;
  ASSERT_TRUE(platform.PeekMessage());
  ASSERT_TRUE(platform.PeekMessage());
  ASSERT_TRUE(platform.GetMessage(&m));
  EXPECT_EQ(m.wParam, vk::kF1);
  EXPECT_FALSE(platform.scriptFinished());
  ASSERT_TRUE(platform.GetMessage(&m));
  EXPECT_EQ(m.wParam, 200u);
}

TEST(HeadlessPlatform, GetMessageLetsOwedFramesLapse_AndReturnsFalseOnQuit) {
  HeadlessPlatform platform(Script("frame 5\nmove 1 1\n"));
  Message m;
  ASSERT_TRUE(platform.GetMessage(&m));  // a caller waiting here draws nothing
  EXPECT_EQ(m.message, msg::kMouseMove);
  platform.PostQuitMessage(3);
  ASSERT_TRUE(platform.PeekMessage());
  EXPECT_FALSE(platform.GetMessage(&m));
  EXPECT_EQ(m.message, msg::kQuit);
  EXPECT_EQ(m.wParam, 3u);
}

TEST(HeadlessPlatform, DestroyWindowDeliversDestroyAtOnce_AndOnlyOnce) {
  HeadlessPlatform platform;
  int destroys = 0;
  std::string error;
  ASSERT_TRUE(platform.OpenWindow(
      "Sample",
      [&](const Message& m) {
        if (m.message == msg::kDestroy) ++destroys;
        platform.DestroyWindow();  // from inside the procedure: nothing more happens
        return intptr_t{1};
      },
      &error));
  platform.DestroyWindow();
  platform.DestroyWindow();
  EXPECT_EQ(destroys, 1);
  EXPECT_FALSE(platform.windowOpen());
}

TEST(HeadlessPlatform, ReportsChosenLayout_AndRefusesOnRequest) {
  std::string error;
  bool is565 = false;
  auto noProc = [](const Message&) { return intptr_t{0}; };
  HeadlessPlatform defaults;
  EXPECT_TRUE(defaults.OpenScreen(640, 480, &is565, &error));
  EXPECT_TRUE(is565);
  EXPECT_FALSE(defaults.OpenScreen(0, 480, &is565, &error));
  HeadlessPlatform layout555({}, HeadlessOptions{.is565 = false});
  EXPECT_TRUE(layout555.OpenScreen(640, 480, &is565, &error));
  EXPECT_FALSE(is565);

  HeadlessPlatform noScreen({}, HeadlessOptions{.failOpenScreen = true});
  EXPECT_TRUE(noScreen.OpenWindow("Sample", noProc, &error));
  EXPECT_FALSE(noScreen.OpenScreen(640, 480, &is565, &error));
  EXPECT_FALSE(error.empty());
  error.clear();
  HeadlessPlatform noWindow({}, HeadlessOptions{.failOpenWindow = true});
  EXPECT_FALSE(noWindow.OpenWindow("Sample", noProc, &error));
  EXPECT_FALSE(error.empty());
}

TEST(HeadlessPlatform, PresentKeepsACopyOfTheRows_WithoutPitchPadding) {
  HeadlessPlatform platform;
  bool is565;
  std::string error;
  ASSERT_TRUE(platform.OpenScreen(3, 2, &is565, &error));
  EXPECT_EQ(platform.shownPixels(), std::vector<uint16_t>(6, 0));  // black before any frame
  std::vector<uint16_t> frame{1, 2, 3, 0xEEEE, 4, 5, 6, 0xEEEE};   // rows 4 pixels apart
  platform.Present(frame.data(), 8, 3, 2);
  frame[0] = 99;
  platform.Present(frame.data(), 4, 3, 2);  // a pitch shorter than a row: not shown
  EXPECT_EQ(platform.shownPixels(), (std::vector<uint16_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(platform.presentCount(), 1);
}

TEST(HeadlessPlatform, ShotWritesTheLastPresentedFrame_BlackBeforeAny) {
  testing::TempDir dir;
  const std::string before = (dir / "before.bmp").string(), after = (dir / "after.bmp").string();
  for (bool is565 : {true, false}) {
    HeadlessPlatform platform(Script("shot " + before + "\nframe\nframe\nshot " + after +
                                     "\nshot " + (dir / "after.png").string()),
                              HeadlessOptions{.is565 = is565});
    MiniEditor editor(platform);
    ASSERT_TRUE(editor.Run());
    EXPECT_TRUE(platform.shotErrors().empty());
    Image image;
    ASSERT_TRUE(ReadBmp24(before, &image));
    ASSERT_EQ(image.width * image.height, 8 * 4);
    for (const Rgb& c : image.pixels) EXPECT_EQ(c, (Rgb{0, 0, 0}));
    ASSERT_TRUE(ReadBmp24(after, &image));  // the second frame's colour
    for (const Rgb& c : image.pixels) EXPECT_EQ(c, PixelToRgb(LayoutOf(is565), 0x2222));
    EXPECT_EQ(dir.Read("after.png").substr(1, 3), "PNG");
  }
}

TEST(HeadlessPlatform, ShotWithoutScreenIs640x480_AndFailedShotIsReported) {
  testing::TempDir dir;
  const std::string bad = (dir / "no-dir" / "x.png").string();
  HeadlessPlatform platform(Script("shot " + (dir / "s.bmp").string() + "\nshot " + bad));
  EXPECT_TRUE(platform.PeekMessage());  // plays both shots, then queues the closing Esc
  Image image;
  ASSERT_TRUE(ReadBmp24(dir / "s.bmp", &image));
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  ASSERT_EQ(platform.shotErrors().size(), 1u);
  EXPECT_NE(platform.shotErrors()[0].find(bad), std::string::npos) << platform.shotErrors()[0];
}

TEST(HeadlessPlatform, VirtualClockStartsWhereAsked_MovesOnlyByIdle_AndWraps) {
  HeadlessPlatform platform({}, HeadlessOptions{.clockStartMs = 0xFFFFFFF0u});
  EXPECT_EQ(platform.ClockMs(), 0xFFFFFFF0u);
  EXPECT_EQ(platform.ClockMs(), 0xFFFFFFF0u);
  platform.Idle(15);
  EXPECT_EQ(platform.ClockMs(), 0xFFFFFFFFu);
  platform.Idle(0x21);
  EXPECT_EQ(platform.ClockMs(), 0x20u);
}

}  // namespace
}  // namespace boxedit
