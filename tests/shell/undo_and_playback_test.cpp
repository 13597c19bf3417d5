#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "shell/editor.h"

namespace boxedit {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using Table = std::array<PatternRecord, kPatternCount>;

// Slot 1's attack box and slot 2's defense box 1 are out of order, for the ordering every key runs;
// slot 2's defense box 0 is not -18..18 wide until a frame is drawn.
constexpr const char* kList =
    "HEAD\n0 0 0 10\nEND\n"
    "   0   -1  3   0  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 a\n"
    "   1   -1  0   0  0  3 9    0 0 100 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "020050102020 b\n"
    "   2    0  2   0  0 44 9    0 0   0 0 0 -1 U  0   -1 0 0000 130050005000 114020004030 "
    "000000000000 c\n"
    "   5   -1  4   0  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 d\n";

class UndoAndPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("motion.lst", kList);
    editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
    ASSERT_EQ(StartUp(*editor_), 0);
  }
  void Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0, HeldKeys held = 0) {
    EditorWindowProc(*editor_, Message{message, wParam, lParam, held});
  }
  // A key as a keyboard sends it: each modifier's own key-down first, then the key with them held.
  void Key(uint32_t key, bool ctrl = false, bool shift = false) {
    if (ctrl) Send(msg::kKeyDown, vk::kControl, 0, kHeldControl);
    if (shift) Send(msg::kKeyDown, vk::kShift, 0, (ctrl ? kHeldControl : 0) | kHeldShift);
    Send(msg::kKeyDown, key, 0, (ctrl ? kHeldControl : 0) | (shift ? kHeldShift : 0));
  }
  void Mouse(uint32_t message, uint16_t x, uint16_t y) { Send(message, 0, MakeMouseLParam(x, y)); }
  Table Boxes() const { return editor_->list.patterns; }
  static bool Same(const Table& a, const Table& b) { return std::ranges::equal(a, b, SameEdits); }

  TempDir dir_;
  FakePlatform platform_;
  std::ostringstream log_;
  std::unique_ptr<Editor> editor_;
};

TEST_F(UndoAndPlaybackTest, UndoingEveryCommandGivesBackTheTableAndRedoTheEdits) {
  const Table loaded = Boxes();
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    SetUp();
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    Table saved = loaded, framed = loaded;  // framed: the table when the last frame was drawn
    int commands = 0;
    for (; commands < 60; ++commands) {
      const int command = pick(12);
      if (command == 0) Key(std::array{vk::kUp, vk::kDown, vk::kF1, vk::kF2, vk::kF5}[pick(5)]);
      if (command == 1) Key(std::array{vk::kLeft, vk::kRight, vk::kHome, vk::kEnd}[pick(4)]);
      if (command == 2) Key(std::array{'C', 'V', 'O'}[pick(3)], pick(2));  // with Ctrl or not
      if (command == 3) Send(msg::kKeyDown, pick(2) ? vk::kShift : vk::kControl);
      if (command == 4) {  // a press, a drag and the release
        const bool left = pick(2);
        Mouse(left ? msg::kLButtonDown : msg::kRButtonDown, pick(330), pick(250));
        for (int moves = pick(4); moves > 0; --moves) Mouse(msg::kMouseMove, pick(330), pick(250));
        Mouse(left ? msg::kLButtonUp : msg::kRButtonUp, pick(330), pick(250));
      }
      if (command == 6) DrawFrame(*editor_), framed = Boxes();
      if (command == 7) Key('S', pick(2)), saved = Boxes();  // Ctrl+S saves as S does
      if (command >= 8) Key('Z', true);                      // undo in the middle of things
      ASSERT_EQ(editor_->Unsaved(), !Same(Boxes(), saved)) << "after command " << commands;
      // Only the frame sets defense box 0's x values: no press, paste, ordering or undo does.
      ASSERT_TRUE(std::ranges::equal(Boxes(), framed,
                                     [](const auto& a, const auto& b) {
                                       return a.defense[0].x1 == b.defense[0].x1 &&
                                              a.defense[0].x2 == b.defense[0].x2;
                                     }))
          << "after command " << commands;
    }
    Key(vk::kDown);  // takes up the ordering of a last Shift or Ctrl key-down
    const Table edited = Boxes();
    const size_t steps = editor_->history.done();
    for (int i = 0; i <= commands; ++i) Key('Z', true);
    EXPECT_TRUE(Same(Boxes(), loaded));
    EXPECT_EQ(editor_->Unsaved(), !Same(loaded, saved));
    for (size_t i = 0; i < steps; ++i) Key(i % 2 ? 'Y' : 'Z', true, i % 2 == 0);
    EXPECT_TRUE(Same(Boxes(), edited));
  }
}

// Defense box 0's x values stay the file's until a frame sets them: a press changes
// only its height, and undoing the press after a frame keeps the frame's.
TEST_F(UndoAndPlaybackTest, OnlyTheFrameSetsTheXValuesOfDefenseBoxZero) {
  const Box& box = editor_->list.patterns[2].defense[0];
  Key(vk::kDown), Key(vk::kDown), Mouse(msg::kLButtonDown, 100, 100);
  Mouse(msg::kLButtonUp, 100, 100);
  EXPECT_EQ(box, (Box{-48, 140, 5, 0}));
  DrawFrame(*editor_), Key('Z', true);
  EXPECT_EQ(box, (Box{-18, 80, 18, 0}));
}

TEST_F(UndoAndPlaybackTest, StepsAreWholeCommandsAndUndoShowsTheirPattern) {
  const auto& p = editor_->list.patterns;
  Key(vk::kDown), Key(vk::kF5);  // to 1; F5 orders slot 1's attack box: the selection key's step
  const Box ordered = p[1].attack[0];
  Mouse(msg::kRButtonDown, 200, 200), Mouse(msg::kMouseMove, 210, 190);  // one step: the press
  Mouse(msg::kMouseMove, 220, 180), Mouse(msg::kRButtonUp, 220, 180);    // and its whole drag
  Key(vk::kDown), Key(vk::kDown), Key('Z', true);                        // from 5
  EXPECT_EQ(std::tuple(editor_->state.currentPattern, p[1].attack[0], editor_->Unsaved()),
            std::tuple(1, ordered, true));  // the ordering is still an edit
  Key('Z', true);                           // exactly as loaded
  EXPECT_EQ(std::pair(p[1].attack[0], editor_->Unsaved()), std::pair(Box{32, 80, -2, 32}, false));

  // Ctrl+C copies the three boxes without C's own copy; Ctrl+V, Down, Ctrl+V pastes a run.
  Key('C', true);
  EXPECT_EQ(std::pair(editor_->status.text, p[1].defense[1]),
            std::pair(std::string("BOXES OF PATTERN 1 COPIED"), Box{}));
  Key(vk::kDown), Key('V', true), Key(vk::kDown), Key('V', true);
  EXPECT_EQ(std::pair(p[5].attack[0], p[2].attack[0]), std::pair(p[1].attack[0], p[1].attack[0]));
  Key('Z', true);
  EXPECT_EQ(std::pair(editor_->state.currentPattern, p[5].attack[0]), std::pair(5, Box{}));
}

// Motion 0 plays slot 0 for 3 frames, 1 until it lands (21) and 2 for 2, then again.
TEST_F(UndoAndPlaybackTest, PlaybackShowsEachPatternForItsFramesAndAnyKeyStopsIt) {
  Key(vk::kDown), Key('P');  // from slot 1 of motion 0
  std::vector<int32_t> shown, expected;
  for (int i = 0; i < 2 * 26 + 1; ++i) {
    shown.push_back(editor_->state.currentPattern);
    DrawFrame(*editor_);
    Mouse(msg::kLButtonDown, 10, 10);  // ignored while playing
  }
  for (int loop = 0; loop < 3; ++loop)
    for (auto [slot, frames] : {std::pair(0, 3), {1, 21}, {2, 2}})
      expected.insert(expected.end(), frames, slot);
  expected.resize(shown.size());
  EXPECT_EQ(shown, expected);
  Key(vk::kEscape);  // stops at the pattern shown and does nothing else
  EXPECT_EQ(std::tuple(editor_->playback.playing(), editor_->state.currentPattern,
                       platform_.queue.Size()),
            std::tuple(false, 0, size_t{0}));

  // At 1/4 each game frame shows for four drawn frames; a modifier's key-down changes nothing.
  Key('P'), Key(vk::kDown), Key(vk::kDown), Send(msg::kKeyDown, vk::kShift);
  for (int i = 0; i < 9; ++i) DrawFrame(*editor_);
  EXPECT_EQ(std::pair(editor_->playback.frame(), editor_->playback.divisor()),
            std::pair(int64_t{2}, 4));
  // Paused, it stays; Left from the first frame wraps to the last, Right comes back; P restarts.
  Key(vk::kSpace), DrawFrame(*editor_), Key(vk::kLeft), Key(vk::kLeft), Key(vk::kLeft);
  EXPECT_EQ(std::pair(editor_->playback.frame(), editor_->state.currentPattern),
            std::pair(int64_t{25}, 2));
  Key(vk::kRight), Key(vk::kUp), DrawFrame(*editor_);
  EXPECT_EQ(std::tuple(editor_->playback.frame(), editor_->playback.divisor(),
                       editor_->state.currentPattern),
            std::tuple(int64_t{0}, 2, 0));
  Key('P'), DrawFrame(*editor_), DrawFrame(*editor_);
  EXPECT_EQ(std::pair(editor_->playback.playing(), editor_->playback.frame()),
            std::pair(true, int64_t{1}));
  Key(vk::kEscape);

  editor_->list.patterns[0].picture = -1;  // an empty first slot: nothing to play
  Key('P');
  EXPECT_FALSE(editor_->playback.playing());
}

}  // namespace
}  // namespace boxedit
