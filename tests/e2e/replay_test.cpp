// End-to-end: the whole editor run headless by `boxtool replay` on character files made here,
// checked by the bytes of the motion2.lst it saves (its screens: golden_frames_test.cpp).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chardata/field_ranges.h"
#include "chardata/list_reader.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;

// Slots 0, 1, 5 and 12 are non-empty; 2..4 and 6..11 are empty. No chara.bmp or pattern.pat:
// the editor runs on without them.
constexpr const char* kList =
    "TEST\n0 0 0 10\nEND\n"
    "   0   -1  4   0  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 a\n"
    "   1   -1  4   1  0 44 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 b\n"
    "   5   -1  4   2  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 c\n"
    "  12   -1  4   3  0  3 9    0 0   0 0 0 -1 U  0   -1 0 0000 112050012000 000000000000 "
    "000000000000 d\n";

class ReplayTest : public testing::BoxtoolFolder {
 protected:
  void SetUp() override { dir_.Write("motion.lst", kList); }
};

// The mouse's edits reach the saved file: slot 0's attack box in the 5-5-5 layout, and slot 5's
// after Down skipped the empty slots 2 to 4 (and Up went back to 1 for another edit).
TEST_F(ReplayTest, EditsAreSavedAsTheBoxesStand) {
  const std::string box = "key F5\nrdown 300 200\nrup 300 200\n";
  ASSERT_EQ(Replay(box + "ldown 200 150\nlup 200 150\nkey S\n", "--layout 555"), 0) << Err();
  EXPECT_THAT(dir_.Read("motion2.lst"),
              HasSubstr("0000 112050012000 000000000000 02705A08B028 a\n"));
  ASSERT_EQ(Replay("key Down\nkey Down\n" + box + "key Up\nkey F5\nrdown 260 220\nkey S\n"), 0);
  EXPECT_THAT(dir_.Read("motion2.lst"),
              HasSubstr("0000 112050012000 000000000000 00002808B028 c\n"));
}

// Esc ends a replay well and saves nothing; a failed save and a bad script line fail it.
TEST_F(ReplayTest, ExitStatusSaysHowTheReplayEnded) {
  const struct {
    const char* list;  // motion.lst, when not the usual one
    const char* script;
    int status;
    const char* says;
  } cases[] = {
      {nullptr, "frame 3\nkey Esc\nkey S\n", 0, ""},
      {"HEAD 0 0\n", "key S\n", 1, "motion2.lst not saved"},  // no complete header to copy
      {nullptr, "frame\nwiggle 3\n", 2, "script.txt:2:"},
  };
  for (const auto& c : cases) {
    dir_.Write("motion.lst", c.list ? c.list : kList);
    EXPECT_EQ(Replay(c.script), c.status) << Err();
    EXPECT_THAT(Err(), HasSubstr(c.says));
    EXPECT_FALSE(dir_.Exists("motion2.lst"));
  }
}

// On the sample: Tab to every field of pattern 251 in turn with attack box 0 selected, a new value
// typed in each, then the box nudged right. The save differs from motion.lst in exactly those.
TEST_F(ReplayTest, EveryFieldOfAPatternTakesATypedValueAndNothingElseChanges) {
  ASSERT_EQ(Boxtool("make-sample --force ."), 0);
  auto list = std::make_unique<MotionList>(), saved = std::make_unique<MotionList>();
  ASSERT_TRUE(LoadText(*list, dir_.Read("motion.lst")).empty());
  std::string script = "key F5\n";
  for (int slot = 1; slot <= 251; ++slot) {
    if (!list->patterns[slot].IsEmpty()) script += "key Down\n";
  }
  const int32_t values[kFieldCount] = {252, 5, 3,   -2, 46, 4,      30,  1,  -40, 0,
                                       8,   2, 120, -1, 7,  0b0101, -20, 90, 40,  60};
  PatternRecord& expected = list->patterns[251];
  for (int f = 0; f < kFieldCount; ++f) {
    const bool flags = Field(f) == Field::kFlags;
    script += "key Tab\ntype " + (flags ? std::string("0101") : std::to_string(values[f])) + "\n";
    if (!IsCoordinate(Field(f))) SetAttribute(expected, Field(f), values[f]);
  }
  expected.attack[0] = {values[16] + 1, values[17], values[18] + 1, values[19]};
  ASSERT_EQ(Replay(script + "key Enter\nkey CTRL+Right\nkey S\n"), 0) << Err();
  ASSERT_TRUE(LoadText(*saved, dir_.Read("motion2.lst")).empty());
  EXPECT_TRUE(saved->patterns == list->patterns);
}

}  // namespace
}  // namespace boxedit
