#include "backends/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/bmp_reader.h"
#include "../../support/temp_dir.h"

namespace boxedit {
namespace {

using testing::ReadBmp24;

std::vector<ReplayCommand> Script(std::string_view text) {
  std::vector<ReplayCommand> commands;
  std::string error;
  EXPECT_TRUE(ParseReplayScript(text, "test", &commands, &error)) << error;
  return commands;
}

// A small editor shaped as the real one: one message per pass, a frame only when none waits;
// Esc posts the close request, which destroys the window, whose destroy message posts quit.
// Frame n is 8x4 pixels of 0x1111 * n in rows of 10 (the last 2 padding); each is followed by
// one with a pitch too short for its rows. The log holds "message wParam lParam" (followed by
// C, S and A for Ctrl, Shift and Alt when the message says they were held), "frame", "quit".
struct MiniEditor {
  HeadlessPlatform& platform;
  bool obeysClose = true, is565 = false;
  std::vector<std::string> log;

  explicit MiniEditor(HeadlessPlatform& p) : platform(p) {
    std::string error;
    EXPECT_TRUE(platform.OpenWindow(
        "Sample", [this](const Message& m) { return Proc(m); }, &error));
    EXPECT_FALSE(platform.OpenScreen(0, 4, &is565, &error));
    EXPECT_TRUE(platform.OpenScreen(8, 4, &is565, &error));
  }
  intptr_t Proc(const Message& m) {
    std::string held;
    for (const auto& [bit, letter] :
         {std::pair{kHeldControl, 'C'}, std::pair{kHeldShift, 'S'}, std::pair{kHeldMenu, 'A'}}) {
      if ((m.held & bit) != 0) held += letter;
    }
    log.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam) + " " +
                  std::to_string(m.lParam) + (held.empty() ? "" : " " + held));
    if (m.message == msg::kKeyDown && m.wParam == vk::kEscape) {
      platform.PostMessage(Message{msg::kClose, 0, 0});
    } else if (m.message == msg::kClose && obeysClose) {
      platform.DestroyWindow();
    } else if (m.message == msg::kDestroy) {
      platform.PostQuitMessage(0);
    }
    return 1;
  }
  // Runs the main loop; false when it has not ended after 10000 passes.
  bool Run() {
    for (int pass = 0; pass < 10000; ++pass) {
      Message m;
      if (!platform.PeekMessage()) {
        log.push_back("frame");
        std::vector<uint16_t> frame(10 * 4, static_cast<uint16_t>(0x1111 * ++frames));
        for (int y = 0; y < 4; ++y) frame[10 * y + 8] = frame[10 * y + 9] = 0xEEEE;
        platform.Present(frame.data(), 20, 8, 4);
        platform.Present(frame.data() + 8, 14, 8, 4);
      } else if (!platform.GetMessage(&m)) {
        log.push_back("quit");
        return true;
      } else {
        Proc(m);
      }
    }
    return false;
  }
  int frames = 0;
};

using Log = std::vector<std::string>;

TEST(HeadlessPlatform, DrawsFramesOnlyWhereScriptAsks_AndClosesTheEditorAtItsEnd) {
  HeadlessPlatform platform(
      Script("key Up\nframe 2\nmove 1 0\nldown 3 0\nlup 5 0\nrdown 7 0\nrup 9 1\nframe\nkey A"));
  MiniEditor editor(platform);
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log,  // mouse lParam: column + 65536 * row
            (Log{"256 38 0", "frame", "frame", "512 0 1", "513 0 3", "514 0 5", "516 0 7",
                 "517 0 65545", "frame", "256 65 0", "16 0 0", "2 0 0", "quit"}));
  EXPECT_EQ(platform.presentCount(), 3);
  EXPECT_FALSE(platform.windowOpen());
  platform.DestroyWindow();  // a second destroy delivers nothing
  EXPECT_EQ(editor.log.size(), 13u);

  HeadlessPlatform ignored(Script("frame\n"));  // an editor that ignores the close still ends
  MiniEditor stubborn(ignored);
  stubborn.obeysClose = false;
  ASSERT_TRUE(stubborn.Run());
  EXPECT_EQ(stubborn.log, (Log{"frame", "16 0 0", "quit"}));
}

// Each modifier's own key-down comes first, Ctrl before Shift before Alt whatever the script's
// order, and they are held only while the key's messages are handled.
TEST(HeadlessPlatform, ModifiedKeyComesAsFromAKeyboard_ModifiersHeldOnlyForItsMessages) {
  HeadlessPlatform platform(Script("key SHIFT+ctrl+Z\nmove 1 0\nkey Alt+F1\nkey Z"));
  MiniEditor editor(platform);
  ASSERT_TRUE(editor.Run());
  EXPECT_EQ(editor.log, (Log{"256 17 0 C", "256 16 0 CS", "256 90 0 CS", "512 0 1", "256 18 0 A",
                             "256 112 0 A", "256 90 0", "16 0 0", "2 0 0", "quit"}));
}

// The virtual clock starts where asked, moves only by Idle and wraps.
TEST(HeadlessPlatform, Queue_PostedMessagesFirst_WaitingLetsOwedFramesLapse_ClockIsVirtual) {
  HeadlessPlatform platform(Script("key F1\nframe 5\nmove 1 1\n"),
                            HeadlessOptions{.clockStartMs = 0xFFFFFFF0u});
  Message m;
  ASSERT_TRUE(platform.PeekMessage());
  ASSERT_TRUE(platform.PeekMessage());  // peeking again plays no further
  platform.PostMessage(Message{msg::kClose, 0, 0});
  ASSERT_TRUE(platform.GetMessage(&m));
  EXPECT_EQ(m.wParam, vk::kF1);
  ASSERT_TRUE(platform.GetMessage(&m));
  EXPECT_EQ(m.message, msg::kClose);
  ASSERT_TRUE(platform.GetMessage(&m));  // a caller waiting here draws no frames
  EXPECT_EQ(m.message, msg::kMouseMove);
  EXPECT_TRUE(platform.PeekMessage());  // the script's end: the close message
  ASSERT_TRUE(platform.GetMessage(&m));
  EXPECT_EQ(m.message, msg::kClose);
  platform.PostQuitMessage(3);
  EXPECT_FALSE(platform.GetMessage(&m));
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(platform.ClockMs(), 0xFFFFFFF0u);  // playing the script took no time
  platform.Idle(0x30);
  EXPECT_EQ(platform.ClockMs(), 0x20u);
}

TEST(HeadlessPlatform, ShotWritesTheLastPresentedFrame_AndReportsAFailedOne) {
  testing::TempDir dir;
  const std::string before = (dir / "before.bmp").string(), after = (dir / "after.bmp").string();
  const std::string bad = (dir / "no-dir" / "x.png").string();
  for (bool is565 : {true, false}) {
    HeadlessPlatform platform(
        Script("shot " + before + "\nframe 2\nshot " + after + "\nshot " + bad),
        HeadlessOptions{.is565 = is565});
    MiniEditor editor(platform);
    ASSERT_TRUE(editor.Run());
    EXPECT_EQ(editor.is565, is565);
    RgbImage image;
    ASSERT_TRUE(ReadBmp24(before, &image));
    ASSERT_EQ(image.pixels, std::vector<Rgb>(8 * 4, Rgb{0, 0, 0}));
    ASSERT_TRUE(ReadBmp24(after, &image));  // the second frame's colour
    EXPECT_EQ(image.pixels, std::vector<Rgb>(8 * 4, PixelToRgb(LayoutOf(is565), 0x2222)));
    ASSERT_EQ(platform.shotErrors().size(), 1u);
    EXPECT_NE(platform.shotErrors()[0].find(bad), std::string::npos) << platform.shotErrors()[0];
  }
  HeadlessPlatform noScreen(Script("shot " + before));  // no screen yet: a black 640x480
  EXPECT_TRUE(noScreen.PeekMessage());
  RgbImage image;
  ASSERT_TRUE(ReadBmp24(before, &image));
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(640, 480));
}

}  // namespace
}  // namespace boxedit
