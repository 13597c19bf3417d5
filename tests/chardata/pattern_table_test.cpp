// The pattern table's motions and its reset at the start of a load.
#include "chardata/pattern_table.h"

#include <gtest/gtest.h>

#include "list_text.h"

namespace boxedit {
namespace {

TEST(PatternTable, Motion_GroupsTenSlots) {
  EXPECT_EQ(Motion(9), 0);
  EXPECT_EQ(Motion(10), 1);
  EXPECT_EQ(Motion(1299), 129);
  EXPECT_EQ(PlaceInMotion(1299), 9);
  EXPECT_EQ(PlaceInMotion(10), 0);
}

TEST(PatternTable, ResetSlots_EmptiesSlotsAndZeroesBoxesOnly) {
  auto list = testing::NewTable();
  PatternRecord& r = list->patterns[1299];
  r.picture = 5;
  r.to = -1;
  r.guard = 3;
  r.flags = 9;
  r.comment[0] = 'c';
  r.defense[3] = {1, 2, 3, 4};
  r.attack[0] = {5, 6, 7, 8};
  list->gravity = 4;
  list->ResetSlots();
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(r.defense[3], Box{});
  EXPECT_EQ(r.attack[0], Box{});
  EXPECT_EQ(r.to, -1);
  EXPECT_EQ(r.guard, 3);
  EXPECT_EQ(r.flags, 9u);
  EXPECT_EQ(r.comment[0], 'c');
  EXPECT_EQ(list->gravity, 4);
  EXPECT_TRUE(list->patterns[0].IsEmpty());
}

}  // namespace
}  // namespace boxedit
