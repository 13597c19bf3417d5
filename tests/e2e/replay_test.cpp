// End-to-end: the whole editor run headless by `boxtool replay` on character files made here,
// checked by the bytes of the motion2.lst it saves and the pixels of its screenshots.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../support/temp_dir.h"
#include "chardata/bmp.h"
#include "display/pixel_layout.h"
#include "platform/headless/image_writer.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;
using testing::TempDir;

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

struct ReplayRun {
  int status = -1;
  std::string err;
};

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.Write("motion.lst", kList); }

  ReplayRun Replay(const std::string& script, const std::string& extra = "") {
    dir_.Write("script.txt", script);
    ReplayRun run;
    run.status = testing::RunBoxtool(dir_.path(), "replay script.txt " + extra);
    run.err = dir_.Read("err.txt");
    return run;
  }

  // The fields of the saved line whose first word is `index`.
  std::vector<std::string> SavedLine(int index) {
    std::istringstream file(dir_.Read("motion2.lst"));
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream words(line);
      std::vector<std::string> fields;
      for (std::string w; words >> w;) fields.push_back(w);
      if (fields.size() == 22 && fields[0] == std::to_string(index)) return fields;
    }
    return {};
  }

  TempDir dir_;
};

TEST_F(ReplayTest, RightThenLeftPress_SetsBothCornersOfAttackBox) {
  const ReplayRun run =
      Replay("key F5\nrdown 300 200\nrup 300 200\nldown 200 150\nlup 200 150\nkey S\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto line = SavedLine(0);
  ASSERT_EQ(line.size(), 22u);
  EXPECT_EQ(line[20], "02705A08B028");
}

TEST_F(ReplayTest, LonePressOnZeroBox_IsPulledBackToX2) {
  // x2 is 0 on an all-zero box, so the constraint pulls x1 = 39 back to 0.
  const ReplayRun run = Replay("key F5\nldown 200 150\nlup 200 150\nkey S\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SavedLine(0).at(20), "00005A000000");
}

TEST_F(ReplayTest, LeftDragPastX2_LeavesZeroWidthBox) {
  const ReplayRun run = Replay(
      "key F5\nrdown 250 200\nrup 250 200\nldown 200 150\nmove 300 150\nlup 300 150\nkey S\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SavedLine(0).at(20), "05905A059028");
}

TEST_F(ReplayTest, DefenseBoxZeroWidth_IsUndoneByNextFrameWhileHeightStays) {
  const ReplayRun run =
      Replay("key F1\nldown 100 40\nlup 100 40\nrdown 220 230\nrup 220 230\nkey S\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // No frame yet: the edited x values are saved as they stand.
  EXPECT_EQ(SavedLine(0).at(18), "13D0C803B00A");

  const ReplayRun again =
      Replay("key F1\nldown 100 40\nlup 100 40\nrdown 220 230\nrup 220 230\nframe\nkey S\n");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(SavedLine(0).at(18), "1120C801200A");
}

TEST_F(ReplayTest, UpAndDown_StepOverEmptySlots) {
  // Down twice from 0: 1, then 5 (2..4 are empty). Up from 5 goes back to 1.
  const ReplayRun run = Replay(
      "key Down\nkey Down\nkey F5\nrdown 300 200\nrup 300 200\nkey Up\nkey F5\n"
      "rdown 260 220\nrup 260 220\nkey S\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SavedLine(5).at(20), "00002808B028");
  EXPECT_EQ(SavedLine(1).at(20), "000014063014");
}

TEST_F(ReplayTest, EscEndsTheReplayWithStatusZero_AndSavesNothing) {
  const ReplayRun run = Replay("frame 3\nkey Esc\nkey S\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(dir_.Exists("motion2.lst"));
}

TEST_F(ReplayTest, FailedSave_IsReportedAndFailsTheReplay) {
  dir_.Write("motion.lst", "HEAD 0 0\n");  // no complete header to copy
  const ReplayRun run = Replay("key S\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("motion2.lst not saved"));
  EXPECT_FALSE(dir_.Exists("motion2.lst"));
}

TEST_F(ReplayTest, MalformedScriptLine_StopsWithStatus2AndTheLine) {
  const ReplayRun run = Replay("frame\nwiggle 3\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("script.txt:2:"));
}

TEST_F(ReplayTest, Layout555_SavesTheSameBoxes) {
  const ReplayRun run = Replay(
      "key F5\nrdown 300 200\nrup 300 200\nldown 200 150\nlup 200 150\nkey S\n", "--layout 555");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SavedLine(0).at(20), "02705A08B028");
}

TEST_F(ReplayTest, Shot_ShowsBorderAndGreyBackground_AndNoTilesWithoutThePatternFile) {
  // Without pattern.pat no picture has a tile to draw.
  const ReplayRun run = Replay("frame 2\nshot frame.bmp\n");
  ASSERT_EQ(run.status, 0) << run.err;
  RgbImage bmp;
  ASSERT_TRUE(ReadBmp24(dir_ / "frame.bmp", &bmp));
  ASSERT_EQ(std::tuple(bmp.width, bmp.height), std::tuple(640, 480));
  const Rgb white{255, 255, 255};
  const Rgb grey = PixelToRgb(kLayout565, 0x8410);
  EXPECT_EQ(bmp.At(0, 0), white);
  EXPECT_EQ(bmp.At(161, 120), white);  // the axis
  EXPECT_EQ(bmp.At(321, 241), grey);   // the border's undrawn corner
  EXPECT_EQ(bmp.At(10, 100), grey);    // map columns 0 and 1 are never drawn
  EXPECT_EQ(bmp.At(100, 100), grey);
  EXPECT_EQ(bmp.At(600, 400), grey);
}

TEST_F(ReplayTest, Shot555_ShowsTheSameGreyAsThe555Layout) {
  const ReplayRun run = Replay("frame\nshot frame.bmp\n", "--layout 555");
  ASSERT_EQ(run.status, 0) << run.err;
  RgbImage bmp;
  ASSERT_TRUE(ReadBmp24(dir_ / "frame.bmp", &bmp));
  EXPECT_EQ(bmp.At(600, 400), PixelToRgb(kLayout555, 0x4210));
}

}  // namespace
}  // namespace boxedit
