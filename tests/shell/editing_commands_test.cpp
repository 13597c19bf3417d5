#include "shell/editing_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/messages.h"

namespace boxedit {
namespace {

constexpr uint32_t kF3 = 114;
constexpr uint32_t kF4 = 115;

class RecordingActions : public EditorActions {
 public:
  void PostClose() override { ++closes; }
  void SaveS() override { ++savesS; }
  void SaveL() override { ++savesL; }
  int closes = 0;
  int savesS = 0;
  int savesL = 0;
};

// A box whose corners are crossed both ways: any constraint of it shows.
constexpr Box kCrossed{50, 10, -30, 90};
// kCrossed after ConstrainBoxPair: x1 gives way to x2, then y1 is raised to y2.
constexpr Box kCrossedOrdered{-30, 90, -30, 90};

class EditingCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_ = std::make_unique<MotionList>();
    for (PatternRecord& record : list_->patterns) record.picture = -1;
    list_->lastPattern = 40;
  }

  PatternRecord& Rec(int index) { return list_->patterns[index]; }
  void Fill(int index) { Rec(index).picture = 7; }
  void Key(uint32_t code) { HandleKey(state_, *list_, actions_, code); }
  void Mouse(MouseEvent event, uint16_t column, uint16_t row) {
    HandleMouse(state_, *list_, event, column, row);
  }
  bool BoxesUnchanged(const MotionList& before) {
    for (int i = 0; i < kPatternCount; ++i) {
      if (list_->patterns[i].defense != before.patterns[i].defense ||
          list_->patterns[i].attack != before.patterns[i].attack) {
        return false;
      }
    }
    return true;
  }

  std::unique_ptr<MotionList> list_;
  EditorState state_;
  RecordingActions actions_;
};

TEST(Clamp, ReturnsBoundOrValue_WhenBoundsOrdered) {
  EXPECT_EQ(Clamp(-5, 0, 10), 0);
  EXPECT_EQ(Clamp(15, 0, 10), 10);
  EXPECT_EQ(Clamp(7, 0, 10), 7);
  EXPECT_EQ(Clamp(0, 0, 10), 0);
  EXPECT_EQ(Clamp(10, 0, 10), 10);
}

TEST(Clamp, TestsLowFirst_WhenBoundsCrossed) {
  EXPECT_EQ(Clamp(5, 10, 0), 10);    // below low: low, although above high too
  EXPECT_EQ(Clamp(-5, 0, -10), 0);   // below low
  EXPECT_EQ(Clamp(5, 0, -10), -10);  // not below low, above high
}

// ---- ConstrainBoxPair ----

TEST_F(EditingCommandsTest, Constrain_KeepsOrderedBoxes_WhenWithinBounds) {
  Rec(3).defense[1] = {-40, 120, 40, 0};
  Rec(3).attack[1] = {-320, 239, 319, 0};
  ConstrainBoxPair(*list_, 3, 1);
  EXPECT_EQ(Rec(3).defense[1], (Box{-40, 120, 40, 0}));
  EXPECT_EQ(Rec(3).attack[1], (Box{-320, 239, 319, 0}));
}

TEST_F(EditingCommandsTest, Constrain_PullsCornersToBounds_WhenOutsideRange) {
  Rec(3).attack[0] = {-500, 1000, 500, -50};
  ConstrainBoxPair(*list_, 3, 0);
  EXPECT_EQ(Rec(3).attack[0], (Box{-320, 239, 319, 0}));
}

TEST_F(EditingCommandsTest, Constrain_MovesX1AndY1_WhenCornersCross) {
  Rec(3).defense[0] = kCrossed;
  ConstrainBoxPair(*list_, 3, 0);
  EXPECT_EQ(Rec(3).defense[0], kCrossedOrdered);
}

TEST_F(EditingCommandsTest, Constrain_FollowsAssignmentOrder_WhenSecondCornerOutsideBounds) {
  // x1 is clamped against x2 before x2 meets its own bound, and y1 against y2 before y2 does,
  // so a second corner beyond the bounds drags the first one out with it.
  Rec(3).defense[2] = {0, 100, -400, 300};
  ConstrainBoxPair(*list_, 3, 2);
  EXPECT_EQ(Rec(3).defense[2], (Box{-400, 300, -400, 300}));
}

TEST_F(EditingCommandsTest, Constrain_OrdersBothGroupsOfIndexOnly) {
  Rec(3).defense[1] = kCrossed;
  Rec(3).attack[1] = kCrossed;
  Rec(3).defense[0] = kCrossed;
  Rec(3).attack[2] = kCrossed;
  Rec(4).defense[1] = kCrossed;
  ConstrainBoxPair(*list_, 3, 1);
  EXPECT_EQ(Rec(3).defense[1], kCrossedOrdered);
  EXPECT_EQ(Rec(3).attack[1], kCrossedOrdered);
  EXPECT_EQ(Rec(3).defense[0], kCrossed);
  EXPECT_EQ(Rec(3).attack[2], kCrossed);
  EXPECT_EQ(Rec(4).defense[1], kCrossed);
}

TEST_F(EditingCommandsTest, Constrain_TouchesNothing_WhenPatternOrIndexOutsideTable) {
  Rec(0).defense[0] = kCrossed;
  Rec(kPatternCount - 1).attack[3] = kCrossed;
  const MotionList before = *list_;
  ConstrainBoxPair(*list_, -1, 0);
  ConstrainBoxPair(*list_, kPatternCount, 0);
  ConstrainBoxPair(*list_, INT32_MAX, 3);
  ConstrainBoxPair(*list_, 0, 4);
  ConstrainBoxPair(*list_, 0, -1);
  ConstrainBoxPair(*list_, kPatternCount - 1, INT32_MIN);
  EXPECT_TRUE(BoxesUnchanged(before));
}

// ---- Pattern stepping ----

TEST_F(EditingCommandsTest, Up_LandsOnPreviousNonEmpty_WhenEmptySlotsBetween) {
  Fill(19);
  Fill(25);
  state_.currentPattern = 25;
  Key(vk::kUp);
  EXPECT_EQ(state_.currentPattern, 19);
}

TEST_F(EditingCommandsTest, Up_LandsOnZero_WhenEverySlotBelowEmpty) {
  Fill(25);
  state_.currentPattern = 25;
  Key(vk::kUp);
  EXPECT_EQ(state_.currentPattern, 0);
}

TEST_F(EditingCommandsTest, Up_StaysAtZero_WhenAtFirstPattern) {
  Fill(0);
  Fill(1);
  state_.currentPattern = 0;
  Key(vk::kUp);
  EXPECT_EQ(state_.currentPattern, 0);
}

TEST_F(EditingCommandsTest, Down_LandsOnNextNonEmpty_WhenEmptySlotsBetween) {
  Fill(5);
  Fill(9);
  Fill(30);
  state_.currentPattern = 5;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 9);
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 30);
}

TEST_F(EditingCommandsTest, Down_LandsOnLastPattern_WhenEverySlotAfterEmpty) {
  Fill(5);
  Fill(41);  // beyond lastPattern: never reached
  state_.currentPattern = 5;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 40);
  EXPECT_TRUE(Rec(40).IsEmpty());
}

TEST_F(EditingCommandsTest, Down_StaysAtLastPattern_WhenAtLastPattern) {
  Fill(41);
  state_.currentPattern = 40;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 40);
}

TEST_F(EditingCommandsTest, AnyKey_ClampsCurrentPatternToLastPattern) {
  state_.currentPattern = 45;
  Key(vk::kSpace);
  EXPECT_EQ(state_.currentPattern, 40);
  state_.currentPattern = -3;
  Key(vk::kSpace);
  EXPECT_EQ(state_.currentPattern, 0);
}

TEST_F(EditingCommandsTest, UpDown_ConstrainPatternLeft_NotPatternReached) {
  Fill(19);
  Fill(25);
  Rec(19).defense[0] = kCrossed;
  Rec(25).defense[0] = kCrossed;
  state_.currentPattern = 25;
  Key(vk::kUp);
  ASSERT_EQ(state_.currentPattern, 19);
  EXPECT_EQ(Rec(25).defense[0], kCrossedOrdered);
  EXPECT_EQ(Rec(19).defense[0], kCrossed);

  Rec(25).defense[0] = kCrossed;
  Key(vk::kDown);
  ASSERT_EQ(state_.currentPattern, 25);
  EXPECT_EQ(Rec(19).defense[0], kCrossedOrdered);
  EXPECT_EQ(Rec(25).defense[0], kCrossed);
}

TEST_F(EditingCommandsTest, Stepping_StaysInsideTable_WhenStateHoldsStrayValues) {
  Fill(3);
  Fill(1290);
  list_->lastPattern = kPatternCount - 1;
  state_.currentPattern = 5000;
  Key(vk::kUp);  // slots past the table count as empty
  EXPECT_EQ(state_.currentPattern, 1290);

  state_.currentPattern = INT32_MIN;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 3);

  list_->lastPattern = 100000;  // navigation still stops at the last slot
  state_.currentPattern = 1290;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, kPatternCount - 1);
  state_.currentPattern = INT32_MAX;
  Key(vk::kSpace);
  EXPECT_EQ(state_.currentPattern, kPatternCount - 1);

  list_->lastPattern = -7;
  state_.currentPattern = 3;
  Key(vk::kDown);
  EXPECT_EQ(state_.currentPattern, 0);
}

// ---- Box selection and the constraint on every key ----

TEST_F(EditingCommandsTest, FunctionKeys_SelectDefense0Defense1Attack0) {
  Key(vk::kF2);
  EXPECT_EQ(state_.selectedBox, 1);
  Key(vk::kF5);
  EXPECT_EQ(state_.selectedBox, 4);
  Key(vk::kF1);
  EXPECT_EQ(state_.selectedBox, 0);
}

TEST_F(EditingCommandsTest, F3AndF4_SelectNothing) {
  state_.selectedBox = 1;
  Key(kF3);
  Key(kF4);
  EXPECT_EQ(state_.selectedBox, 1);
  EXPECT_EQ(actions_.savesS + actions_.savesL + actions_.closes, 0);
}

TEST_F(EditingCommandsTest, F5_ConstrainsDefenseBox0Too) {
  Rec(0).defense[0] = kCrossed;
  Rec(0).attack[0] = kCrossed;
  Rec(0).defense[1] = kCrossed;
  Key(vk::kF5);
  EXPECT_EQ(Rec(0).defense[0], kCrossedOrdered);
  EXPECT_EQ(Rec(0).attack[0], kCrossedOrdered);
  EXPECT_EQ(Rec(0).defense[1], kCrossed);
}

TEST_F(EditingCommandsTest, F2_ConstrainsAttackBox1Too) {
  Rec(0).attack[1] = kCrossed;
  Rec(0).attack[0] = kCrossed;
  Key(vk::kF2);
  EXPECT_EQ(Rec(0).attack[1], kCrossedOrdered);
  EXPECT_EQ(Rec(0).attack[0], kCrossed);
}

TEST_F(EditingCommandsTest, UnlistedKey_ConstrainsSelectedIndexOfCurrentPattern) {
  Fill(12);
  state_.currentPattern = 12;
  state_.selectedBox = 1;
  Rec(12).defense[1] = kCrossed;
  Rec(12).defense[0] = kCrossed;
  Rec(11).defense[1] = kCrossed;
  Key(vk::kSpace);
  EXPECT_EQ(Rec(12).defense[1], kCrossedOrdered);
  EXPECT_EQ(Rec(12).defense[0], kCrossed);
  EXPECT_EQ(Rec(11).defense[1], kCrossed);
  EXPECT_EQ(state_.currentPattern, 12);
  EXPECT_EQ(state_.selectedBox, 1);
}

TEST_F(EditingCommandsTest, Esc_PostsCloseAndStillConstrains) {
  Rec(0).defense[0] = kCrossed;
  Key(vk::kEscape);
  EXPECT_EQ(actions_.closes, 1);
  EXPECT_EQ(actions_.savesS + actions_.savesL, 0);
  EXPECT_EQ(Rec(0).defense[0], kCrossedOrdered);
}

// ---- Box and file commands ----

TEST_F(EditingCommandsTest, EndAndHome_ClearAllAttackBoxes_WhateverSelected) {
  for (uint32_t key : {vk::kEnd, vk::kHome}) {
    for (Box& box : Rec(0).attack) box = {-10, 50, 10, 5};
    Rec(0).defense[0] = {-18, 60, 18, 0};
    Rec(0).defense[1] = {-5, 70, 5, 20};
    state_.selectedBox = 1;
    Key(key);
    for (const Box& box : Rec(0).attack) EXPECT_EQ(box, Box{}) << "key " << key;
    EXPECT_EQ(Rec(0).defense[0], (Box{-18, 60, 18, 0}));
    EXPECT_EQ(Rec(0).defense[1], (Box{-5, 70, 5, 20}));
  }
}

TEST_F(EditingCommandsTest, LeftAndRight_ClearSelectedBoxOnly) {
  for (uint32_t key : {vk::kLeft, vk::kRight}) {
    Rec(0).defense[0] = {-18, 60, 18, 0};
    Rec(0).defense[1] = {-5, 70, 5, 20};
    Rec(0).attack[0] = {-10, 50, 10, 5};
    Rec(0).attack[1] = {-1, 2, 3, 1};
    state_.selectedBox = 4;
    Key(key);
    EXPECT_EQ(Rec(0).attack[0], Box{}) << "key " << key;
    EXPECT_EQ(Rec(0).attack[1], (Box{-1, 2, 3, 1}));
    EXPECT_EQ(Rec(0).defense[0], (Box{-18, 60, 18, 0}));
    EXPECT_EQ(Rec(0).defense[1], (Box{-5, 70, 5, 20}));

    state_.selectedBox = 1;
    Key(key);
    EXPECT_EQ(Rec(0).defense[1], Box{});
    EXPECT_EQ(Rec(0).defense[0], (Box{-18, 60, 18, 0}));
  }
}

TEST_F(EditingCommandsTest, C_CopiesAttack0IntoDefense1_EvenWhenAllZero) {
  Rec(0).attack[0] = {-10, 50, 10, 5};
  Key('C');
  EXPECT_EQ(Rec(0).defense[1], (Box{-10, 50, 10, 5}));

  Rec(0).attack[0] = Box{};
  Key('C');
  EXPECT_EQ(Rec(0).defense[1], Box{});
}

TEST_F(EditingCommandsTest, C_CopiesAfterConstraint_SoCrossedAttack0ArrivesCrossed) {
  // The constraint runs before the copy and, with defense box 1 selected, on index 1 only:
  // attack box 0 is copied as it stands.
  state_.selectedBox = 1;
  Rec(0).attack[0] = kCrossed;
  Key('C');
  EXPECT_EQ(Rec(0).defense[1], kCrossed);

  // With attack box 0 selected, the constraint orders it before it is copied.
  state_.selectedBox = 4;
  Key('C');
  EXPECT_EQ(Rec(0).attack[0], kCrossedOrdered);
  EXPECT_EQ(Rec(0).defense[1], kCrossedOrdered);
}

TEST_F(EditingCommandsTest, SAndL_CallTheirSaveOnce_WhateverPatternShown) {
  state_.currentPattern = 17;
  Key('S');
  EXPECT_EQ(actions_.savesS, 1);
  EXPECT_EQ(actions_.savesL, 0);
  Key('L');
  EXPECT_EQ(actions_.savesS, 1);
  EXPECT_EQ(actions_.savesL, 1);
  EXPECT_EQ(actions_.closes, 0);
}

TEST_F(EditingCommandsTest, BoxKeys_IndexNothingOutside_WhenSelectedBoxOrPatternStray) {
  Rec(0).defense[0] = {-18, 60, 18, 0};
  Rec(0).attack[0] = {-10, 50, 10, 5};
  const MotionList before = *list_;
  for (int32_t selected : {-1, -4, 8, 9, INT32_MIN, INT32_MAX}) {
    state_.selectedBox = selected;
    Key(vk::kLeft);
    Key(vk::kSpace);
  }
  EXPECT_TRUE(BoxesUnchanged(before));

  // A stray pattern at the moment of the key: the box commands have no record to act on.
  state_.selectedBox = 4;
  for (int32_t pattern : {-1, kPatternCount, INT32_MAX}) {
    state_.currentPattern = pattern;
    Key(vk::kEnd);
    state_.currentPattern = pattern;
    Key('C');
    state_.currentPattern = pattern;
    Key(vk::kRight);
  }
  EXPECT_TRUE(BoxesUnchanged(before));
}

// ---- Mouse ----

TEST_F(EditingCommandsTest, Mouse_MapsScreenToView_AtCornersAndCentre) {
  struct Case {
    uint16_t column, row;
    int32_t x, y;
  };
  const Case cases[] = {{161, 240, 0, 0},       {0, 0, -160, 239},  {1, 1, -160, 239},
                        {639, 479, 159, 0},     {320, 240, 159, 0}, {321, 241, 159, 0},
                        {65535, 65535, 159, 0}, {200, 150, 39, 90}, {2, 239, -159, 1}};
  state_.selectedBox = 4;
  for (const Case& c : cases) {
    // Corners already at the far bounds, so the constraint leaves the mapped values alone.
    Rec(0).attack[0] = {-320, 239, 319, 0};
    Mouse(MouseEvent::kLeftDown, c.column, c.row);
    Mouse(MouseEvent::kLeftUp, c.column, c.row);
    EXPECT_EQ(Rec(0).attack[0].x1, c.x) << c.column << "," << c.row;
    EXPECT_EQ(Rec(0).attack[0].y1, c.y) << c.column << "," << c.row;

    Rec(0).attack[0] = {-320, 239, 319, 0};
    Mouse(MouseEvent::kRightDown, c.column, c.row);
    Mouse(MouseEvent::kRightUp, c.column, c.row);
    EXPECT_EQ(Rec(0).attack[0].x2, c.x) << c.column << "," << c.row;
    EXPECT_EQ(Rec(0).attack[0].y2, c.y) << c.column << "," << c.row;
  }
}

TEST_F(EditingCommandsTest, LeftPress_OnAllZeroBox_IsPulledBackToX1Zero) {
  Key(vk::kF5);
  Mouse(MouseEvent::kLeftDown, 200, 150);  // view (39, 90)
  // x1 meets x2 = 0 first and gives way; y1 = 90 stands above y2 = 0.
  EXPECT_EQ(Rec(0).attack[0], (Box{0, 90, 0, 0}));
  EXPECT_EQ(state_.leftButtonDown, 1);
}

TEST_F(EditingCommandsTest, RightThenLeftPress_SetsBothCorners) {
  Key(vk::kF5);
  Mouse(MouseEvent::kRightDown, 300, 200);  // view (139, 40); y1 is raised to 40
  EXPECT_EQ(Rec(0).attack[0], (Box{0, 40, 139, 40}));
  Mouse(MouseEvent::kRightUp, 300, 200);
  Mouse(MouseEvent::kLeftDown, 200, 150);  // view (39, 90)
  EXPECT_EQ(Rec(0).attack[0], (Box{39, 90, 139, 40}));
}

TEST_F(EditingCommandsTest, LeftDrag_PastX2_LeavesZeroWidthAtX2) {
  state_.selectedBox = 4;
  Rec(0).attack[0] = {-20, 100, 50, 10};
  Mouse(MouseEvent::kLeftDown, 161 + 30, 240 - 100);
  EXPECT_EQ(Rec(0).attack[0], (Box{30, 100, 50, 10}));
  Mouse(MouseEvent::kMove, 161 + 80, 240 - 100);
  EXPECT_EQ(Rec(0).attack[0], (Box{50, 100, 50, 10}));
}

TEST_F(EditingCommandsTest, RightDrag_PastX1_MovesX1ToNewX2) {
  state_.selectedBox = 1;
  Rec(0).defense[1] = {20, 100, 50, 10};
  Mouse(MouseEvent::kRightDown, 161 + 50, 240 - 10);
  Mouse(MouseEvent::kMove, 161 - 10, 240 - 10);
  EXPECT_EQ(Rec(0).defense[1], (Box{-10, 100, -10, 10}));
}

TEST_F(EditingCommandsTest, VerticalDrags_CrossingCorners_Y1GivesWay) {
  state_.selectedBox = 1;
  Rec(0).defense[1] = {0, 100, 50, 60};
  Mouse(MouseEvent::kLeftDown, 161, 240 - 100);
  Mouse(MouseEvent::kMove, 161, 240 - 30);  // y1 below y2: stays at y2
  EXPECT_EQ(Rec(0).defense[1], (Box{0, 60, 50, 60}));
  Mouse(MouseEvent::kLeftUp, 161, 240 - 30);

  Rec(0).defense[1] = {0, 100, 50, 60};
  Mouse(MouseEvent::kRightDown, 161 + 50, 240 - 60);
  Mouse(MouseEvent::kMove, 161 + 50, 240 - 150);  // y2 above y1: y1 moves along
  EXPECT_EQ(Rec(0).defense[1], (Box{0, 150, 50, 150}));
}

TEST_F(EditingCommandsTest, MouseEdit_ConstrainsOtherGroupOfSameIndex) {
  state_.selectedBox = 4;
  Rec(0).defense[0] = kCrossed;
  Rec(0).attack[0] = {-320, 239, 319, 0};
  Mouse(MouseEvent::kLeftDown, 100, 100);
  EXPECT_EQ(Rec(0).defense[0], kCrossedOrdered);
}

TEST_F(EditingCommandsTest, Move_WithNoButton_ChangesAndConstrainsNothing) {
  state_.selectedBox = 4;
  Rec(0).attack[0] = kCrossed;
  Rec(0).defense[0] = kCrossed;
  Mouse(MouseEvent::kMove, 100, 100);
  EXPECT_EQ(Rec(0).attack[0], kCrossed);
  EXPECT_EQ(Rec(0).defense[0], kCrossed);
}

TEST_F(EditingCommandsTest, ButtonUp_ClearsFlagAndChangesNothingElse) {
  state_.selectedBox = 4;
  Mouse(MouseEvent::kLeftDown, 161, 240);
  Mouse(MouseEvent::kRightDown, 161, 240);
  Rec(0).attack[0] = kCrossed;
  Mouse(MouseEvent::kLeftUp, 10, 10);
  EXPECT_EQ(state_.leftButtonDown, 0);
  EXPECT_EQ(state_.rightButtonDown, 1);
  EXPECT_EQ(Rec(0).attack[0], kCrossed);
  Mouse(MouseEvent::kRightUp, 10, 10);
  EXPECT_EQ(state_.rightButtonDown, 0);
  EXPECT_EQ(Rec(0).attack[0], kCrossed);
  Mouse(MouseEvent::kMove, 10, 10);  // drag over: moving edits nothing now
  EXPECT_EQ(Rec(0).attack[0], kCrossed);
}

TEST_F(EditingCommandsTest, BothButtonsHeld_OnlyLeftCornerMoves) {
  state_.selectedBox = 4;
  Rec(0).attack[0] = {-100, 200, 100, 0};
  Mouse(MouseEvent::kLeftDown, 161 - 50, 240 - 150);
  // The right press while the left is held moves the left corner to where it was pressed.
  Mouse(MouseEvent::kRightDown, 161 + 20, 240 - 120);
  EXPECT_EQ(Rec(0).attack[0], (Box{20, 120, 100, 0}));
  Mouse(MouseEvent::kMove, 161 + 40, 240 - 110);
  EXPECT_EQ(Rec(0).attack[0], (Box{40, 110, 100, 0}));
}

TEST_F(EditingCommandsTest, Mouse_EditsCurrentPatternAndSelectedBox) {
  Fill(23);
  state_.currentPattern = 23;
  state_.selectedBox = 0;
  Rec(23).defense[0] = {-18, 0, 18, 0};
  Mouse(MouseEvent::kLeftDown, 161, 240 - 77);
  EXPECT_EQ(Rec(23).defense[0], (Box{0, 77, 18, 0}));
  EXPECT_EQ(Rec(0).defense[0], Box{});
  EXPECT_EQ(Rec(23).attack[0], Box{});
}

TEST_F(EditingCommandsTest, Mouse_IndexesNothingOutside_WhenSelectedBoxOrPatternStray) {
  const MotionList before = *list_;
  for (int32_t selected : {-1, -4, 8, 9, INT32_MIN, INT32_MAX}) {
    state_.selectedBox = selected;
    Mouse(MouseEvent::kLeftDown, 200, 150);
    Mouse(MouseEvent::kRightDown, 200, 150);
    Mouse(MouseEvent::kMove, 10, 10);
  }
  state_.selectedBox = 4;
  for (int32_t pattern : {-1, kPatternCount, INT32_MIN}) {
    state_.currentPattern = pattern;
    Mouse(MouseEvent::kMove, 200, 150);
  }
  EXPECT_TRUE(BoxesUnchanged(before));
}

}  // namespace
}  // namespace boxedit
