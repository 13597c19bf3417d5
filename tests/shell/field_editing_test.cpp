// The field cursor, typed values, Page Up and Down and the nudges, driven through the window
// procedure as a keyboard drives them, and checked in the table and in the saved file.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../support/fake_platform.h"
#include "../support/temp_dir.h"
#include "chardata/list_writer.h"
#include "shell/editor.h"

namespace boxedit {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// A character of one random record in slot 0: its boxes ordered and inside the editor's ranges
// (defense box 0 as wide as the editor makes it), the other fields anywhere the file can hold.
std::unique_ptr<MotionList> RandomList(std::mt19937& random) {
  auto pick = [&random](int low, int high) {
    return low + static_cast<int32_t>(random() % static_cast<uint32_t>(high - low + 1));
  };
  auto list = std::make_unique<MotionList>();
  list->ResetSlots();
  PatternRecord& r = list->patterns[0];
  for (int f = 0; f < static_cast<int>(kFirstCoordinate); ++f) {
    SetAttribute(r, Field(f), pick(-1500, 1500));
  }
  r.picture = pick(0, 255), r.guard = std::array{0, 1, 2, 3, 9}[pick(0, 4)];
  r.flags = static_cast<uint32_t>(pick(0, 15)), r.extra = pick(-99, 99);
  for (Box* b : {&r.defense[0], &r.defense[1], &r.attack[0]}) {
    // Half of the corners within a nudge of the edges.
    b->x1 = pick(0, 1) ? pick(-255, -250) : pick(-255, 255),
    b->y2 = pick(0, 1) ? pick(0, 5) : pick(0, 239);
    b->x2 = pick(0, 1) ? pick(std::max(b->x1, 250), 255) : pick(b->x1, 255);
    b->y1 = pick(0, 1) ? pick(std::max(b->y2, 234), 239) : pick(b->y2, 239);
  }
  r.defense[0].x1 = -18, r.defense[0].x2 = 18;
  r.comment[0] = 'a';
  list->lastPattern = 0;
  return list;
}

class FieldEditingTest : public ::testing::Test {
 protected:
  void Open(const MotionList& list) {
    dir_.Write("motion.lst", FormatList(list, {"HEAD", {0, 0, 0, 10}, "END"}, SaveLayout::kS));
    editor_ = std::make_unique<Editor>(platform_, dir_.path(), log_);
    ASSERT_EQ(StartUp(*editor_), 0);
  }
  void Key(uint32_t key, HeldKeys held = 0) {
    EditorWindowProc(*editor_, Message{msg::kKeyDown, key, 0, held});
  }
  // Every other character on the keypad.
  void Type(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
      const uint32_t c = static_cast<uint32_t>(text[i]);
      Key(i % 2      ? (c == '-' ? vk::kSubtract : vk::kNumpad0 + c - '0')
          : c == '-' ? vk::kOemMinus
                     : c);
    }
  }
  void TabTo(Field field) {
    while (editor_->state.cursor != field) Key(vk::kTab);
  }
  PatternRecord& Shown() { return editor_->list.patterns[editor_->state.currentPattern]; }

  TempDir dir_;
  FakePlatform platform_;
  std::ostringstream log_;
  std::unique_ptr<Editor> editor_;
};

// Each field's range at both ends and one past them; Page Up and Down stop at the ends.
TEST_F(FieldEditingTest, EveryFieldTakesItsRangeAndRefusesOnePastIt) {
  std::mt19937 random(5);
  Open(*RandomList(random));
  std::vector<std::tuple<Field, int32_t, int32_t, std::string>> cases = {
      {Field::kTo, -1, 1299, "TO TAKES -1 TO 1299"},
      {Field::kPicture, 0, 255, "PICTU TAKES 0 TO 255"},
      {Field::kVoice, 0, 9, "VOICE TAKES 0 TO 9"},
      {Field::kClash, -1, 8, "CLASH TAKES -1, 0, 1 OR 8"},
      {Field::kGuard, 0, 9, "GUARD TAKES 0, 1, 2, 3 OR 9"},
      {Field::kHitTo, -1, 1299, "HITTO TAKES -1 TO 1299"},
      {Field::kFlags, 0, 15, "FLAG TAKES 0000 TO 1111"},
      {Field::kX1, -255, 255, "X1 TAKES -255 TO 255"},
      {Field::kY1, 0, 239, "Y1 TAKES 0 TO 239"},
  };
  for (Field f : {Field::kSpeed, Field::kDepth, Field::kCirco, Field::kVx, Field::kRx, Field::kVy,
                  Field::kRy, Field::kDamage, Field::kHitI}) {
    cases.emplace_back(f, -999, 999, std::string(RangeOf(f).label) + " TAKES -999 TO 999");
  }
  Key(vk::kF2);  // defense box 1: its x values are the user's
  auto value = [&](Field f) {
    return IsCoordinate(f) ? CoordinateOf(Shown().defense[1], f) : AttributeValue(Shown(), f);
  };
  // FLAG is typed as its bits: four, and five for 16, which is refused as not four.
  auto text = [](Field f, int32_t v) {
    return f == Field::kFlags && v >= 0 ? std::bitset<5>(v).to_string().substr(v <= 15)
                                        : std::to_string(v);
  };

  for (const auto& [field, low, high, message] : cases) {
    SCOPED_TRACE(message);
    editor_->state.cursor.reset(), TabTo(field);
    Shown().defense[1] = {-255, 239, 255, 0};  // room for either corner at either end
    for (int32_t v : {low - 1, high + 1}) {
      const int32_t before = value(field);
      editor_->status.text.clear(), Type(text(field, v)), Key(vk::kReturn);
      EXPECT_EQ(std::pair(value(field), editor_->status.text), std::pair(before, message));
    }
    Type(text(field, high)), Key(vk::kReturn), Key(vk::kPrior);
    EXPECT_EQ(value(field), high);
    Type(text(field, low)), Key(vk::kTab, kHeldShift), Key(vk::kTab), Key(vk::kNext);
    EXPECT_EQ(value(field), low);
  }
  // The codes step one at a time, from anywhere.
  TabTo(Field::kGuard), Type("3"), Key(vk::kPrior);
  EXPECT_EQ(Shown().guard, 9);
  Shown().clash = 5, TabTo(Field::kClash), Key(vk::kNext, kHeldShift);
  EXPECT_EQ(Shown().clash, 1);
}

TEST_F(FieldEditingTest, CursorVisitsTheFieldsInOrderAndEscCancelsOnlyTheValue) {
  std::mt19937 random(6);
  Open(*RandomList(random));
  // Shift+Tab from hidden starts at the last field; defense box 0 has only its y values.
  std::vector<Field> seen;
  for (Key(vk::kTab, kHeldShift); editor_->state.cursor; Key(vk::kTab, kHeldShift)) {
    seen.push_back(*editor_->state.cursor);
  }
  std::vector<Field> order{Field::kY2, Field::kY1};
  for (int f = static_cast<int>(Field::kFlags); f >= 0; --f) order.push_back(Field(f));
  EXPECT_EQ(seen, order);
  Key(vk::kF5), TabTo(Field::kX2), Key(vk::kF1);  // the same corner of the new box
  EXPECT_EQ(editor_->state.cursor, Field::kY2);

  const int32_t damage = Shown().damage;
  TabTo(Field::kDamage), Type("-12"), Key(vk::kBack), Key(vk::kEscape);
  EXPECT_EQ(std::tuple(Shown().damage, platform_.queue.Size(), editor_->Unsaved()),
            std::tuple(damage, size_t{0}, false));
  Type("-12"), Key(vk::kBack), Key(vk::kTab);  // Backspace takes back the 2
  EXPECT_EQ(std::tuple(Shown().damage, editor_->state.cursor, editor_->Unsaved()),
            std::tuple(-1, Field::kHitTo, true));
  Key(vk::kEscape);  // with no value typed, the close request
  EXPECT_EQ(platform_.queue.Size(), size_t{1});
  const Box box = Shown().defense[0];
  Shown().picture = -1, Key(vk::kUp, kHeldControl);  // an empty slot takes no edits
  EXPECT_EQ(std::pair(Shown().defense[0], editor_->status.text),
            std::pair(box, std::string("PATTERN 0 IS EMPTY AND TAKES NO EDITS")));
}

}  // namespace
}  // namespace boxedit
