// End-to-end: boxtool sheet draws each pattern as the editor's frame shows it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/bmp_reader.h"
#include "../support/png_reader.h"
#include "list_texts.h"
#include "run_boxtool.h"

namespace boxedit {
namespace {

using testing::ReadBmp24;

using ::testing::HasSubstr;
using testing::ReadPng;

constexpr int kCellWidth = 322, kCellHeight = 242, kPitchX = 330, kPitchY = 270, kGap = 8;

class SheetTest : public testing::BoxtoolFolder {
 protected:
  // The cell whose top-left corner is at (x, y) of the sheet, as an image of its own.
  static RgbImage Cell(const RgbImage& sheet, int x, int y) {
    RgbImage cell{kCellWidth, kCellHeight, {}};
    for (int r = 0; r < kCellHeight; ++r)
      for (int c = 0; c < kCellWidth; ++c) cell.pixels.push_back(sheet.At(x + c, y + r));
    return cell;
  }
};

TEST_F(SheetTest, CellsAreTheEditorsViewOfEachPattern) {
  ASSERT_EQ(Boxtool("make-sample ."), 0);
  // After the sample's 47 patterns, a leap so far up and left that its motion strip, which starts
  // right of the view, crosses into it.
  dir_.Write("motion.lst", dir_.Read("motion.lst") +
                               " 600 -1 12 3 0 0 9 -600 0 500 0 0 -1 U 0 -1 0 0000 112083012000 "
                               "104083012069 000000000000 leap\n");
  std::string script;  // a shot of each pattern, Down going on to the next used one
  for (int i = 0; i < 48; ++i) script += "frame\nshot " + std::to_string(i) + ".bmp\nkey Down\n";
  dir_.Write("script.txt", script);
  for (const char* layout : {"565", "555"}) {
    SCOPED_TRACE(layout);
    ASSERT_EQ(Boxtool(std::string("replay script.txt --layout ") + layout), 0);
    ASSERT_EQ(Boxtool(std::string("sheet sheet.png --layout ") + layout), 0)
        << dir_.Read("err.txt");
    RgbImage sheet, shot;
    ASSERT_TRUE(ReadPng(dir_ / "sheet.png", &sheet));
    EXPECT_EQ(std::pair(sheet.width, sheet.height),
              std::pair(kGap + 8 * kPitchX, kGap + 6 * kPitchY));
    for (int i = 0; i < 48; ++i) {
      ASSERT_TRUE(ReadBmp24(dir_ / (std::to_string(i) + ".bmp"), &shot));
      EXPECT_TRUE(Cell(sheet, kGap + i % 8 * kPitchX, kGap + i / 8 * kPitchY).pixels ==
                  Cell(shot, 0, 0).pixels)
          << "pattern " << i;
    }
    // Pattern 251, with all three boxes (row 4, column 1): the label under it is drawn; the gap
    // right of it is background.
    const int x = kGap + kPitchX, y = kGap + 4 * kPitchY;
    const Rgb grey = sheet.At(0, 0);
    int labelPixels = 0;
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < kCellWidth; ++c) labelPixels += !(sheet.At(x + c, y + 246 + r) == grey);
    EXPECT_GT(labelPixels, 100);
    for (int c = 0; c < kGap; ++c) EXPECT_TRUE(sheet.At(x + kCellWidth + c, y + 100) == grey);
  }

  ASSERT_EQ(Boxtool("sheet . one.png --motion 25 --columns 2"), 0);  // patterns 250 to 252
  RgbImage one;
  ASSERT_TRUE(ReadPng(dir_ / "one.png", &one));
  EXPECT_EQ(std::pair(one.width, one.height), std::pair(kGap + 2 * kPitchX, kGap + 2 * kPitchY));
}

TEST_F(SheetTest, ASheetPast64RowsGoesOnInMoreFiles) {
  std::string list = testing::kHeader;
  for (int i = 0; i < 65; ++i) list += std::to_string(i) + std::string(testing::kRecord).substr(4);
  dir_.Write("motion.lst", list);
  ASSERT_EQ(Boxtool("sheet out.png --columns 1"), 0) << dir_.Read("err.txt");
  RgbImage first, second;
  ASSERT_TRUE(ReadPng(dir_ / "out.png", &first));
  ASSERT_TRUE(ReadPng(dir_ / "out-2.png", &second));
  EXPECT_EQ(std::pair(first.width, first.height), std::pair(kGap + kPitchX, kGap + 64 * kPitchY));
  EXPECT_EQ(second.height, kGap + kPitchY);
  EXPECT_FALSE(dir_.Exists("out-3.png"));
  // A sheet of one file leaves no older out-2.png beside it, and goes no further than the
  // files it would have written.
  dir_.Write("out-4.png", "");
  ASSERT_EQ(Boxtool("sheet out.png --columns 2"), 0) << dir_.Read("err.txt");
  EXPECT_TRUE(dir_.Exists("out.png") && !dir_.Exists("out-2.png") && dir_.Exists("out-4.png"));
}

TEST_F(SheetTest, BadArgumentsAndNothingToDrawWriteNothing) {
  dir_.Write("motion.lst", std::string(testing::kHeader) + testing::kRecord);
  for (const char* args : {"", "--columns 0 s.png", "--columns 100 s.png", "--layout 444 s.png",
                           "--motion 130 s.png", ". s.png extra", "s.bmp", ". s.png.bmp"}) {
    EXPECT_EQ(Boxtool(std::string("sheet ") + args), 2) << args;
    EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("usage: boxtool sheet")) << args;
  }
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("must end in .png"));
  EXPECT_FALSE(dir_.Exists("s.bmp") || dir_.Exists("s.png.bmp"));
  EXPECT_EQ(Boxtool("sheet UPPER.PNG"), 0);
  EXPECT_EQ(Boxtool("sheet s.png --motion 100"), 1);
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("no pattern to draw"));
  EXPECT_EQ(Boxtool("sheet no/such/s.png"), 1);
  EXPECT_THAT(dir_.Read("err.txt"), HasSubstr("cannot write no/such/s.png"));
  EXPECT_FALSE(dir_.Exists("s.png"));
  std::filesystem::remove(dir_ / "motion.lst");
  EXPECT_EQ(Boxtool("sheet s.png"), 2);
}

}  // namespace
}  // namespace boxedit
