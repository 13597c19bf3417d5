#include "shell/editing_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <tuple>

#include "platform/messages.h"

namespace boxedit {
namespace {

struct RecordingActions : EditorActions {
  void PostClose() override { ++closes; }
  void SaveS() override { ++savesS; }
  void SaveL() override { ++savesL; }
  int closes = 0, savesS = 0, savesL = 0;
};

// Corners crossed both ways, and the same box once ordered: x1 gives way to x2, y1 rises to y2.
constexpr Box kCrossed{50, 10, -30, 90};
constexpr Box kOrdered{-30, 90, -30, 90};
constexpr Box kSome{-10, 50, 10, 5};

class EditingCommandsTest : public ::testing::Test {
 protected:
  EditingCommandsTest() {
    for (PatternRecord& record : list_->patterns) record.picture = -1;
    list_->lastPattern = 40;
  }
  PatternRecord& Rec(int index) { return list_->patterns[index]; }
  void Key(uint32_t code) { HandleKey(state_, *list_, actions_, code); }
  void Mouse(MouseEvent e, uint16_t column, uint16_t row) {
    HandleMouse(state_, *list_, e, column, row);
  }

  std::unique_ptr<MotionList> list_ = std::make_unique<MotionList>();
  EditorState state_;
  RecordingActions actions_;
};

TEST_F(EditingCommandsTest, Constrain_OrdersBothGroupsOfIndexK_AndUpDownConstrainThePatternLeft) {
  // The last: a clamp tests its low bound first, and corners meet before bounds.
  const Box cases[][2] = {{kCrossed, kOrdered},
                          {{-500, 1000, 500, -50}, {-320, 239, 319, 0}},
                          {{-350, 100, -400, 300}, {-320, 300, -320, 300}}};
  for (const auto& [in, out] : cases) {
    Rec(3).defense[2] = Rec(3).attack[2] = in;
    ConstrainBoxPair(*list_, 3, 2);
    EXPECT_EQ(std::pair(Rec(3).defense[2], Rec(3).attack[2]), std::pair(out, out));
  }

  // Stepping skips empty slots, stops at 0 and lastPattern, and constrains the pattern it leaves.
  for (int i : {5, 9, 30, 41}) Rec(i).picture = 7;  // 41 lies past lastPattern = 40
  const int32_t steps[][3] = {{9, vk::kDown, 30}, {30, vk::kDown, 40}, {40, vk::kDown, 40},
                              {40, vk::kUp, 30},  {5, vk::kUp, 0},     {0, vk::kUp, 0}};
  for (const auto& [from, key, to] : steps) {
    Rec(from).defense[0] = Rec(to).defense[0] = kCrossed, state_.currentPattern = from, Key(key);
    EXPECT_EQ(std::tuple(state_.currentPattern, Rec(from).defense[0], Rec(to).defense[0]),
              std::tuple(to, kOrdered, to == from ? kOrdered : kCrossed))
        << from << " " << key;
  }
}

// F3 and F4 select nothing; each key constrains the pair of the index selected after it.
TEST_F(EditingCommandsTest, FunctionAndFileKeys_SelectBoxSaveOrClose_AndConstrainTheNewIndex) {
  state_.selectedBox = 1;
  Key(vk::kF1 + 2), Key(vk::kF1 + 3);
  EXPECT_EQ(state_.selectedBox, 1);
  Rec(0).defense[0] = Rec(0).attack[0] = Rec(0).defense[1] = kCrossed;
  Key(vk::kF5);
  EXPECT_EQ(std::tuple(state_.selectedBox, Rec(0).defense[0], Rec(0).attack[0], Rec(0).defense[1]),
            std::tuple(4, kOrdered, kOrdered, kCrossed));
  Key(vk::kF2);
  EXPECT_EQ(std::pair(state_.selectedBox, Rec(0).defense[1]), std::pair(1, kOrdered));
  Key(vk::kF1), Rec(0).defense[0] = kCrossed;
  Key('S'), Key('L'), Key(vk::kEscape);
  EXPECT_EQ(std::tie(actions_.savesS, actions_.savesL, actions_.closes), std::tuple(1, 1, 1));
  EXPECT_EQ(std::pair(state_.selectedBox, Rec(0).defense[0]), std::pair(0, kOrdered));

  // Box keys clear or copy only what they name.
  const Box d0{-18, 60, 18, 0}, d1{-5, 70, 5, 20};
  auto press = [&](uint32_t key, int32_t selected) {
    Rec(0).defense = {d0, d1}, Rec(0).attack.fill(kSome);
    state_.selectedBox = selected, Key(key);
  };
  for (uint32_t key : {vk::kEnd, vk::kHome}) {
    press(key, 1);
    EXPECT_EQ(std::pair(Rec(0).attack, Rec(0).defense[1]), std::pair(std::array<Box, 4>{}, d1));
  }
  for (uint32_t key : {vk::kLeft, vk::kRight}) {
    press(key, 4);
    EXPECT_EQ(std::pair(Rec(0).attack[0], Rec(0).attack[1]), std::pair(Box{}, kSome)) << key;
    press(key, 1);
    EXPECT_EQ(Rec(0).defense, (std::array<Box, 4>{d0})) << key;
  }
  Rec(0).attack[0] = kCrossed;
  Key('C');
  EXPECT_EQ(Rec(0).defense[1], kCrossed);
  state_.selectedBox = 4, Key('C');  // C copies after the constraint: ordered with index 0 only
  EXPECT_EQ(Rec(0).defense[1], kOrdered);
}

// Screen (column, row) is view point (column - 161, 240 - row), pulled onto the view.
TEST_F(EditingCommandsTest, Presses_MapOntoTheView_LeftWins_StrayValuesStayInsideTheTable) {
  const Box kWide{-320, 239, 319, 0};
  const std::tuple<bool, Box, uint16_t, uint16_t, Box> cases[] = {
      {true, kWide, 161, 240, {0, 0, 319, 0}},
      {true, kWide, 0, 0, {-160, 239, 319, 0}},
      {false, kWide, 639, 479, {-320, 239, 159, 0}},
      {true, {-20, 100, 50, 10}, 241, 140, {50, 100, 50, 10}},
      {false, {0, 100, 50, 60}, 211, 90, {0, 150, 50, 150}}};
  Rec(23).picture = 7;
  state_.currentPattern = 23, state_.selectedBox = 1;
  for (const auto& [left, start, column, row, end] : cases) {
    Rec(23).defense[1] = start, Rec(23).attack[1] = kCrossed;  // the other group of the index
    Mouse(left ? MouseEvent::kLeftDown : MouseEvent::kRightDown, column, row);
    EXPECT_EQ(std::pair(Rec(23).defense[1], Rec(23).attack[1]), std::pair(end, kOrdered))
        << column << "," << row;
    Mouse(left ? MouseEvent::kLeftUp : MouseEvent::kRightUp, 0, 0);
  }
  EXPECT_EQ(Rec(0).defense[1], Box{});

  // The left button wins while both are held; moves drag only while a button is held.
  state_.currentPattern = 0, state_.selectedBox = 4;
  Rec(0).attack[0] = {-100, 200, 100, 0};
  Mouse(MouseEvent::kLeftDown, 111, 90);
  Mouse(MouseEvent::kRightDown, 181, 120);  // view (20, 120)
  Mouse(MouseEvent::kLeftUp, 0, 0);         // clears its own flag only
  EXPECT_EQ(Rec(0).attack[0], (Box{20, 120, 100, 0}));
  Mouse(MouseEvent::kMove, 201, 130);  // view (40, 110)
  EXPECT_EQ(Rec(0).attack[0], (Box{20, 120, 40, 110}));
  Mouse(MouseEvent::kRightUp, 0, 0), Mouse(MouseEvent::kMove, 0, 0);
  EXPECT_EQ(Rec(0).attack[0], (Box{20, 120, 40, 110}));

  // Stray indices in the state or the list never reach outside the table.
  Rec(3).picture = Rec(1290).picture = 7;
  Rec(0).attack[0] = kSome;
  const auto before = std::make_unique<MotionList>(*list_);
  for (int32_t stray : {-1, kPatternCount, INT32_MAX, INT32_MIN}) {
    state_ = {0, stray, 1, 0, {}, {}};  // a stray selectedBox, the left button held
    Key(vk::kLeft), Mouse(MouseEvent::kMove, 200, 150);
    for (uint32_t key : {vk::kEnd, uint32_t{'C'}, vk::kRight, vk::kDown}) {
      state_ = {stray, 4, 1, 0, {}, {}};  // a stray currentPattern
      Mouse(MouseEvent::kMove, 200, 150), Key(key);
    }
  }
  ConstrainBoxPair(*list_, 3, 4), ConstrainBoxPair(*list_, kPatternCount, 0);
  EXPECT_EQ(std::memcmp(before.get(), list_.get(), sizeof(MotionList)), 0);

  const int32_t walks[][4] = {{45, vk::kSpace, 40, 40},       {-3, vk::kSpace, 40, 0},
                              {5000, vk::kUp, 99999, 1290},   {INT32_MIN, vk::kDown, 99999, 3},
                              {1290, vk::kDown, 99999, 1299}, {3, vk::kDown, -7, 0}};
  for (const auto& [from, key, last, to] : walks) {
    list_->lastPattern = last, state_.currentPattern = from, Key(key);
    EXPECT_EQ(state_.currentPattern, to) << from;
  }
}

}  // namespace
}  // namespace boxedit
