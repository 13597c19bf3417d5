// Reading motion.lst: fields, token rules, and what bad text keeps and reports on which line.
#include "chardata/list_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "../support/temp_dir.h"
#include "chardata/list_tokens.h"

namespace boxedit {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string h = "CHARA\n0 255 0 3\nEND\n";  // six words: records start on line 4
const auto E = [](int line) { return "motion.lst:" + std::to_string(line) + ": error: "; };
const auto W = [](int line) { return "motion.lst:" + std::to_string(line) + ": warning: "; };

// A record line for `index`, words replaced by `changes`, cut to its first `count` words.
std::string Record(int index, std::vector<std::pair<size_t, std::string>> changes = {},
                   size_t count = 22) {
  std::istringstream rest(
      "-1 4 7 0 3 9 40 0 0 0 0 -1 U 0 -1 0 1010 112048012000 11E02801900A 01403C03402C A1");
  std::vector<std::string> words{std::to_string(index)};
  for (std::string w; rest >> w;) words.push_back(w);
  for (const auto& [position, word] : changes) words[position] = word;
  std::string line;
  for (size_t i = 0; i < count; ++i) line += words[i] + (i + 1 < count ? " " : "\n");
  return line;
}

std::string Describe(const PatternRecord& r) {
  char text[1024];
  int n = std::snprintf(text, sizeof text,
                        "to=%d speed=%d pic=%d depth=%d circo=%d voice=%d vx=%d rx=%d vy=%d ry=%d "
                        "extra=%d clash=%d guard=%d dmg=%d hitTo=%d hitI=%d flags=%u",
                        r.to, r.speed, r.picture, r.depth, r.circo, r.voice, r.vx, r.rx, r.vy, r.ry,
                        r.extra, r.clash, r.guard, r.damage, r.hitTo, r.hitI, r.flags);
  for (const auto* group : {&r.defense, &r.attack})
    for (const Box& b : *group)
      n += std::snprintf(text + n, sizeof text - n, " (%d,%d,%d,%d)", b.x1, b.y1, b.x2, b.y2);
  std::snprintf(text + n, sizeof text - n, " comment='%.*s'", kCommentSize, r.comment.data());
  return text;
}

// Expected: diagnostics in order (place and kind, then words of the message), "last=N",
// "gravity=N", "SLOT: piece of Describe()".
struct Case {
  std::string text;
  std::vector<std::string> expect;
  std::string before = "";  // read into the table first, when given
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    auto list = std::make_unique<MotionList>();
    list->gravity = 99;
    ASSERT_TRUE(LoadText(*list, c.before).empty() || c.before.empty());
    std::vector<std::string> got;
    for (const Diagnostic& d : LoadText(*list, c.text)) got.push_back(FormatDiagnostic(d));
    std::vector<::testing::Matcher<std::string>> diagnostics;
    for (const std::string& x : c.expect) {
      const size_t colon = x.find(": "), words = x.find(": ", colon + 1) + 2;
      if (x.starts_with("motion.lst"))
        diagnostics.push_back(AllOf(StartsWith(x.substr(0, words)), HasSubstr(x.substr(words))));
      else if (colon == std::string::npos)
        EXPECT_EQ(x[0] == 'l' ? list->lastPattern : list->gravity,
                  std::stoi(x.substr(x.find('=') + 1)));
      else
        EXPECT_THAT(Describe(list->patterns[std::stoi(x)]), HasSubstr(x.substr(colon + 2))) << x;
    }
    EXPECT_THAT(got, ElementsAreArray(diagnostics));
  }
}

TEST(ListReader, WellFormedText_FillsSlotsByTheFormatRules) {
  Check({
      // A header alone clears the slots of an earlier table.
      {"\t A \r\n 1\v2\f3 \t+44\r\nB\r\n",
       {"last=0", "gravity=44", "40: pic=-1",
        "40: flags=10 (0,0,0,0) (0,0,0,0) (0,0,0,0) (0,0,0,0) (0,0,0,0) "},
       h + Record(40)},
      // Records across lines and two on one; picture 0 is not an empty slot; empty slots keep to=0.
      {h + "12 -2147483648 +4 7 1 3 9 40 1 -20 2 2147483647 -1 M 5 -1 3 1010\n112048012000\n" +
           "\t11E02801900A\r\n01403C03402C A1 " + Record(13, {{3, "0"}}),
       {"12: to=-2147483648 speed=4 pic=7 depth=1 circo=3 voice=9 vx=40 rx=1 vy=-20 ry=2 "
        "extra=2147483647 clash=-1 guard=1 dmg=5 hitTo=-1 hitI=3 flags=10 (-18,72,18,0) "
        "(-30,40,25,10) (0,0,0,0) (0,0,0,0) (20,60,52,44) (0,0,0,0) (0,0,0,0) (0,0,0,0) "
        "comment='A1'",
        "13: pic=0 ", "14: to=0 speed=0 pic=-1 ", "last=13", "gravity=3"}},
  });
  EXPECT_EQ(std::pair(DecodeFlags("1x1y"), DecodeFlags("10001")), std::pair(10u, 8u));
  EXPECT_TRUE(DecodeBox("1FF1FF1FF1FF") == (Box{-255, 511, -255, 511}) &&
              DecodeBox("000FFF000FFF") == (Box{0, 4095, 0, 4095}));
  EXPECT_EQ(HexDigitValue(static_cast<char>(0xE9)), 0xE9 - 55);
}

TEST(ListReader, BadInput_KeepsWhatWasReadAndReportsTheLine) {
  const std::string old =
      h + "4 -1 4 7 0 3 9 40 0 0 0 0 -1 M 0 -1 0 1111 112048012000 11E02801900A 01403C03402C OLD\n";
  std::vector<Case> cases = {
      {h + Record(7) + Record(1300) + Record(8) + Record(-1),
       {E(5) + "index 1300 is outside 0..1299", E(7) + "index -1 is", "last=8", "8: pic=7 ",
        "0: pic=-1 "}},
      {h + Record(3) + "x12\n" + Record(4),
       {E(5) + "'x12' is not a number (expected a pattern index)", "last=3", "4: pic=-1 "}},
      {"NAME 1 2 3\n-4\n", {E(2) + "second header word", "gravity=-4"}},
      {"NAME\n1 2 three 4 END 0 ",
       {E(2) + "'three' is not a number (expected the header's blue)", "gravity=99", "last=0",
        "0: pic=-1 "}},
      // A record cut short keeps the earlier table's words past the cut, but its boxes are zero.
      {h + Record(4, {}, 13),
       {E(4) + "pattern 4: its code letter", "4: pic=7 ",
        "4: guard=1 dmg=0 hitTo=-1 hitI=0 flags=15 (0,0,0,0) (0,0,0,0) "},
       old},
      {h + Record(4, {}, 20),
       {E(4) + "pattern 4: its attack box 0", "4: guard=0 ",
        "4: flags=10 (-18,72,18,0) (-30,40,25,10) ",
        "4: (0,0,0,0) (0,0,0,0) (0,0,0,0) comment='OLD'"},
       old},
      {"H 1 2 3 4\n" + std::string(128, 'E') + "\n" + Record(0, {{21, std::string(64, 'c')}}),
       {W(2) + "second header word is longer than 127",
        W(3) + std::string(40, 'c') + "...' is longer than 63",
        "0: comment='" + std::string(63, 'c') + "'"}},
      {h + Record(6, {{17, "10"}, {18, "1120480"}, {19, "0a0000000000"}, {20, "-12000+12000"}}),
       {W(4) + "flag token '10' is shorter", W(4) + "'1120480' is shorter",
        W(4) + "'0a0000000000' has digits other", W(4) + "'-12000+12000' has a sign other",
        "6: flags=8 (-18,72,0,0) (672,0,0,0) (0,0,0,0) (0,0,0,0) (18,0,18,0) "}},
      {h + Record(40) + Record(41) + Record(42) + Record(45) + Record(1299) + Record(5) + Record(2),
       {W(10) + "pattern 2, so slots 5, 40-42, 45, 1299 hold", "last=2", "45: pic=7 "}},
      {h + Record(6) + Record(7) + "\n" + Record(6, {{3, "99"}}),
       {W(7) + "pattern 6 was already given on line 4", W(7) + "records out of index order",
        "6: pic=99 "}},
      {h + Record(1, {{18, "1\x1b\x7e\xe9"}, {21, std::string("ab\0cd", 5)}}),
       {W(4) + "'1\\x1B~\\xE9' is shorter", W(4) + "'1\\x1B~\\xE9' has digits",
        W(4) + "comment word holds a NUL byte", "1: comment='ab'"}},
  };
  for (const char* word : {"12abc", "2147483648", "-"}) {
    cases.push_back({h + Record(3) + "\n" + Record(9, {{2, word}}) + Record(10),
                     {E(6) + "'" + word + "' is not a number (expected the speed", "last=9",
                      "3: pic=7 ", "9: to=-1 speed=0 pic=-1 ", "10: pic=-1 "}});
  }
  Check(cases);
}

TEST(ListReader, MissingFile_GivesNoKeyColourAndAnEmptyTable) {
  testing::TempDir dir;
  auto list = std::make_unique<MotionList>();
  ASSERT_TRUE(LoadText(*list, h + Record(12)).empty());
  ReadHeader earlier{{}, 6};
  const Diagnostics got = Load(*list, dir.path(), &earlier);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_THAT(FormatDiagnostic(got[0]), StartsWith("motion.lst: error: cannot read motion.lst"));
  EXPECT_TRUE(list->lastPattern == 0 && list->patterns[12].IsEmpty() && !earlier.keyColour());
  // The key colour needs the first four words only; start-up's header needs all six.
  const auto read = [&](const char* text, ReadHeader header = {}) {
    return LoadText(*list, text, nullptr, &header), header;
  };
  EXPECT_EQ(read("NAME -1 300\n2").keyColour(), (KeyColour{-1, 300, 2}));
  EXPECT_FALSE(read("NAME -1 300\n2").complete());
  EXPECT_FALSE(read("NAME 1 2").keyColour());
  const std::optional<ListHeader> whole = read("NAME 1 2 3 -4 END 5").complete();
  EXPECT_TRUE(whole && whole->numbers == (std::array{1, 2, 3, -4}) && whole->secondWord == "END");
}

}  // namespace
}  // namespace boxedit
