// Reading motion.lst: the word stream, the header, the record fields and the token rules.
#include "chardata/list_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "../support/temp_dir.h"
#include "display/pixel_layout.h"
#include "list_text.h"

namespace boxedit {
namespace {

using testing::Describe;
using testing::kHeader;
using testing::Line;
using testing::LoadNew;
using testing::RecordLine;
using testing::RecordWords;

// The record of pattern 5 with one word replaced, read on its own after the header.
std::unique_ptr<MotionList> LoadWithWord(int position, const std::string& word,
                                         Diagnostics* diagnostics) {
  std::vector<std::string> words = RecordWords(5);
  words[position] = word;
  return LoadNew(std::string(kHeader) + Line(words), diagnostics);
}

TEST(ListReader, HeaderOnly_LeavesEveryHeaderSlotEmpty) {
  Diagnostics d;
  auto list = LoadNew("FIRST 10 20 30 -7 SECOND\n", &d);
  EXPECT_TRUE(d.empty());
  EXPECT_EQ(list->gravity, -7);
  EXPECT_EQ(list->lastPattern, 0);
  for (const PatternRecord& r : list->patterns) {
    ASSERT_TRUE(r.IsEmpty());
    for (const Box& b : r.defense) ASSERT_EQ(b, Box{});
    for (const Box& b : r.attack) ASSERT_EQ(b, Box{});
  }
}

TEST(ListReader, Load_ResetsSlotsFilledBefore) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(40), &d);
  list->patterns[7].attack[3] = {1, 2, 3, 4};
  d = LoadText(*list, kHeader);
  EXPECT_TRUE(list->patterns[40].IsEmpty());
  EXPECT_EQ(list->patterns[40].defense[1], Box{});
  EXPECT_EQ(list->patterns[7].attack[3], Box{});
  EXPECT_EQ(list->lastPattern, 0);
}

TEST(ListReader, HeaderNumbers_ReadTheSameOnOneLineOrSeveral) {
  Diagnostics d;
  EXPECT_EQ(LoadNew("A\n1\n2\n3\n44\nB", &d)->gravity, 44);
  EXPECT_EQ(LoadNew("A 1 2 3 44 B", &d)->gravity, 44);
  EXPECT_EQ(LoadNew("\t A \r\n 1\v2\f3 \t+44\r\nB\r\n", &d)->gravity, 44);
  EXPECT_TRUE(d.empty());
}

TEST(ListReader, Record_FillsEveryFieldInFileOrder) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) +
                          "12 -1 4 7 1 3 9 40 1 -20 2 77 -1 M 5 -1 3 1010 112048012000 "
                          "11E02801900A 01403C03402C A1\n",
                      &d);
  EXPECT_TRUE(d.empty());
  const PatternRecord& r = list->patterns[12];
  EXPECT_EQ(Describe(r),
            "to=-1 speed=4 pic=7 depth=1 circo=3 voice=9 vx=40 rx=1 vy=-20 ry=2 extra=77 clash=-1 "
            "guard=1 dmg=5 hitTo=-1 hitI=3 flags=10 (-18,72,18,0) (-30,40,25,10) (0,0,0,0) "
            "(0,0,0,0) (20,60,52,44) (0,0,0,0) (0,0,0,0) (0,0,0,0) comment=A1");
  EXPECT_EQ(list->lastPattern, 12);
}

TEST(ListReader, LineStructure_HasNoMeaning) {
  std::vector<std::string> a = RecordWords(3), b = RecordWords(4);
  b[3] = "9";
  std::string oneLine = std::string(kHeader) + Line(a) + Line(b);
  std::string perWord;
  for (const auto& w : a) perWord += w + "\n";
  for (const auto& w : b) perWord += "\t" + w + "\r\n";
  std::string shared = std::string(kHeader) + Line(a).substr(0, Line(a).size() - 1) + " " + Line(b);
  Diagnostics d1, d2, d3;
  auto l1 = LoadNew(oneLine, &d1);
  auto l2 = LoadNew(std::string(kHeader) + perWord, &d2);
  auto l3 = LoadNew(shared, &d3);
  EXPECT_TRUE(d1.empty() && d2.empty() && d3.empty());
  for (int i : {3, 4}) {
    EXPECT_EQ(Describe(l1->patterns[i]), Describe(l2->patterns[i]));
    EXPECT_EQ(Describe(l1->patterns[i]), Describe(l3->patterns[i]));
  }
  EXPECT_EQ(l3->patterns[4].picture, 9);
}

TEST(ListReader, CodeLetter_OnlyFirstUpperCaseCharacterCounts) {
  const std::pair<const char*, int32_t> cases[] = {{"U", 0},  {"M", 1}, {"D", 2}, {"X", 3},
                                                   {"UX", 0}, {"u", 9}, {"0", 9}, {"Z", 9}};
  for (const auto& [letter, guard] : cases) {
    Diagnostics d;
    EXPECT_EQ(LoadWithWord(13, letter, &d)->patterns[5].guard, guard) << letter;
  }
}

TEST(ListReader, FlagToken_OnlyTheCharacterOneSetsABit) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"1111", 15}, {"0101", 5}, {"1x1y", 10}, {"0000", 0}, {"10001", 8}};
  for (const auto& [token, flags] : cases) {
    Diagnostics d;
    EXPECT_EQ(LoadWithWord(17, token, &d)->patterns[5].flags, flags) << token;
  }
}

TEST(ListReader, BoxToken_DecodesSignsHexAndOddCharacters) {
  const std::pair<const char*, Box> cases[] = {
      {"11E02801900A", {-30, 40, 25, 10}},     {"000000000000", {0, 0, 0, 0}},
      {"1FF1FF0FF1FF", {-255, 511, 255, 511}}, {"000FFF000FFF", {0, 4095, 0, 4095}},
      {"-12000+12000", {18, 0, 18, 0}},        {"0a0000000000", {672, 0, 0, 0}},
      {"11E02801900AZZZ", {-30, 40, 25, 10}},
  };
  for (const auto& [token, box] : cases) {
    Diagnostics d;
    EXPECT_EQ(LoadWithWord(19, token, &d)->patterns[5].defense[1], box) << token;
  }
}

TEST(ListReader, BoxTokens_GoToDefense0Defense1AndAttack0Only) {
  Diagnostics d;
  std::vector<std::string> w = RecordWords(8);
  w[18] = "001002003004";
  w[19] = "005006007008";
  w[20] = "009010011012";
  auto list = LoadNew(std::string(kHeader) + Line(w), &d);
  const PatternRecord& r = list->patterns[8];
  EXPECT_EQ(r.defense[0], (Box{1, 2, 3, 4}));
  EXPECT_EQ(r.defense[1], (Box{5, 6, 7, 8}));
  EXPECT_EQ(r.attack[0], (Box{9, 16, 17, 18}));
  EXPECT_EQ(r.defense[2], Box{});
  EXPECT_EQ(r.defense[3], Box{});
  for (int b = 1; b < 4; ++b) EXPECT_EQ(r.attack[b], Box{});
}

TEST(ListReader, HexDigitValue_FollowsCodeMinus55OutsideDigits) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('A'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('G'), 16);
  EXPECT_EQ(HexDigitValue('a'), 42);
  EXPECT_EQ(HexDigitValue('1'), 1);
  EXPECT_EQ(HexDigitValue('-'), -10);
  EXPECT_EQ(HexDigitValue('8'), 8);
  // Bytes above 127 count by their unsigned code whatever the signedness of char.
  EXPECT_EQ(HexDigitValue(static_cast<char>(0xE9)), 0xE9 - 55);
}

TEST(ListReader, LastPattern_IsTheLastIndexReadNotTheLargest) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(40) + RecordLine(5), &d);
  EXPECT_EQ(list->lastPattern, 5);
  EXPECT_FALSE(list->patterns[40].IsEmpty());
  EXPECT_FALSE(list->patterns[5].IsEmpty());
}

TEST(ListReader, RepeatedIndex_LaterValuesStand) {
  std::vector<std::string> second = RecordWords(6);
  second[3] = "99";
  second[21] = "LATER";
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(6) + Line(second), &d);
  EXPECT_EQ(list->patterns[6].picture, 99);
  EXPECT_STREQ(list->patterns[6].comment.data(), "LATER");
}

TEST(ListReader, EmptyAndPictureZeroSlots_AreToldApart) {
  std::vector<std::string> w = RecordWords(3);
  w[3] = "0";
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + Line(w), &d);
  EXPECT_FALSE(list->patterns[3].IsEmpty());
  // An empty slot's "to" keeps its zero start value, so a walk along "to" stops there.
  EXPECT_TRUE(list->patterns[4].IsEmpty());
  EXPECT_EQ(list->patterns[4].to, 0);
}

TEST(ReadKeyColour, PacksHeaderColourInEitherLayout) {
  testing::TempDir dir;
  dir.Write("motion.lst", "NAME\n128 128\n128 0 END\n");
  EXPECT_EQ(ReadKeyColour(dir.path(), true), 0x8410);
  EXPECT_EQ(ReadKeyColour(dir.path(), false), 0x4210);
  dir.Write("motion.lst", "NAME 0 63 0");  // the rest of the header does not matter
  EXPECT_EQ(ReadKeyColour(dir.path(), true), 0x01E0);
  EXPECT_EQ(ReadKeyColour(dir.path(), false), 0x00E0);
}

TEST(ReadKeyColour, NoColourKey_WhenFileOrNumbersAreMissing) {
  testing::TempDir dir;
  EXPECT_EQ(ReadKeyColour(dir.path(), true), -1);
  dir.Write("motion.lst", "NAME 1 2");
  EXPECT_EQ(ReadKeyColour(dir.path(), true), -1);
  dir.Write("motion.lst", "NAME 1 x 3 4 B");
  EXPECT_EQ(ReadKeyColour(dir.path(), false), -1);
  dir.Write("motion.lst", "NAME -1 -1 -1 4 B");  // a negative component means no key either
  EXPECT_EQ(ReadKeyColour(dir.path(), false), -1);
}

TEST(Load, ReadsMotionLstOfTheDirectory) {
  testing::TempDir dir;
  dir.Write("motion.lst", std::string(kHeader) + RecordLine(0) + RecordLine(11));
  auto list = testing::NewTable();
  const Diagnostics d = Load(*list, dir.path());
  EXPECT_TRUE(d.empty());
  EXPECT_EQ(list->gravity, 3);
  EXPECT_EQ(list->lastPattern, 11);
  EXPECT_EQ(list->patterns[11].defense[1], (Box{-30, 40, 25, 10}));
}

}  // namespace
}  // namespace boxedit
