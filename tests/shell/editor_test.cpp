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

// Start-up reports the list's diagnostics and the missing tile sheet and picture file, and runs
// on; a list read with errors (here cut short on line 6, then missing) is never saved.
TEST_F(EditorTest, StartUp_ReportsWhatFailedAndRunsOn_ButNeverSavesAListWithErrors) {
  dir_.Write("motion.lst", std::string(kList) + "  7 -1 4\n");
  ASSERT_EQ(Start(), 0) << log_.str();
  EXPECT_EQ(platform_.windowTitle, "Sample");
  EXPECT_EQ(editor_->pictures.tileSheet.width, 640);
  EXPECT_NE(editor_->pool.font.surface, nullptr);
  ASSERT_GE(platform_.presentCount, 1);
  EXPECT_EQ(platform_.FramePixel(320, 240), 0);
  for (const char* logged : {"motion.lst:6: error:", "chara.bmp", "pattern.pat"})
    EXPECT_THAT(log_.str(), HasSubstr(logged));
  for (const char* where : {" (FIRST ON LINE 6)", ""}) {
    Send(msg::kKeyDown, 'S');
    EXPECT_EQ(editor_->status.text,
              std::string("MOTION2.LST NOT SAVED: MOTION.LST HAS ERRORS") + where);
    EXPECT_FALSE(dir_.Exists("motion2.lst"));
    std::filesystem::remove(dir_ / "motion.lst");  // no list at all: an error on no line
    editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
    ASSERT_EQ(Start(), 0);
  }
}

// A list that vanished or lost its header during the session is saved with the header read at
// start-up, and the status line says so.
TEST_F(EditorTest, Saves_ReportOnTheStatusLine_AndOutliveTheListFile) {
  ASSERT_EQ(Start(), 0);
  EXPECT_THAT(editor_->status.text, HasSubstr("CHARA.BMP NOT USED"));  // the start-up summary
  Send(msg::kKeyDown, 'S');
  EXPECT_EQ(editor_->status.text, "SAVED MOTION2.LST (S)");
  EXPECT_EQ(editor_->status.framesLeft, kStatusFrames);
  for (const char* damage : {"", "HEAD 0 0"}) {
    std::filesystem::remove(dir_ / "motion.lst");
    if (*damage != '\0') dir_.Write("motion.lst", damage);
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

// Every message of the table is answered 1 (mouse column in the low 16 bits of lParam, row in
// the high 16 bits); the rest go to the platform.
TEST_F(EditorTest, WindowProc_AnswersItsTableAndPassesTheRestOn) {
  ASSERT_EQ(Start(), 0);
  const std::pair<uint32_t, intptr_t> table[] = {{msg::kKeyDown, vk::kF5},
                                                 {msg::kRButtonDown, MakeMouseLParam(300, 200)},
                                                 {msg::kRButtonUp, MakeMouseLParam(300, 200)},
                                                 {msg::kLButtonDown, MakeMouseLParam(200, 150)},
                                                 {msg::kMouseMove, MakeMouseLParam(210, 150)},
                                                 {msg::kLButtonUp, MakeMouseLParam(210, 150)}};
  for (auto [message, param] : table)
    EXPECT_EQ(Send(message, message == msg::kKeyDown ? param : 0, param), 1) << message;
  EXPECT_EQ(editor_->list.patterns[0].attack[0], (Box{49, 90, 139, 40}));
  EXPECT_EQ(std::pair(editor_->state.selectedBox, editor_->state.leftButtonDown), std::pair(4, 0));
  EXPECT_EQ(Send(0x0104 /* a system key */, 65), 77);
  EXPECT_EQ(Send(msg::kLButtonDown + 10), 77);
  EXPECT_EQ(platform_.defaulted, (std::vector<uint32_t>{0x0104, msg::kLButtonDown + 10}));
}

TEST_F(EditorTest, EscThenClose_ShutsDownInOrderAndPostsQuit) {
  ASSERT_EQ(Start(), 0);
  Send(msg::kKeyDown, vk::kEscape);
  ASSERT_EQ(platform_.queue.Size(), 1u);
  EXPECT_EQ(platform_.queue.Front().message, msg::kClose);
  EXPECT_EQ(Send(msg::kClose), 1);
  EXPECT_EQ(editor_->pool.font.surface, nullptr);
  EXPECT_EQ(editor_->pictures.tileSheet.surface, nullptr);
  EXPECT_EQ(editor_->display.backBuffer, nullptr);
  EXPECT_FALSE(platform_.windowOpen);
  EXPECT_TRUE(platform_.quitPosted);
  EXPECT_TRUE(platform_.defaulted.empty());
}

// A frame resets the defense box widths of every record and is paced to twenty a second.
TEST_F(EditorTest, Frame_ResetsDefenseBoxWidths_AndIsPaced) {
  ASSERT_EQ(Start(), 0);
  editor_->list.patterns[1299].defense[0] = Box{-100, 5, 100, 1};
  const int presented = platform_.presentCount;
  platform_.nowMs = 1000;
  DrawFrame(*editor_);
  EXPECT_EQ(platform_.presentCount, presented + 1);
  for (const PatternRecord& p : editor_->list.patterns)
    ASSERT_EQ(std::pair(p.defense[0].x1, p.defense[0].x2), std::pair(-18, 18));
  EXPECT_EQ(editor_->list.patterns[1299].defense[0].y1, 5);
  EXPECT_EQ(editor_->timer.frameCount, 1u);
  const uint32_t first = editor_->timer.lastMark;
  DrawFrame(*editor_);
  EXPECT_EQ(editor_->timer.lastMark - first, 50u);
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
