// The editor's start-up, window procedure, main loop, frame and shutdown on the fake platform.
#include "shell/editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"

namespace boxedit {
namespace {

using testing::FakePlatform;
using ::testing::HasSubstr;
using testing::TempDir;

constexpr const char* kList =
    "HEAD\n0 0 0 10\nEND\n"
    "   0   -1  4   0  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 a\n"
    "   3   -1  4   1  0 44 9    0 0   0 0 0 -1 U  0   -1 0 0000 1120A0012000 000000000000 "
    "000000000000 b\n";

// A platform whose default window handling is visible to the test.
class RecordingPlatform : public FakePlatform {
 public:
  intptr_t DefWindowProc(const Message& m) override {
    defaulted.push_back(m.message);
    return 77;
  }
  std::vector<uint32_t> defaulted;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("motion.lst", kList);
    editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
  }
  int Start() { return StartUp(*editor_); }
  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return EditorWindowProc(*editor_, Message{message, wParam, lParam});
  }

  TempDir dir_;
  RecordingPlatform platform_;
  std::ostringstream log_;
  std::unique_ptr<Editor> editor_;
};

TEST_F(EditorTest, StartUp_OpensLoadsAndClearsToBlack) {
  dir_.Write("motion.lst", std::string(kList) + "  7 -1 4\n");  // cut short: line 6
  ASSERT_EQ(Start(), 0) << log_.str();
  EXPECT_EQ(platform_.windowTitle, "Sample");
  EXPECT_EQ(editor_->pictures.tileSheet.width, 640);
  EXPECT_NE(editor_->pictures.tileSheet.surface, nullptr);
  EXPECT_NE(editor_->pool.font.surface, nullptr);
  ASSERT_GE(platform_.presentCount, 1);
  EXPECT_EQ(platform_.FramePixel(320, 240), 0);
  // The list's diagnostics, the missing tile sheet and picture file are reported, and the
  // editor runs on.
  EXPECT_THAT(log_.str(), HasSubstr("motion.lst:6: error:"));
  EXPECT_THAT(log_.str(), HasSubstr("chara.bmp"));
  EXPECT_THAT(log_.str(), HasSubstr("pattern.pat"));
}

// Saves say what they did on the status line; a list that vanished or lost its header during the
// session is saved with the header read at start-up, and says so.
TEST_F(EditorTest, Saves_ReportOnTheStatusLine_AndOutliveTheListFile) {
  ASSERT_EQ(Start(), 0);
  EXPECT_THAT(editor_->status.text, HasSubstr("CHARA.BMP NOT USED"));  // the start-up summary
  Send(msg::kKeyDown, 'S');
  EXPECT_EQ(editor_->status.text, "SAVED MOTION2.LST (S)");
  EXPECT_EQ(editor_->status.framesLeft, kStatusFrames);
  for (const char* damage : {"", "HEAD 0 0"}) {
    if (*damage == '\0') {
      std::filesystem::remove(dir_ / "motion.lst");
    } else {
      dir_.Write("motion.lst", damage);
    }
    std::filesystem::remove(dir_ / "motion2.lst");
    Send(msg::kKeyDown, 'L');
    EXPECT_EQ(dir_.Read("motion2.lst").substr(0, 26), "HEAD\n  0   0   0  10\n\nEND\n") << damage;
    EXPECT_EQ(editor_->status.text, "SAVED MOTION2.LST (L), START-UP HEADER USED");
  }
  EXPECT_THAT(log_.str(), HasSubstr("no complete header of six words; its header as read at "
                                    "start-up was used"));
  EXPECT_EQ(StatusText(std::string(90, 'x') + "\t~"), std::string(80, 'X'));
  EXPECT_EQ(StatusText("a:b{|}~\x7F\t\x80"), "A:B       ");
}

TEST_F(EditorTest, StartUp_WhenScreenCannotOpen_SaysWhyAndFails) {
  platform_.failOpenScreen = true;
  platform_.openScreenError = "no X server";
  EXPECT_NE(Start(), 0);
  EXPECT_THAT(log_.str(), HasSubstr("cannot open the display: no X server"));
}

TEST_F(EditorTest, WindowProc_AnswersItsTableAndPassesTheRestOn) {
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Send(msg::kKeyDown, vk::kF5), 1);
  EXPECT_EQ(editor_->state.selectedBox, 4);
  // Column in the low 16 bits, row in the high 16 bits.
  EXPECT_EQ(Send(msg::kRButtonDown, 0, MakeMouseLParam(300, 200)), 1);
  EXPECT_EQ(Send(msg::kRButtonUp, 0, MakeMouseLParam(300, 200)), 1);
  EXPECT_EQ(Send(msg::kLButtonDown, 0, MakeMouseLParam(200, 150)), 1);
  EXPECT_EQ(Send(msg::kMouseMove, 0, MakeMouseLParam(210, 150)), 1);
  EXPECT_EQ(Send(msg::kLButtonUp, 0, MakeMouseLParam(210, 150)), 1);
  EXPECT_EQ(editor_->list.patterns[0].attack[0], (Box{49, 90, 139, 40}));
  EXPECT_EQ(editor_->state.leftButtonDown, 0);

  EXPECT_EQ(Send(0x0104 /* a system key */, 65), 77);
  EXPECT_EQ(Send(msg::kLButtonDown + 10), 77);
  EXPECT_EQ(platform_.defaulted, (std::vector<uint32_t>{0x0104, msg::kLButtonDown + 10}));
}

TEST_F(EditorTest, EscThenClose_ShutsDownInOrderAndPostsQuit) {
  ASSERT_EQ(Start(), 0);
  Send(msg::kKeyDown, vk::kEscape);
  ASSERT_EQ(platform_.queue.Size(), 1u);
  EXPECT_EQ(platform_.queue.Front().message, msg::kClose);
  platform_.queue.Clear();

  EXPECT_EQ(Send(msg::kClose), 1);
  EXPECT_EQ(editor_->pool.font.surface, nullptr);
  EXPECT_EQ(editor_->pictures.tileSheet.surface, nullptr);
  EXPECT_EQ(editor_->display.backBuffer, nullptr);
  EXPECT_FALSE(platform_.windowOpen);
  EXPECT_TRUE(platform_.quitPosted);
  EXPECT_TRUE(platform_.defaulted.empty());
}

// A frame resets the defense box widths of every record, is paced to twenty a second and
// uses the second colour pair for circo 44.
TEST_F(EditorTest, Frame_ResetsDefenseBoxWidths_IsPaced_AndColoursBoxesByCirco) {
  ASSERT_EQ(Start(), 0);
  editor_->list.patterns[1299].defense[0] = Box{-100, 5, 100, 1};
  const int presented = platform_.presentCount;
  platform_.nowMs = 1000;
  DrawFrame(*editor_);
  EXPECT_EQ(platform_.presentCount, presented + 1);
  for (const PatternRecord& p : editor_->list.patterns) {
    ASSERT_EQ(p.defense[0].x1, -18);
    ASSERT_EQ(p.defense[0].x2, 18);
  }
  EXPECT_EQ(editor_->list.patterns[1299].defense[0].y1, 5);
  EXPECT_EQ(platform_.FramePixel(639, 479), 0x8410);
  EXPECT_EQ(platform_.FramePixel(0, 0), 0xFFFF);      // the view border
  EXPECT_EQ(platform_.FramePixel(143, 200), 0x001F);  // circo 3: blue defense box 0, y 80 to 0
  EXPECT_EQ(editor_->timer.frameCount, 1u);
  const uint32_t first = editor_->timer.lastMark;
  editor_->state.currentPattern = 3;  // circo 44, defense box 0 from y 160 down to 0
  DrawFrame(*editor_);
  EXPECT_EQ(editor_->timer.lastMark - first, 50u);
  EXPECT_EQ(platform_.FramePixel(143, 120), 0x07E0);  // its green left edge
}

// Draws frames until `frames` have been drawn, then asks to close.
class ClosingPlatform : public FakePlatform {
 public:
  int frames = 0;
  int closeAfter = 2;
  std::vector<size_t> queueAtPresent;
  void Present(const uint16_t* pixels, int pitch, int width, int height) override {
    FakePlatform::Present(pixels, pitch, width, height);
    queueAtPresent.push_back(queue.Size());
    if (width == 640 && ++frames == closeAfter) PostMessage({msg::kClose, 0, 0});
  }
};

TEST(EditorLoop, HandlesEveryWaitingMessageBeforeAFrameAndEndsOnQuit) {
  TempDir dir;
  dir.Write("motion.lst", kList);
  ClosingPlatform platform;
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, dir.path(), log);
  ASSERT_EQ(StartUp(*editor), 0);
  platform.frames = 0;
  platform.queueAtPresent.clear();
  platform.PostMessage({msg::kKeyDown, vk::kDown, 0});
  platform.PostMessage({msg::kKeyDown, vk::kF2, 0});
  RunMainLoop(*editor);
  // Both keys were handled before the first frame; the close cleared the screen and ended the loop.
  EXPECT_EQ(editor->state.currentPattern, 3);
  EXPECT_EQ(editor->state.selectedBox, 1);
  ASSERT_GE(platform.queueAtPresent.size(), 2u);
  EXPECT_EQ(platform.queueAtPresent[0], 0u);
  EXPECT_FALSE(platform.windowOpen);
  EXPECT_EQ(platform.FramePixel(0, 0), 0);
}

}  // namespace
}  // namespace boxedit
