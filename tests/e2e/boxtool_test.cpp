// End-to-end: boxtool's check, resave and make-sample on files made here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir.h"
#include "list_texts.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;
using testing::kHeader;
using testing::kRecord;
using testing::TempDir;

class BoxtoolTest : public ::testing::Test {
 protected:
  int Boxtool(const std::string& args) { return testing::RunBoxtool(dir_.path(), args); }
  TempDir dir_;
};

TEST_F(BoxtoolTest, Check_ExitsZeroOneOrTwo) {
  EXPECT_EQ(Boxtool("check"), 2);  // no motion.lst
  EXPECT_THAT(dir_.Read("out.txt") + dir_.Read("err.txt"), HasSubstr("motion.lst"));

  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  EXPECT_EQ(Boxtool("check ."), 0);

  dir_.Write("motion.lst", std::string(kHeader) + kRecord + "1300 -1\n");
  EXPECT_EQ(Boxtool("check"), 1);
  EXPECT_THAT(dir_.Read("out.txt"), HasSubstr("motion.lst:5: error:"));
}

TEST_F(BoxtoolTest, Resave_WritesTheKeysLayoutsAndRefusesAListWithErrors) {
  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  ASSERT_EQ(Boxtool("resave s"), 0);
  EXPECT_EQ(dir_.Read("motion2.lst"),
            "HEAD\n  0   0   0  10\nEND\n"
            "   0   -1  4   0  0  3 9   40 0   0 0 0 -1 U  0   -1 0 1010 112048012000 "
            "11E02801900A 01403C03402C A1\n");
  ASSERT_EQ(Boxtool("resave l"), 0);
  EXPECT_THAT(dir_.Read("motion2.lst"),
              HasSubstr("  0  10\n\nEND\n   0   -1  4   0  0  3 9   40  0"));

  // Reading stops at the bad number: saving would drop the records after it.
  const std::string saved = dir_.Read("motion2.lst");
  dir_.Write("motion.lst", std::string(kHeader) + kRecord + "   1   -1 99999999999\n");
  EXPECT_EQ(Boxtool("resave s"), 1);
  EXPECT_EQ(dir_.Read("motion2.lst"), saved);
  EXPECT_EQ(Boxtool("resave x"), 2);
}

TEST_F(BoxtoolTest, HelpAndUnknownOptions) {
  EXPECT_EQ(Boxtool("--help"), 0);
  EXPECT_THAT(dir_.Read("out.txt"), HasSubstr("make-sample"));
  EXPECT_EQ(Boxtool("replay --help"), 0);
  EXPECT_EQ(dir_.Read("out.txt"), "usage: boxtool replay SCRIPT [--layout 565|555]\n");
  for (const char* args : {"check --nope", "replay s.txt --lay 555", "make-sample --forced x"}) {
    EXPECT_EQ(Boxtool(args), 2) << args;
    EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("unknown option '--")) << args;
  }
  EXPECT_EQ(Boxtool("nope"), 2);
}

TEST_F(BoxtoolTest, MakeSample_NeverOverwritesACharacterUnlessForced) {
  dir_.Write("motion.lst", "MINE\n");
  EXPECT_EQ(Boxtool("make-sample ."), 1);
  EXPECT_EQ(dir_.Read("motion.lst"), "MINE\n");
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("already holds motion.lst"));

  EXPECT_EQ(Boxtool("make-sample --force ."), 0);
  EXPECT_EQ(Boxtool("check"), 0);
  EXPECT_TRUE(dir_.Exists("chara.bmp"));
  EXPECT_TRUE(dir_.Exists("pattern.pat"));
}

}  // namespace
}  // namespace boxedit
