// End-to-end: boxtool frames in its three formats, on a list made here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "../support/temp_dir.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;

// Gravity 0. Motion 0: four active frames, then two without an attack box that end the run.
// Motion 1: a jump that never comes down.
constexpr const char* kList =
    "HEAD\n0 0 0 0\nEND\n"
    "   0   -1  4   0  0  3 9   40 0   0 0 0 -1 U  0   -1 0 1010 112048012000 11E02801900A "
    "01403C03402C a\n"
    "   1    0  2   0  0  3 9    0 0   0 0 0 -1 X  5   -1 0 0000 000000000000 000000000000 "
    "000000000000 b\n"
    "  10   -1  0   0  0  3 9    0 0 100 0 0 -1 U  0   -1 0 0000 000000000000 000000000000 "
    "000000000000 c\n";

class FramesTest : public ::testing::Test {
 protected:
  FramesTest() { dir_.Write("motion.lst", kList); }
  int Frames(const std::string& args) { return testing::RunBoxtool(dir_.path(), "frames " + args); }
  std::string Out() { return dir_.Read("out.txt"); }
  testing::TempDir dir_;
};

TEST_F(FramesTest, EveryFormatGivesTheSameFigures) {
  ASSERT_EQ(Frames(""), 0);
  EXPECT_EQ(Out(),
            "motion  name    first  last  frames  startup  active  recovery  hits\n"
            "     0  STAND       0     1       6        1  1-4            2  0 STA\n"
            "     1  WALK-L     10    10  never lands\n");
  ASSERT_EQ(Frames("--format csv"), 0);
  EXPECT_EQ(Out(),
            "motion,name,first,last,frames,startup,active,recovery,damage,guard\n"
            "0,STAND,0,1,6,1,1-4,2,0,STA\n"
            "1,WALK-L,10,10,,,,,,\n");
  ASSERT_EQ(Frames(". --format json"), 0);
  EXPECT_EQ(nlohmann::ordered_json::parse(Out()).dump(),
            "[{\"motion\":0,\"name\":\"STAND\",\"first\":0,\"last\":1,\"frames\":6,\"startup\":1,"
            "\"active\":[[1,4]],\"recovery\":2,\"hits\":[{\"damage\":0,\"guard\":\"STA\"}]},"
            "{\"motion\":1,\"name\":\"WALK-L\",\"first\":10,\"last\":10,\"frames\":null,"
            "\"startup\":null,\"active\":null,\"recovery\":null,\"hits\":null}]");
  ASSERT_EQ(Frames("--format markdown"), 0);
  EXPECT_EQ(Out(),
            "| motion | name | first | last | frames | startup | active | recovery | hits |\n"
            "|---:|---|---:|---:|---:|---:|---|---:|---|\n"
            "| 0 | STAND | 0 | 1 | 6 | 1 | 1-4 | 2 | 0 STA |\n"
            "| 1 | WALK-L | 10 | 10 | never lands | - | - | - | - |\n");
}

TEST_F(FramesTest, ErrorsInTheListStillGiveFiguresAndBadArgumentsNone) {
  EXPECT_EQ(Frames("--motion 3"), 0);  // an empty first slot: the heading alone
  EXPECT_EQ(Out(), "motion  name  first  last  frames  startup  active  recovery  hits\n");
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("motion 3 has no frame data: its first slot, pattern "
                                              "30, is past the last pattern read (10)"));
  // Motion 2 has no attack box: every figure but the frames is a dash.
  dir_.Write("motion.lst", std::string(kList) +
                               "  20 -1 3 0 0 3 9 0 0 0 0 0 -1 U 0 -1 0 0000 000000000000 "
                               "000000000000 000000000000 d\n1300 -1\n");
  EXPECT_EQ(Frames("--motion 2"), 1);
  EXPECT_THAT(Out(),
              HasSubstr("\n     2  WALK-R     20    20       3        -  -              -  -\n"));
  EXPECT_EQ(Frames("--motion 1 --format csv"), 1);
  EXPECT_THAT(Out(), HasSubstr("\n1,WALK-L,10,10,,"));
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("motion.lst:8: error:"));

  for (const char* args : {"--motion 130", "--motion -1", "--motion 1x", "--motion 99999999999",
                           "--format xml", "--motion", "a b"}) {
    EXPECT_EQ(Frames(args), 2) << args;
    EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("usage: boxtool frames")) << args;
  }
  Frames("--motion 130");
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("no motion '130' (0 to 129)"));
  std::filesystem::remove(dir_ / "motion.lst");
  EXPECT_EQ(Frames(""), 2);
}

}  // namespace
}  // namespace boxedit
