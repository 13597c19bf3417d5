// Reading motion.lst files that break the format: what is kept, and the problem reported.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir.h"
#include "chardata/list_reader.h"
#include "list_text.h"

namespace boxedit {
namespace {

using testing::Describe;
using ::testing::ElementsAre;
using testing::Formatted;
using ::testing::HasSubstr;
using testing::kHeader;  // three lines, so the first record line is line 4
using testing::Line;
using testing::LoadNew;
using testing::RecordLine;
using testing::RecordWords;

// The first `count` words of the record of `index`, on one line.
std::string CutRecord(int index, size_t count) {
  std::vector<std::string> words = RecordWords(index);
  words.resize(count);
  return Line(words);
}

TEST(ListReaderBadInput, Diagnostic_FormatNamesFileLineAndSeverity) {
  EXPECT_EQ(FormatDiagnostic({12, Severity::kWarning, "odd"}), "motion.lst:12: warning: odd");
  EXPECT_EQ(FormatDiagnostic({3, Severity::kError, "bad"}), "motion.lst:3: error: bad");
  EXPECT_EQ(FormatDiagnostic({0, Severity::kError, "gone"}), "motion.lst: error: gone");
  EXPECT_FALSE(HasErrors({{1, Severity::kWarning, "w"}}));
  EXPECT_TRUE(HasErrors({{1, Severity::kWarning, "w"}, {2, Severity::kError, "e"}}));
}

TEST(ListReaderBadInput, IndexOutsideTable_SkipsTheWholeRecord) {
  for (const char* index : {"1300", "-1", "2147483647"}) {
    std::vector<std::string> bad = RecordWords(0);
    bad[0] = index;
    Diagnostics d;
    auto list =
        LoadNew(std::string(kHeader) + RecordLine(7) + Line(bad) + RecordLine(8) + Line(bad), &d);
    EXPECT_THAT(Formatted(d),
                ElementsAre("motion.lst:5: error: pattern index " + std::string(index) +
                                " is outside 0..1299; the record is skipped",
                            "motion.lst:7: error: pattern index " + std::string(index) +
                                " is outside 0..1299; the record is skipped"));
    // The skipped record's 21 words are not taken for the next record, and lastPattern stays.
    EXPECT_EQ(list->lastPattern, 8);
    EXPECT_FALSE(list->patterns[8].IsEmpty());
    EXPECT_TRUE(list->patterns[0].IsEmpty());
  }
}

TEST(ListReaderBadInput, IndexOutsideTableAtEnd_LeavesLastPattern) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(7) + "5000 1 2\n", &d);
  EXPECT_EQ(list->lastPattern, 7);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].line, 5);
}

TEST(ListReaderBadInput, NotANumber_StopsReadingAndKeepsWhatWasRead) {
  for (const char* word : {"12abc", "abc", "99999999999", "-", "+", "1.5", "2147483648"}) {
    std::vector<std::string> w = RecordWords(9);
    w[2] = word;  // speed
    Diagnostics d;
    auto list = LoadNew(std::string(kHeader) + RecordLine(3) + "\n" + Line(w) + RecordLine(10), &d);
    ASSERT_EQ(d.size(), 1u) << word;
    EXPECT_EQ(d[0].line, 6);
    EXPECT_EQ(d[0].severity, Severity::kError);
    EXPECT_THAT(d[0].message, HasSubstr("is not a number (expected the speed of pattern 9)"));
    EXPECT_FALSE(list->patterns[3].IsEmpty());
    EXPECT_EQ(list->patterns[9].to, -1);
    EXPECT_TRUE(list->patterns[9].IsEmpty());
    EXPECT_TRUE(list->patterns[10].IsEmpty());
    EXPECT_EQ(list->lastPattern, 9);
  }
}

TEST(ListReaderBadInput, NotANumberAsIndex_StopsReading) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(3) + "x12\n" + RecordLine(4), &d);
  EXPECT_THAT(Formatted(d), ElementsAre("motion.lst:5: error: 'x12' is not a number (expected a "
                                        "pattern index); reading stops here"));
  EXPECT_EQ(list->lastPattern, 3);
  EXPECT_TRUE(list->patterns[4].IsEmpty());
}

TEST(ListReaderBadInput, HeaderProblems_AreErrorsAndStopTheReading) {
  struct Case {
    const char* text;
    const char* diagnostic;
    int32_t gravity;  // 99 when the header ends before its gravity
  };
  const Case cases[] = {
      {"", "motion.lst:1: error: the file ends where the header's first header word should be", 99},
      {"NAME\n1 2\n", "motion.lst:2: error: the file ends where the header's blue should be", 99},
      {"NAME 1 2 3\n-4\n",
       "motion.lst:2: error: the file ends where the header's second header "
       "word should be",
       -4},
      {"NAME\n1 2 three 4 END 0 ",
       "motion.lst:2: error: 'three' is not a number (expected the header's blue); reading "
       "stops here",
       99},
  };
  for (const Case& c : cases) {
    auto list = testing::NewTable();
    list->gravity = 99;
    const Diagnostics d = LoadText(*list, c.text);
    EXPECT_THAT(Formatted(d), ElementsAre(c.diagnostic));
    EXPECT_EQ(list->gravity, c.gravity);
    EXPECT_EQ(list->lastPattern, 0);
    EXPECT_TRUE(list->patterns[0].IsEmpty());
  }
}

TEST(ListReaderBadInput, HeaderColourOutOfRange_IsAWarning) {
  Diagnostics d;
  LoadNew("NAME 0 256 -1 4 END\n", &d);
  EXPECT_THAT(Formatted(d),
              ElementsAre("motion.lst:1: warning: the header's green 256 is outside 0..255",
                          "motion.lst:1: warning: the header's blue -1 is outside 0..255"));
}

TEST(ListReaderBadInput, FileEndsInsideRecord_KeepsWhatWasRead) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(1) + CutRecord(2, 5), &d);
  EXPECT_THAT(Formatted(d), ElementsAre("motion.lst:5: error: the file ends inside the record of "
                                        "pattern 2: its circo and the words after it are "
                                        "missing"));
  const PatternRecord& r = list->patterns[2];
  EXPECT_EQ(list->lastPattern, 2);
  EXPECT_EQ(r.picture, 7);
  EXPECT_EQ(r.depth, 0);
  EXPECT_EQ(r.circo, 0);
  EXPECT_EQ(r.guard, 0);
  EXPECT_EQ(r.flags, 0u);
  EXPECT_EQ(r.defense[1], Box{});
  EXPECT_STREQ(r.comment.data(), "");
}

TEST(ListReaderBadInput, FileEndsBeforePicture_LeavesSlotEmptyButSetsLastPattern) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(1) + "\n\n" + CutRecord(30, 3), &d);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].line, 7);
  EXPECT_THAT(d[0].message, HasSubstr("its picture and the words after"));
  EXPECT_TRUE(list->patterns[30].IsEmpty());
  EXPECT_EQ(list->patterns[30].speed, 4);
  EXPECT_EQ(list->lastPattern, 30);
}

TEST(ListReaderBadInput, FileEndsBeforeTokens_GuardFlagsKeepOldValuesBoxesStayZero) {
  // A second reading into the same table: the reset empties slots and zeroes boxes only.
  std::vector<std::string> first = RecordWords(4);
  first[13] = "M";
  first[17] = "1111";
  auto list = testing::NewTable();
  LoadText(*list, std::string(kHeader) + Line(first));
  ASSERT_EQ(list->patterns[4].guard, 1);
  ASSERT_EQ(list->patterns[4].flags, 15u);

  Diagnostics d = LoadText(*list, std::string(kHeader) + CutRecord(4, 13));
  EXPECT_THAT(d[0].message, HasSubstr("its code letter and"));
  EXPECT_EQ(list->patterns[4].guard, 1);
  EXPECT_EQ(list->patterns[4].flags, 15u);
  EXPECT_EQ(list->patterns[4].defense[0], Box{});
  EXPECT_EQ(list->patterns[4].picture, 7);

  d = LoadText(*list, std::string(kHeader) + CutRecord(4, 17));
  EXPECT_THAT(d[0].message, HasSubstr("its flag token and"));
  EXPECT_EQ(list->patterns[4].guard, 0);  // the letter word was there: U
  EXPECT_EQ(list->patterns[4].flags, 15u);

  d = LoadText(*list, std::string(kHeader) + CutRecord(4, 20));
  EXPECT_THAT(d[0].message, HasSubstr("its attack box 0 and"));
  EXPECT_EQ(list->patterns[4].flags, 10u);
  EXPECT_EQ(list->patterns[4].defense[1], (Box{-30, 40, 25, 10}));
  EXPECT_EQ(list->patterns[4].attack[0], Box{});
  EXPECT_STREQ(list->patterns[4].comment.data(), "A1");  // comment word missing: kept
}

TEST(ListReaderBadInput, LongWords_AreCutWithAWarning) {
  const std::string longHeader(200, 'H');
  const std::string longComment(70, 'c');
  std::vector<std::string> w = RecordWords(0);
  w[21] = longComment;
  Diagnostics d;
  auto list = LoadNew(longHeader + " 1 2 3 4\n" + std::string(128, 'E') + "\n" + Line(w), &d);
  EXPECT_THAT(
      Formatted(d),
      ElementsAre(
          "motion.lst:1: warning: the first header word is longer than 127 characters; cut to "
          "that length",
          "motion.lst:2: warning: the second header word is longer than 127 characters; cut to "
          "that length",
          "motion.lst:3: warning: comment word '" + std::string(40, 'c') +
              "...' is longer than 63 characters; cut to that length"));
  EXPECT_EQ(std::string(list->patterns[0].comment.data()), std::string(63, 'c'));
  EXPECT_EQ(list->gravity, 4);
}

TEST(ListReaderBadInput, ShortTokens_ReadMissingPositionsAsZero) {
  std::vector<std::string> w = RecordWords(6);
  w[17] = "10";
  w[18] = "1120480";
  w[20] = "014";
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + Line(w), &d);
  EXPECT_THAT(Formatted(d),
              ElementsAre("motion.lst:4: warning: flag token '10' is shorter than 4 characters; "
                          "the missing flags read as 0",
                          "motion.lst:4: warning: box token '1120480' is shorter than 12 "
                          "characters; the missing positions read as 0",
                          "motion.lst:4: warning: box token '014' is shorter than 12 characters; "
                          "the missing positions read as 0"));
  const PatternRecord& r = list->patterns[6];
  EXPECT_EQ(r.flags, 8u);
  EXPECT_EQ(r.defense[0], (Box{-18, 72, 0, 0}));
  EXPECT_EQ(r.attack[0], (Box{20, 0, 0, 0}));
  EXPECT_STREQ(r.comment.data(), "A1");
}

TEST(ListReaderBadInput, OddBoxCharacters_AreDecodedAndReported) {
  std::vector<std::string> w = RecordWords(6);
  w[19] = "0a0000000000";
  w[20] = "-12000+12000";
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + "\n" + Line(w), &d);
  EXPECT_THAT(Formatted(d),
              ElementsAre("motion.lst:5: warning: box token '0a0000000000' has digits other than "
                          "0-9 and A-F; each reads as its character code minus 55",
                          "motion.lst:5: warning: box token '-12000+12000' has a sign other than "
                          "0 or 1; only 1 makes a coordinate negative"));
  EXPECT_EQ(list->patterns[6].defense[1], (Box{672, 0, 0, 0}));
  EXPECT_EQ(list->patterns[6].attack[0], (Box{18, 0, 18, 0}));
}

TEST(ListReaderBadInput, RecordsOutOfOrder_NameTheSlotsLeftAboveLastPattern) {
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + RecordLine(40) + RecordLine(41) + RecordLine(42) +
                          RecordLine(45) + RecordLine(1299) + RecordLine(5) + RecordLine(2),
                      &d);
  EXPECT_THAT(Formatted(d),
              ElementsAre("motion.lst:10: warning: records out of index order: the last record "
                          "is pattern 2, so slots 5, 40-42, 45, 1299 hold data that is neither "
                          "shown nor saved"));
  EXPECT_EQ(list->lastPattern, 2);
  EXPECT_FALSE(list->patterns[45].IsEmpty());
}

TEST(ListReaderBadInput, RepeatedIndex_NamesBothLines) {
  Diagnostics d;
  LoadNew(std::string(kHeader) + RecordLine(6) + RecordLine(7) + "\n" + RecordLine(6), &d);
  EXPECT_THAT(Formatted(d), ElementsAre("motion.lst:7: warning: pattern 6 was already given on "
                                        "line 4; the values of this line stand",
                                        "motion.lst:7: warning: records out of index order: the "
                                        "last record is pattern 6, so slots 7 hold data that is "
                                        "neither shown nor saved"));
}

TEST(ListReaderBadInput, CommentWithNulByte_IsCutThere) {
  std::vector<std::string> w = RecordWords(1);
  w[21] = std::string("ab\0cd", 5);
  Diagnostics d;
  auto list = LoadNew(std::string(kHeader) + Line(w), &d);
  EXPECT_THAT(Formatted(d),
              ElementsAre("motion.lst:4: warning: comment word holds a NUL byte; it is cut there"));
  EXPECT_STREQ(list->patterns[1].comment.data(), "ab");
  EXPECT_EQ(list->patterns[1].comment[3], '\0');
}

TEST(ListReaderBadInput, MissingOrUnreadableFile_LeavesAnEmptyTable) {
  testing::TempDir dir;
  auto list = testing::NewTable();
  LoadText(*list, std::string(kHeader) + RecordLine(12));
  ASSERT_EQ(list->lastPattern, 12);

  Diagnostics d = Load(*list, dir.path());
  EXPECT_THAT(Formatted(d), ElementsAre("motion.lst: error: cannot read motion.lst: No such file "
                                        "or directory"));
  EXPECT_EQ(list->lastPattern, 0);
  EXPECT_TRUE(list->patterns[12].IsEmpty());
  EXPECT_EQ(ReadKeyColour(dir.path(), true), -1);

  std::filesystem::create_directory(dir / "motion.lst");
  d = Load(*list, dir.path());
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].line, 0);
  EXPECT_EQ(d[0].severity, Severity::kError);
  EXPECT_THAT(d[0].message, HasSubstr("cannot read motion.lst"));
  EXPECT_EQ(ReadKeyColour(dir.path(), false), -1);
}

}  // namespace
}  // namespace boxedit
