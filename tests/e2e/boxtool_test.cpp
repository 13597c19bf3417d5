// End-to-end: boxtool's check, resave and make-sample on files made here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "list_texts.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using ::testing::HasSubstr;
using testing::kHeader;
using testing::kRecord;
namespace fs = std::filesystem;

class BoxtoolTest : public testing::BoxtoolFolder {};

TEST_F(BoxtoolTest, Check_ExitsZeroOneOrTwo) {
  EXPECT_EQ(Boxtool("check"), 2);  // no motion.lst
  EXPECT_THAT(dir_.Read("out.txt") + dir_.Read("err.txt"), HasSubstr("motion.lst"));

  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  EXPECT_EQ(Boxtool("check ."), 1);
  EXPECT_EQ(dir_.Read("out.txt"),
            "chara.bmp: error: the file is missing; no tiles will show\n"
            "pattern.pat: warning: the file is missing; no pictures will show\n");
  EXPECT_EQ(Boxtool("check . ."), 2);
}

// One change to the sample character a case, and every line check says about it.
TEST_F(BoxtoolTest, Check_ReportsEachProblemOfACharacterOnItsLine) {
  ASSERT_EQ(Boxtool("make-sample ."), 0);
  // Word `word` (1-based) of the record of `slot` in motion.lst.
  auto setWord = [this](int slot, size_t word, const std::string& text) {
    std::istringstream in(dir_.Read("motion.lst"));
    std::string list;
    for (std::string line; std::getline(in, line); list += line + "\n") {
      std::istringstream words(line);
      std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
      if (w.size() < 22 || w[0] != std::to_string(slot)) continue;
      w.at(word - 1) = text;
      line.clear();
      for (const std::string& x : w) line += x + " ";
    }
    dir_.Write("motion.lst", list);
  };
  // Entry (row, column) of picture `picture` in pattern.pat.
  auto setTile = [this](int picture, int row, int column, uint16_t tile) {
    std::string pat = dir_.Read("pattern.pat");
    const size_t at = 2 * ((picture * 15 + row) * 20 + column);
    pat[at] = static_cast<char>(tile & 0xFF);
    pat[at + 1] = static_cast<char>(tile >> 8);
    dir_.Write("pattern.pat", pat);
  };
  auto cut = [this](const char* name, size_t size) {
    dir_.Write(name, dir_.Read(name).substr(0, size));
  };
  const struct {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> out;  // a piece of each line of the output, in order
  } cases[] = {
      {"the sample", [] {}, {}},
      // The output's order: the reader's problems, chara.bmp, pattern.pat, the slots.
      {"everything at once: a short pattern.pat ends inside picture 19",
       [&] {
         setWord(251, 4, "30"), cut("pattern.pat", 19 * 600 + 100), fs::remove(dir_ / "chara.bmp"),
             dir_.Write("motion.lst", dir_.Read("motion.lst") + "1300 -1\n");
       },
       {"motion.lst:65: error: pattern index 1300 is outside 0..1299",
        "chara.bmp: error: the file is missing",
        "pattern.pat: warning: it is 11500 of 153600 bytes; pictures from 19 on have no tiles",
        "motion.lst:45: warning: pattern 251: picture 30 lies past the end of pattern.pat",
        "motion.lst:63: warning: pattern 400: picture 19 is cut short by the end of pattern.pat",
        "motion.lst:64: warning: pattern 401: picture 19 is cut short"}},
      {"a motion that never lands",
       [&] { setWord(400, 3, "0"), setWord(400, 10, "100000"); },
       {"63: warning: pattern 400: VY 100000 is outside -999 to 999, the values the editor takes",
        "63: warning: pattern 400: motion 40 (WIN) never lands: pattern 400 is still in the air"}},
      {"a picture outside the bank",
       [&] { setWord(251, 4, "256"); },
       {"motion.lst:45: warning: pattern 251: picture 256 is outside 0..255"}},
      // Columns 0 and 1 are never drawn, whatever they hold.
      {"a picture with tiles only where they are never drawn",
       [&] {
         for (int r = 0; r < 15; ++r) {
           for (int c = 0; c < 20; ++c) setTile(17, r, c, 0xFFFF);
         }
         setTile(17, 0, 0, 5000);
         setTile(17, 1, 1, 5);
       },
       {"56: warning: pattern 290: picture 17 draws no tile: its entries in columns 2 to 19"}},
      {"a picture with tiles past the sheet",
       [&] { setTile(15, 3, 4, 1800), setTile(15, 5, 6, 65534), setTile(15, 6, 0, 4000); },
       {"40: warning: pattern 150: picture 15 has 2 entries past the sheet's 1800 tiles (the "
        "first: 1800 at row 3, column 4)"}},
      {"links outside the table or to empty slots",
       [&] {
         setWord(251, 2, "1300"), setWord(251, 16, "-2"), setWord(400, 2, "1299"),
             setWord(401, 16, "5");
       },
       {"motion.lst:45: warning: pattern 251: to 1300 is outside 0..1299",
        "motion.lst:45: warning: pattern 251: hit-to -2 is outside 0..1299",
        "motion.lst:63: warning: pattern 400: to 1299 names an empty slot",
        "motion.lst:64: warning: pattern 401: hit-to 5 names an empty slot"}},
      // Defense box 0's x1 and x2 are the editor's, whatever the file says.
      {"boxes with corners out of order, in slot 0",
       [&] {
         setWord(0, 19, "012010112080"), setWord(0, 20, "002020018066"),
             setWord(0, 21, "04006C02005A");
       },
       {"4: warning: pattern 0: defense box 0 has its corners out of order (y1 16 below y2 128)",
        "pattern 0: defense box 1 has its corners out of order (y1 32 below y2 102); its first "
        "edit sets y1 to 102",
        "4: warning: pattern 0: attack box 0 has its corners out of order (x1 64 right of x2 32)"}},
      {"a box the save cannot write",
       [&] { setWord(251, 21, "0Z02000400A0"); },
       {"motion.lst:45: warning: box token '0Z02000400A0' has digits other than 0-9 and A-F",
        "(x1 560 right of x2 64); its first edit sets x1 to 64 and y1 to 239",
        "45: warning: pattern 251: the save writes attack box 0's x1 560 as 255 and y1 512 as "
        "511"}},
      {"a box y the editor would refuse, which the save keeps",
       [&] { setWord(251, 21, "01012C0200A0"); },
       {"45: warning: pattern 251: attack box 0's y1 300 is outside 0 to 239, the values the "}},
      {"words the save writes otherwise",
       [&] {
         setWord(251, 14, "Up"), setWord(251, 18, "1021"), setWord(400, 14, "x"),
             setWord(400, 18, "00001");
       },
       {"45: warning: pattern 251: code letter 'Up' is not one of U, M, D, X, 0; the save writes U",
        "45: warning: pattern 251: flag token '1021' is not four 0s and 1s; the save writes 1001",
        "63: warning: pattern 400: code letter 'x' is not one of U, M, D, X, 0; the save writes 0",
        "63: warning: pattern 400: flag token '00001' is not four 0s and 1s; the save writes "
        "0000"}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Boxtool("make-sample --force ."), 0);
    c.change();
    EXPECT_EQ(Boxtool("check"), c.out.empty() ? 0 : 1) << c.what;
    std::vector<std::string> lines;
    std::istringstream out(dir_.Read("out.txt"));
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    std::vector<::testing::Matcher<std::string>> pieces;
    for (const std::string& piece : c.out) pieces.push_back(HasSubstr(piece));
    EXPECT_THAT(lines, ::testing::ElementsAreArray(pieces)) << c.what;
  }
}

TEST_F(BoxtoolTest, Resave_WritesTheKeysLayoutsAndRefusesAListWithErrors) {
  dir_.Write("motion.lst", std::string(kHeader) + kRecord);
  ASSERT_EQ(Boxtool("resave s"), 0);
  EXPECT_EQ(dir_.Read("motion2.lst"), std::string("HEAD\n  0   0   0  10\nEND\n") + kRecord);
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
  EXPECT_EQ(Boxtool("frames --help"), 0);
  const std::string help = dir_.Read("out.txt");
  EXPECT_THAT(help, HasSubstr("--format F   text"));
  EXPECT_THAT(help, HasSubstr("exit: 0, 1 when motion.lst has errors"));
  EXPECT_EQ(Boxtool("help frames"), 0);
  EXPECT_EQ(dir_.Read("out.txt"), help);
  EXPECT_EQ(Boxtool("help nope"), 2);
  EXPECT_EQ(Boxtool("replay"), 2);
  EXPECT_EQ(Err(), "usage: boxtool replay SCRIPT [--layout 565|555]\n");
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
