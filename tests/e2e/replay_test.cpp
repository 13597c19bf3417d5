// End-to-end: the whole editor run headless by `boxtool replay` on character files made here,
// checked by the bytes of the motion2.lst it saves and the pixels of its screenshots.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../support/bmp_reader.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using testing::ReadBmp24;

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
  // Word `word` of the saved record of `slot`.
  std::string Saved(int slot, size_t word) {
    std::istringstream file(dir_.Read("motion2.lst"));
    for (std::string line; std::getline(file, line);) {
      std::istringstream words(line);
      std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
      if (w.size() == 22 && w[0] == std::to_string(slot)) return w[word];
    }
    return "";
  }
};

// Each script's save holds box field `field` of slot `slot` as the edits left it.
TEST_F(ReplayTest, EditsAreSavedAsTheBoxesStand) {
  const std::string rightThenLeft =
      "key F5\nrdown 300 200\nrup 300 200\nldown 200 150\nlup 200 150\nkey S\n";
  const std::string defense = "key F1\nldown 100 40\nlup 100 40\nrdown 220 230\nrup 220 230\n";
  // Down twice from 0: 1, then 5 (2..4 are empty). Up from 5 goes back to 1.
  const std::string upAndDown =
      "key Down\nkey Down\nkey F5\nrdown 300 200\nrup 300 200\nkey Up\nkey F5\n"
      "rdown 260 220\nrup 260 220\nkey S\n";
  const struct {
    std::string script;
    const char* extra;
    int slot;
    size_t field;
    const char* saved;
  } cases[] = {
      {rightThenLeft, "", 0, 20, "02705A08B028"},
      {rightThenLeft, "--layout 555", 0, 20, "02705A08B028"},
      // A left drag past x2 leaves a box of zero width.
      {"key F5\nrdown 250 200\nrup 250 200\nldown 200 150\nmove 300 150\nlup 300 150\nkey S\n", "",
       0, 20, "05905A059028"},
      // No frame yet: the edited x values are saved as they stand; a frame undoes them.
      {defense + "key S\n", "", 0, 18, "13D0C803B00A"},
      {defense + "frame\nkey S\n", "", 0, 18, "1120C801200A"},
      {upAndDown, "", 5, 20, "00002808B028"},
      {upAndDown, "", 1, 20, "000014063014"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script + c.extra);
    std::filesystem::remove(dir_ / "motion2.lst");  // no earlier save can pass for this one
    ASSERT_EQ(Replay(c.script, c.extra), 0) << Err();
    EXPECT_EQ(Saved(c.slot, c.field), c.saved);
  }
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

// Whether two shots agree above the frame-rate readout, whose figures depend on the clock.
bool SameAboveReadout(const RgbImage& a, const RgbImage& b) {
  for (int y = 0; y < 360; ++y)
    for (int x = 0; x < 640; ++x)
      if (!(a.At(x, y) == b.At(x, y))) return false;
  return true;
}

TEST_F(ReplayTest, UndoneEditsSaveAsIfNeverMade_AndTheHeaderMarksUnsavedOnes) {
  ASSERT_EQ(Replay("key S\n"), 0);
  const std::string untouched = dir_.Read("motion2.lst");
  std::filesystem::remove(dir_ / "motion2.lst");
  ASSERT_EQ(
      Replay(
          "key F1\nkey Left\nframe\nshot edited.bmp\nkey CTRL+Z\nframe\nshot undone.bmp\nkey S\n"),
      0)
      << Err();
  EXPECT_EQ(dir_.Read("motion2.lst"), untouched);
  RgbImage edited, undone;
  ASSERT_TRUE(ReadBmp24(dir_ / "edited.bmp", &edited));
  ASSERT_TRUE(ReadBmp24(dir_ / "undone.bmp", &undone));
  auto markPixels = [](const RgbImage& shot) {
    int n = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 512; x < 520; ++x) n += !(shot.At(x, y) == shot.At(600, 10));
    return n;
  };
  EXPECT_GT(markPixels(edited), 4);
  EXPECT_EQ(markPixels(undone), 0);
}

TEST_F(ReplayTest, PlaybackOnionSkinAndKeyHelpShowInTheFrame) {
  // Slot 1's defense box 0 is lower than slot 0's, whose top edge shows under it as onion skin.
  std::string list = kList;
  list.replace(list.find("112050012000", list.find("\n   1 ")), 12, "112030012000");
  dir_.Write("motion.lst", list);
  ASSERT_EQ(Replay("key Down\nframe\nshot still.bmp\nkey O\nframe\nshot onion.bmp\nkey Up\n"
                   "key P\nframe 5\nshot playing.bmp\nkey Esc\nkey F12\nframe\nshot help.bmp\n"),
            0)
      << Err();
  RgbImage still, onion, playing, help;
  for (auto [name, image] : {std::pair("still.bmp", &still),
                             {"onion.bmp", &onion},
                             {"playing.bmp", &playing},
                             {"help.bmp", &help}}) {
    ASSERT_TRUE(ReadBmp24(dir_ / name, image)) << name;
  }
  // Slot 0's box top, y 80 on row 160: every other pixel in half-strength blue.
  const Rgb grey = still.At(100, 100);
  EXPECT_EQ(still.At(150, 160), grey);
  EXPECT_EQ(onion.At(151, 160), grey);  // 151 + 160 is odd
  const Rgb dot = onion.At(150, 160);
  EXPECT_EQ(std::tuple(dot.red, dot.green), std::tuple(0, 0));
  EXPECT_TRUE(dot.blue > 100 && dot.blue < 140) << int{dot.blue};
  // The fifth frame of motion 0 is slot 1's first (slot 0 lasts 4): the frame of slot 1.
  EXPECT_TRUE(SameAboveReadout(playing, onion));
  // Esc stopped the playback, and F12 shows the help over the view, framed in white.
  EXPECT_EQ(help.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(help.At(100, 100), (Rgb{0, 0, 0}));
  EXPECT_EQ(help.At(600, 300), grey);
  // The script's end closes the editor even while a motion plays.
  EXPECT_EQ(Replay("key P\nframe 3\n"), 0);
}

}  // namespace
}  // namespace boxedit
