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

// Default window handling visible to the test; the queue at each present, and a close asked for
// at the second frame once `frames` is set to 0.
class RecordingPlatform : public FakePlatform {
 public:
  intptr_t DefWindowProc(const Message& m) override {
    defaulted.push_back(m.message);
    return 77;
  }
  void Present(const uint16_t* pixels, int pitch, int width, int height) override {
    FakePlatform::Present(pixels, pitch, width, height);
    queueAtPresent.push_back(queue.Size());
    if (width == 640 && ++frames == 2) PostMessage({msg::kClose, 0, 0});
  }
  std::vector<uint32_t> defaulted;
  std::vector<size_t> queueAtPresent;
  int frames = -1000000;
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

// Start-up reports errors and runs on, never saving a list read with errors; no screen: it fails.
TEST_F(EditorTest, StartUp_ReportsWhatFailedAndRunsOn_ButNeverSavesAListWithErrors) {
  dir_.Write("motion.lst", std::string(kList) + "  7 -1 4\n");
  ASSERT_EQ(Start(), 0) << log_.str();
  EXPECT_THAT(log_.str(), HasSubstr("motion.lst:6: error:"));
  for (const char* where : {" (FIRST ON LINE 6)", ""}) {
    Send(msg::kKeyDown, 'S');
    EXPECT_EQ(editor_->status.text,
              std::string("MOTION2.LST NOT SAVED: MOTION.LST HAS ERRORS") + where);
    EXPECT_FALSE(dir_.Exists("motion2.lst"));
    std::filesystem::remove(dir_ / "motion.lst");  // no list at all: an error on no line
    editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
    ASSERT_EQ(Start(), 0);
  }
  platform_.failOpenScreen = true, platform_.openScreenError = "no X server";
  editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
  EXPECT_NE(Start(), 0);
  EXPECT_THAT(log_.str(), HasSubstr("cannot open the display: no X server"));
}

// A list that lost its header during the session is saved with the header read at start-up.
TEST_F(EditorTest, Saves_ReportOnTheStatusLine_AndOutliveTheListFile) {
  ASSERT_EQ(Start(), 0);
  Send(msg::kKeyDown, 'S');
  EXPECT_EQ(editor_->status.text, "SAVED MOTION2.LST (S)");
  dir_.Write("motion.lst", "HEAD 0 0");
  std::filesystem::remove(dir_ / "motion2.lst");
  Send(msg::kKeyDown, 'L');
  EXPECT_EQ(dir_.Read("motion2.lst").substr(0, 26), "HEAD\n  0   0   0  10\n\nEND\n");
  EXPECT_THAT(editor_->status.text, HasSubstr("(L), START-UP HEADER USED"));
  EXPECT_EQ(StatusText("a\t~" + std::string(90, 'x')), "A  " + std::string(74, 'X') + "...");
}

// The table's messages are answered 1 (lParam: column low, row high); the rest go to the platform.
TEST_F(EditorTest, WindowProc_AnswersItsTableAndPassesTheRestOn_FramesAndClose) {
  ASSERT_EQ(Start(), 0);
  const auto at = MakeMouseLParam;
  // With the key help shown, a press only hides it: the box under the help stays as it was.
  const Box shown = editor_->list.patterns[0].defense[0];
  Send(msg::kKeyDown, vk::kF1 + 11), Send(msg::kLButtonDown, 0, at(200, 150));
  Send(msg::kMouseMove, 0, at(210, 150)), Send(msg::kLButtonUp, 0, at(210, 150));
  EXPECT_EQ(std::pair(editor_->keyHelp, editor_->list.patterns[0].defense[0]),
            std::pair(false, shown));
  const std::pair<uint32_t, intptr_t> table[] = {
      {msg::kKeyDown, vk::kF5},        {msg::kRButtonDown, at(300, 200)},
      {msg::kRButtonUp, at(300, 200)}, {msg::kLButtonDown, at(200, 150)},
      {msg::kMouseMove, at(210, 150)}, {msg::kLButtonUp, at(210, 150)}};
  for (auto [message, param] : table)
    EXPECT_EQ(Send(message, message == msg::kKeyDown ? param : 0, param), 1) << message;
  EXPECT_EQ(std::tuple(editor_->list.patterns[0].attack[0], editor_->state.selectedBox,
                       editor_->state.leftButtonDown),
            std::tuple(Box{49, 90, 139, 40}, 4, 0));
  EXPECT_EQ(Send(0x0104 /* a system key */, 65), 77);
  EXPECT_EQ(platform_.defaulted, std::vector<uint32_t>{0x0104});

  // A frame that cannot differ from the one shown is neither composed nor presented again (once
  // the start-up's report on the missing files has left the status line).
  editor_->status.framesLeft = 0;
  DrawFrame(*editor_), DrawFrame(*editor_);
  const int presented = platform_.presentCount;
  DrawFrame(*editor_), DrawFrame(*editor_);
  EXPECT_EQ(platform_.presentCount, presented);
  Send(msg::kMouseMove, 0, at(5, 5)), DrawFrame(*editor_);
  EXPECT_EQ(platform_.presentCount, presented + 1);

  // A frame resets the defense box widths of every record.
  editor_->list.patterns[1299].defense[0] = Box{-100, 5, 100, 1};
  Send(msg::kMouseMove, 0, at(5, 5)), DrawFrame(*editor_);
  for (const PatternRecord& p : editor_->list.patterns)
    ASSERT_EQ(std::pair(p.defense[0].x1, p.defense[0].x2), std::pair(-18, 18));
  EXPECT_EQ(editor_->list.patterns[1299].defense[0].y1, 5);

  Send(msg::kKeyDown, vk::kEscape);  // posts a close, which shuts down and posts the quit
  ASSERT_EQ(platform_.queue.Size(), 1u);
  EXPECT_EQ(platform_.queue.Front().message, msg::kClose);
  EXPECT_EQ(Send(msg::kClose), 1);
  EXPECT_EQ(std::tuple(platform_.windowOpen, platform_.quitPosted, platform_.defaulted.size()),
            std::tuple(false, true, 1u));
}

// F9 reads the files again and keeps the pattern shown; unsaved edits, or edits saved to
// motion2.lst that motion.lst lacks, make it ask first, and only the very next F9 goes on.
TEST_F(EditorTest, F9_ReadsTheFilesAgain_AskingFirstWhenEditsWouldBeLost) {
  // F9 itself edits nothing: slot 0's attack box, out of order in the file, is not ordered.
  dir_.Write("motion.lst", std::string(kList).replace(std::string(kList).find("000000000000 a"), 12,
                                                      "014000000000"));
  ASSERT_EQ(Start(), 0);
  Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_EQ(std::pair(editor_->list.patterns[0].attack[0].x1, editor_->Unsaved()),
            std::pair(20, false));
  dir_.Write("motion.lst", kList), Send(msg::kKeyDown, vk::kF1 + 8);
  auto speed = [&](const char* word) {
    dir_.Write("motion.lst", std::string(kList).replace(std::string(kList).find("-1  4   1"), 9,
                                                        std::string("-1  ") + word + "   1"));
  };
  const int32_t& shown = editor_->list.patterns[3].speed;
  Send(msg::kKeyDown, vk::kDown), speed("7"), Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_EQ(std::pair(shown, editor_->state.currentPattern), std::pair(7, 3));
  Send(msg::kKeyDown, vk::kTab), Send(msg::kKeyDown, '5'), Send(msg::kKeyDown, vk::kReturn);
  speed("8"), Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_THAT(editor_->status.text, HasSubstr("UNSAVED EDITS"));
  Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_EQ(std::tuple(shown, editor_->list.patterns[3].to, editor_->history.steps()),
            std::tuple(8, -1, size_t{0}));
  Send(msg::kKeyDown, '6'), Send(msg::kKeyDown, 'S'), speed("9");  // TO 6 saved to motion2.lst
  Send(msg::kKeyDown, vk::kF1 + 8), Send(msg::kKeyDown, vk::kDown),
      Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_EQ(std::pair(shown, editor_->status.text.substr(0, 11)),
            std::pair(8, std::string("MOTION2.LST")));
  Send(msg::kKeyDown, vk::kF1 + 8);
  EXPECT_EQ(shown, 9);
}

TEST_F(EditorTest, MainLoop_HandlesEveryWaitingMessageBeforeAFrameAndEndsOnQuit) {
  ASSERT_EQ(Start(), 0);
  platform_.frames = 0, platform_.queueAtPresent.clear();
  platform_.PostMessage({msg::kKeyDown, vk::kDown, 0});
  platform_.PostMessage({msg::kKeyDown, vk::kF2, 0});
  RunMainLoop(*editor_);
  EXPECT_EQ(std::pair(editor_->state.currentPattern, editor_->state.selectedBox), std::pair(3, 1));
  EXPECT_EQ(platform_.queueAtPresent.at(0), 0u);  // both keys were handled before the first frame
  EXPECT_EQ(std::tuple(platform_.windowOpen, platform_.FramePixel(0, 0)), std::tuple(false, 0));
}

}  // namespace
}  // namespace boxedit
