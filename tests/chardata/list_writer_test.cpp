// The record lines and file layout of motion2.lst in the S and L layouts.
#include "chardata/list_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "list_text.h"

namespace boxedit {
namespace {

using testing::NewTable;

// The example slot: index 12, attack box 0 at (20, 60, 52, 44), comment "A1".
PatternRecord ExampleRecord() {
  PatternRecord r;
  r.to = -1;
  r.speed = 4;
  r.picture = 7;
  r.circo = 3;
  r.voice = 9;
  r.vx = 40;
  r.clash = -1;
  r.guard = 0;
  r.hitTo = -1;
  r.flags = 10;
  r.defense[0] = {-18, 72, 18, 0};
  r.defense[1] = {-30, 40, 25, 10};
  r.attack[0] = {20, 60, 52, 44};
  std::strcpy(r.comment.data(), "A1");
  return r;
}

ListHeader Header() {
  return {"CHARA", {0, 255, 0, 3}, "END"};
}

TEST(ListWriter, ExampleRecord_WrittenExactlyInBothLayouts) {
  EXPECT_EQ(FormatRecordLine(ExampleRecord(), 12, SaveLayout::kS),
            "  12   -1  4   7  0  3 9   40 0   0 0 0 -1 U  0   -1 0 1010 112048012000 "
            "11E02801900A 01403C03402C A1\n");
  EXPECT_EQ(FormatRecordLine(ExampleRecord(), 12, SaveLayout::kL),
            "  12   -1  4   7  0  3 9   40  0   0  0 0 -1 U  0   -1 0 1010 112048012000 "
            "11E02801900A 01403C03402C A1\n");
}

TEST(ListWriter, RxRy_DifferOnlyInPaddingBetweenLayouts) {
  PatternRecord r = ExampleRecord();
  r.rx = 5;
  r.ry = -1;
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS), ::testing::HasSubstr("   40 5   0 -1 0 "));
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kL), ::testing::HasSubstr("   40  5   0 -1 0 "));
  r.rx = 10;
  r.ry = 12;
  EXPECT_EQ(FormatRecordLine(r, 12, SaveLayout::kS), FormatRecordLine(r, 12, SaveLayout::kL));
}

TEST(ListWriter, WideValues_AreWrittenInFull) {
  PatternRecord r = ExampleRecord();
  r.to = 123456;
  r.voice = -2147483647 - 1;
  r.hitI = 42;
  const std::string line = FormatRecordLine(r, 1299, SaveLayout::kS);
  EXPECT_EQ(line.substr(0, 17), "1299 123456  4   ");
  EXPECT_THAT(line, ::testing::HasSubstr(" 3 -2147483648   40 "));
  EXPECT_THAT(line, ::testing::HasSubstr("   -1 42 1010 "));
}

TEST(ListWriter, GuardCodes_AreWrittenAsLetters) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, " -1 U  0 "}, {1, " -1 M  0 "}, {2, " -1 D  0 "}, {3, " -1 X  0 "}, {9, " -1 0  0 "}};
  for (const auto& [guard, piece] : cases) {
    PatternRecord r = ExampleRecord();
    r.guard = guard;
    EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS), ::testing::HasSubstr(piece)) << guard;
  }
}

TEST(ListWriter, Flags_AreWrittenBit8First) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, " 0000 "}, {15, " 1111 "}, {8, " 1000 "}, {1, " 0001 "}, {5, " 0101 "}};
  for (const auto& [flags, piece] : cases) {
    PatternRecord r = ExampleRecord();
    r.flags = flags;
    EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kL), ::testing::HasSubstr(piece)) << flags;
  }
}

TEST(ListWriter, EmptyComment_IsWrittenAsDash) {
  PatternRecord r = ExampleRecord();
  r.comment.fill('\0');
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS), ::testing::EndsWith(" 01403C03402C -\n"));
  // A comment array without a NUL is cut to the 63 characters the reader takes.
  r.comment.fill('z');
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS),
              ::testing::EndsWith(" " + std::string(63, 'z') + "\n"));
}

TEST(ListWriter, BoxCoordinates_WrittenAsSignAndHexDigits) {
  EXPECT_EQ(WriteBoxX(0), "000");
  EXPECT_EQ(WriteBoxX(-1), "101");
  EXPECT_EQ(WriteBoxX(255), "0FF");
  EXPECT_EQ(WriteBoxX(-255), "1FF");
  EXPECT_EQ(WriteBoxX(-18), "112");
  EXPECT_EQ(WriteBoxY(0), "000");
  EXPECT_EQ(WriteBoxY(255), "0FF");
  EXPECT_EQ(WriteBoxY(256), "100");
  EXPECT_EQ(WriteBoxY(511), "1FF");
  EXPECT_EQ(WriteBoxY(72), "048");
}

TEST(ListWriter, BoxCoordinatesOutOfRange_AreClamped) {
  EXPECT_EQ(WriteBoxX(256), "0FF");
  EXPECT_EQ(WriteBoxX(-256), "1FF");
  EXPECT_EQ(WriteBoxX(INT32_MIN), "1FF");
  EXPECT_EQ(WriteBoxX(INT32_MAX), "0FF");
  EXPECT_EQ(WriteBoxY(512), "1FF");
  EXPECT_EQ(WriteBoxY(4095), "1FF");
  EXPECT_EQ(WriteBoxY(-1), "000");
  PatternRecord r = ExampleRecord();
  r.attack[0] = {672, 4095, -300, -9};
  r.defense[1] = {};
  EXPECT_THAT(FormatRecordLine(r, 12, SaveLayout::kS),
              ::testing::HasSubstr(" 000000000000 0FF1FF1FF000 A1\n"));
}

TEST(ListWriter, File_HeaderThenMotionsSeparatedByEmptyLines) {
  auto list = NewTable();
  list->ResetSlots();
  list->patterns[12] = ExampleRecord();
  list->patterns[27] = ExampleRecord();
  list->patterns[27].picture = 8;
  list->lastPattern = 27;
  const std::string line12 = FormatRecordLine(list->patterns[12], 12, SaveLayout::kS);
  const std::string line27 = FormatRecordLine(list->patterns[27], 27, SaveLayout::kS);
  EXPECT_EQ(FormatList(*list, Header(), SaveLayout::kS),
            "CHARA\n  0 255   0   3\nEND\n\n" + line12 + "\n" + line27);
  EXPECT_EQ(FormatList(*list, Header(), SaveLayout::kL),
            "CHARA\n  0 255   0   3\n\nEND\n\n" +
                FormatRecordLine(list->patterns[12], 12, SaveLayout::kL) + "\n" +
                FormatRecordLine(list->patterns[27], 27, SaveLayout::kL));
}

TEST(ListWriter, File_FirstMotionFollowsHeaderDirectly) {
  auto list = NewTable();
  list->ResetSlots();
  for (int i : {0, 1, 2}) list->patterns[i] = ExampleRecord();
  list->lastPattern = 2;
  const std::string text = FormatList(*list, Header(), SaveLayout::kS);
  EXPECT_THAT(text, ::testing::StartsWith("CHARA\n  0 255   0   3\nEND\n   0   -1  4   7"));
  EXPECT_EQ(text.find("\n\n"), std::string::npos);
}

TEST(ListWriter, File_SkipsEmptySlotsAndSlotsAboveLastPattern) {
  auto list = NewTable();
  list->ResetSlots();
  for (int i : {20, 23, 29, 30, 31}) list->patterns[i] = ExampleRecord();
  list->lastPattern = 30;
  const std::string text = FormatList(*list, Header(), SaveLayout::kS);
  const std::string body = text.substr(std::strlen("CHARA\n  0 255   0   3\nEND\n"));
  EXPECT_EQ(body, "\n" + FormatRecordLine(list->patterns[20], 20, SaveLayout::kS) +
                      FormatRecordLine(list->patterns[23], 23, SaveLayout::kS) +
                      FormatRecordLine(list->patterns[29], 29, SaveLayout::kS) + "\n" +
                      FormatRecordLine(list->patterns[30], 30, SaveLayout::kS));
}

TEST(ListWriter, HeaderNumbers_UseThreeColumns) {
  auto list = NewTable();
  list->ResetSlots();
  const ListHeader header{"A", {-5, 1000, 7, -120}, "B"};
  EXPECT_EQ(FormatList(*list, header, SaveLayout::kS), "A\n -5 1000   7 -120\nB\n");
}

}  // namespace
}  // namespace boxedit
