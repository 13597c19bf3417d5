// Cutting pictures into tiles, and the pattern.pat and chara.bmp layouts the tiles are put in.
#include "sample/picture_tiles.h"

#include <gtest/gtest.h>

#include <set>

namespace boxedit {
namespace {

constexpr uint8_t kBack = 0;

IndexedImage BlankPicture() {
  return IndexedImage(320, 240, kBack);
}

// Marks tile (row, column) of a picture with a pattern that names `id`.
void MarkTile(IndexedImage& picture, int row, int column, int id) {
  picture.set(16 * column + 3, 16 * row + 5, static_cast<uint8_t>(1 + id % 250));
  picture.set(16 * column + 15, 16 * row + 15, static_cast<uint8_t>(1 + id / 250));
}

TEST(TileSet, BlankTilesBecomeEmptyEntries_AndOthersAreNumberedInReadingOrder) {
  TileSet tiles(kBack);
  IndexedImage picture = BlankPicture();
  MarkTile(picture, 14, 19, 1);  // the bottom-right tile comes last in reading order
  MarkTile(picture, 0, 2, 2);
  MarkTile(picture, 3, 5, 3);
  const std::optional<TileMap> map = tiles.Add(picture);
  ASSERT_TRUE(map);
  EXPECT_EQ(tiles.count(), 3);
  EXPECT_EQ((*map)[0 * 20 + 2], 0);
  EXPECT_EQ((*map)[3 * 20 + 5], 1);
  EXPECT_EQ((*map)[14 * 20 + 19], 2);
  int empty = 0;
  for (uint16_t entry : *map) empty += entry == kEmptyMapEntry;
  EXPECT_EQ(empty, 300 - 3);
}

TEST(TileSet, IdenticalTilesAreStoredOnce_WithinAndAcrossPictures) {
  TileSet tiles(kBack);
  IndexedImage first = BlankPicture();
  MarkTile(first, 1, 1, 7);
  MarkTile(first, 2, 2, 7);
  const std::optional<TileMap> a = tiles.Add(first);
  IndexedImage second = BlankPicture();
  MarkTile(second, 9, 9, 7);
  MarkTile(second, 9, 10, 8);
  const std::optional<TileMap> b = tiles.Add(second);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(tiles.count(), 2);
  EXPECT_EQ((*a)[1 * 20 + 1], 0);
  EXPECT_EQ((*a)[2 * 20 + 2], 0);
  EXPECT_EQ((*b)[9 * 20 + 9], 0);
  EXPECT_EQ((*b)[9 * 20 + 10], 1);
}

TEST(TileSet, RefusesAPictureThatWouldOverfillTheSheet_AndKeepsWhatItHad) {
  TileSet tiles(kBack);
  for (int p = 0; p < 6; ++p) {  // 6 pictures of 300 new tiles fill the 1800 cells exactly
    IndexedImage picture = BlankPicture();
    for (int i = 0; i < 300; ++i) MarkTile(picture, i / 20, i % 20, 300 * p + i);
    ASSERT_TRUE(tiles.Add(picture)) << p;
  }
  EXPECT_EQ(tiles.count(), 1800);

  IndexedImage oneNew = BlankPicture();
  MarkTile(oneNew, 0, 0, 0);  // known
  MarkTile(oneNew, 0, 1, 5000);
  EXPECT_FALSE(tiles.Add(oneNew));
  EXPECT_EQ(tiles.count(), 1800);

  IndexedImage onlyKnown = BlankPicture();
  MarkTile(onlyKnown, 4, 4, 1799);
  const std::optional<TileMap> map = tiles.Add(onlyKnown);
  ASSERT_TRUE(map);
  EXPECT_EQ((*map)[4 * 20 + 4], 1799);
}

TEST(TileSet, Sheet_PutsTileTAt16TimesItsColumnAndRow) {
  TileSet tiles(kBack);
  IndexedImage picture = BlankPicture();
  for (int i = 0; i < 42; ++i) MarkTile(picture, i / 20, i % 20, i);
  ASSERT_TRUE(tiles.Add(picture));
  const IndexedImage sheet = tiles.Sheet();
  ASSERT_EQ(sheet.width(), 640);
  ASSERT_EQ(sheet.height(), 720);
  EXPECT_EQ(sheet.at(3, 5), 1);                    // tile 0
  EXPECT_EQ(sheet.at(16 * 39 + 3, 5), 40);         // tile 39, last of the first row
  EXPECT_EQ(sheet.at(3, 16 + 5), 41);              // tile 40, first of the second row
  EXPECT_EQ(sheet.at(16 + 3, 16 + 5), 42);         // tile 41
  EXPECT_EQ(sheet.at(16 * 2 + 3, 16 + 5), kBack);  // no tile 42
  EXPECT_EQ(sheet.at(639, 719), kBack);
}

TEST(PatternFile, HoldsEveryPictureLittleEndian_AndEmptyPicturesAfterTheGivenOnes) {
  std::vector<TileMap> maps(2);
  maps[0].fill(kEmptyMapEntry);
  maps[1].fill(kEmptyMapEntry);
  maps[0][0] = 0x0102;
  maps[1][14 * 20 + 19] = 1799;
  const std::vector<uint8_t> file = EncodePatternFile(maps);
  ASSERT_EQ(file.size(), 153600u);
  EXPECT_EQ(file[0], 0x02);
  EXPECT_EQ(file[1], 0x01);
  EXPECT_EQ(file[2], 0xFF);
  EXPECT_EQ(file[600 + 40 * 14 + 2 * 19], 1799 & 0xFF);
  EXPECT_EQ(file[600 + 40 * 14 + 2 * 19 + 1], 1799 >> 8);
  for (size_t i = 1200; i < file.size(); ++i) ASSERT_EQ(file[i], 0xFF) << i;
}

TEST(TileSheetFile, PutsTheSheetInTheSecondBlock_RowsBottomUp) {
  TileSet tiles(kBack);
  IndexedImage picture = BlankPicture();
  MarkTile(picture, 0, 0, 0);   // tile 0: pixel (3, 5) = 1, (15, 15) = 1
  MarkTile(picture, 0, 1, 10);  // tile 1: pixel (16 + 3, 5) = 11
  ASSERT_TRUE(tiles.Add(picture));
  Palette palette{};
  palette[1] = {1, 2, 3};
  const std::vector<uint8_t> file = tiles.EncodeFile(palette);
  ASSERT_EQ(file.size(), 14u + 40u + 1024u + 640u * 1440u);
  EXPECT_EQ(file[18] | file[19] << 8, 640);
  EXPECT_EQ(file[22] | file[23] << 8, 1440);
  EXPECT_EQ(file[54 + 4 + 2], 1);  // palette entry 1, red

  const size_t block0 = 1078, block1 = 1078 + 640 * 720;
  // Sheet row y is row 719 - y of the second block in file order.
  auto sheetPixel = [&](int x, int y) { return file[block1 + (719 - y) * 640 + x]; };
  EXPECT_EQ(sheetPixel(3, 5), 1);
  EXPECT_EQ(sheetPixel(15, 15), 1);
  EXPECT_EQ(sheetPixel(16 + 3, 5), 11);
  EXPECT_EQ(sheetPixel(4, 5), kBack);
  std::set<uint8_t> firstBlock(file.begin() + block0, file.begin() + block1);
  EXPECT_EQ(firstBlock, std::set<uint8_t>{kBack});
}

}  // namespace
}  // namespace boxedit
