#include "view/picture_bank.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../support/temp_dir.h"
#include "view_fixture.h"

namespace boxedit {
namespace {

using testing::TempDir;
using testing::ViewFixture;

// Byte offset of an entry in a pattern file.
size_t EntryOffset(int picture, int row, int column) {
  return 600 * picture + 40 * row + 2 * column;
}

void PutEntry(std::string& file, int picture, int row, int column, uint16_t tile) {
  file[EntryOffset(picture, row, column)] = static_cast<char>(tile & 0xFF);
  file[EntryOffset(picture, row, column) + 1] = static_cast<char>(tile >> 8);
}

class PictureBankTest : public ::testing::Test {
 protected:
  void SetUp() override { view.MakeTileSheet(bank->TileSheet()); }

  // Every entry of one picture set to `tile`.
  void FillPicture(int picture, uint16_t tile) {
    for (auto& row : bank->pictures[picture].tiles) row.fill(tile);
  }

  ViewFixture view;
  std::unique_ptr<PictureBank> bank = std::make_unique<PictureBank>();
  TempDir dir;
};

TEST_F(PictureBankTest, Load_ReadsEveryEntryLittleEndian_WhenFileIsComplete) {
  std::string file(kPictureFileSize, '\0');
  PutEntry(file, 0, 0, 0, 0x0102);
  PutEntry(file, 7, 3, 11, 1799);
  PutEntry(file, 255, 14, 19, 0x1234);  // the last two bytes of the file
  file += "extra bytes past the pictures are ignored";
  dir.Write("pattern.pat", file);
  ASSERT_EQ(static_cast<uint8_t>(file[kPictureFileSize - 2]), 0x34);

  EXPECT_EQ(bank->Load(dir / "pattern.pat"), 1);
  EXPECT_EQ(bank->pictures[0].tiles[0][0], 0x0102);
  EXPECT_EQ(bank->pictures[7].tiles[3][11], 1799);
  EXPECT_EQ(bank->pictures[7].tiles[3][12], 0);
  EXPECT_EQ(bank->pictures[255].tiles[14][19], 0x1234);
}

TEST_F(PictureBankTest, Load_FillsOnlyWhatItReaches_WhenFileIsShort) {
  for (int p = 0; p < kPictureCount; ++p) FillPicture(p, 0xABCD);
  // Picture 0 whole, then the low byte of picture 1's first entry.
  std::string file(601, '\0');
  PutEntry(file, 0, 14, 19, 42);
  file[600] = 0x07;
  dir.Write("pattern.pat", file);

  EXPECT_EQ(bank->Load(dir / "pattern.pat"), 1);
  EXPECT_EQ(bank->pictures[0].tiles[0][0], 0);
  EXPECT_EQ(bank->pictures[0].tiles[14][19], 42);
  EXPECT_EQ(bank->pictures[1].tiles[0][0], 0xAB07);  // low byte read, high byte kept
  EXPECT_EQ(bank->pictures[1].tiles[0][1], 0xABCD);
  EXPECT_EQ(bank->pictures[255].tiles[14][19], 0xABCD);
}

TEST_F(PictureBankTest, Load_Returns0AndKeepsPictures_WhenFileIsMissingOrUnreadable) {
  FillPicture(3, 77);
  EXPECT_EQ(bank->Load(dir / "missing.pat"), 0);
  EXPECT_EQ(bank->Load(dir.path()), 0);  // a directory opens but its read fails
  EXPECT_EQ(bank->pictures[3].tiles[5][5], 77);
  EXPECT_EQ(bank->pictures[0].tiles[5][5], 0);
}

TEST_F(PictureBankTest, Draw_ShowsTile0OverColumns2To19_WhenNothingWasLoaded) {
  EXPECT_EQ(bank->Load(dir / "missing.pat"), 0);
  bank->Draw(0);
  EXPECT_TRUE(view.HoldsTile(32, 1, 0));
  EXPECT_TRUE(view.HoldsTile(304, 225, 0));
  EXPECT_EQ(view.Changed().size(), 18u * 15u * 256u);
  EXPECT_FALSE(view.Drawn(31, 1));
  EXPECT_FALSE(view.Drawn(320, 1));
  EXPECT_FALSE(view.Drawn(32, 0));
  EXPECT_FALSE(view.Drawn(32, 241));
}

TEST_F(PictureBankTest, Draw_PlacesSheetCellsAtTheirMapPositions) {
  FillPicture(9, kNoTile);
  auto& tiles = bank->pictures[9].tiles;
  tiles[0][2] = 39;    // last cell of the sheet's top row, to (32, 1)
  tiles[14][19] = 40;  // first cell of its second row, to (304, 225)
  tiles[5][7] = 1799;  // bottom-right cell, to (112, 81)
  bank->Draw(9);

  EXPECT_TRUE(view.HoldsTile(32, 1, 39));
  EXPECT_TRUE(view.HoldsTile(304, 225, 40));
  EXPECT_TRUE(view.HoldsTile(112, 81, 1799));
  EXPECT_EQ(view.Changed().size(), 3u * 256u);
}

TEST_F(PictureBankTest, Draw_NeverDrawsColumns0And1) {
  FillPicture(4, kNoTile);
  for (auto& row : bank->pictures[4].tiles) {
    row[0] = 0;
    row[1] = 5;
  }
  bank->Draw(4);
  EXPECT_TRUE(view.Changed().empty());
}

TEST_F(PictureBankTest, Draw_DrawsNothing_ForEmptyEntriesAndTilesPastTheSheet) {
  FillPicture(0, kNoTile);
  bank->Draw(0);
  EXPECT_TRUE(view.Changed().empty());

  FillPicture(1, 1800);
  bank->pictures[1].tiles[2][3] = 65534;
  bank->pictures[1].tiles[2][4] = 4000;
  bank->Draw(1);
  EXPECT_TRUE(view.Changed().empty());
}

TEST_F(PictureBankTest, Draw_DrawsNothing_ForPictureNumbersOutside0To255) {
  // Every picture holds tile 0, so any picture drawn would show.
  for (int32_t n : {-1, -256, 256, INT32_MIN, INT32_MAX}) {
    bank->Draw(n);
    EXPECT_TRUE(view.Changed().empty()) << n;
  }
  bank->Draw(255);
  EXPECT_FALSE(view.Changed().empty());
}

TEST_F(PictureBankTest, Draw_DrawsNothing_WhenTheSheetWasNeverCreated) {
  PictureBank empty;
  empty.Draw(0);
  EXPECT_TRUE(view.Changed().empty());
}

TEST_F(PictureBankTest, Release_ReleasesEveryTileSurface) {
  view.MakeSurface(bank->tileSurfaces[9], 16, 16, 16, 16);
  bank->Release();
  for (const Surface& s : bank->tileSurfaces) EXPECT_EQ(s.surface, nullptr);
  bank->Release();  // a second release finds nothing to do
  bank->Draw(0);
  EXPECT_TRUE(view.Changed().empty());
}

}  // namespace
}  // namespace boxedit
