// The tile-sheet loader, the font sheet and text drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../support/temp_dir.h"
#include "chardata/bmp.h"
#include "chardata/tile_sheet_file.h"
#include "display/font.h"
#include "display/surface.h"
#include "display/tile_sheet_loader.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::OpenDisplay;
using Bytes = std::vector<uint8_t>;
using Pair = std::pair<int, int>;  // two pixels compared at once

// A tile-sheet file: the headers with the size given (bfOffBits pointing nowhere), at 8 bits a
// palette whose entry i is `palette[i]` (blue, green, red) or else grey i, then the pixel bytes.
std::string SheetFile(uint16_t bitCount, const Bytes& pixels, std::vector<Bytes> palette = {},
                      int32_t biWidth = 16, int32_t biHeight = 16) {
  Bytes out;
  AppendFileHeader(out, BitmapFileHeader{0x4D42, 0, 0, 0, 5000});
  AppendInfoHeader(out, BitmapInfoHeader{40, biWidth, biHeight, 1, bitCount});
  for (int i = 0; bitCount == 8 && i < 256; ++i) {
    palette.resize(std::max<size_t>(palette.size(), i + 1), {uint8_t(i), uint8_t(i), uint8_t(i)});
    out.insert(out.end(), {palette[i][0], palette[i][1], palette[i][2], 0});
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return std::string(out.begin(), out.end());
}

class TileSheet : public ::testing::Test {
 protected:
  void Sheet(bool is565 = true, int w = 16, int h = 16) {
    d = std::make_unique<OpenDisplay>(is565);
    sheet = std::make_unique<Surface>();
    ASSERT_EQ(sheet->Create(d->display, w, h, 2), 1);
    sheet->surface->Fill(0x1234);
  }
  int Load(const std::string& bytes, int32_t key, int32_t index = 0, int32_t scale = 256) {
    dir.Write("chara.bmp", bytes);
    return LoadTileSheet(*sheet, d->display.is565, dir / "chara.bmp", key, scale, scale, scale,
                         index);
  }
  uint16_t At(int x, int y) const { return sheet->surface->At(x, y); }

  testing::TempDir dir;
  std::unique_ptr<OpenDisplay> d;
  std::unique_ptr<Surface> sheet;
};

TEST_F(TileSheet, ImageIndex1FillsTheSheetBottomUpFromTheSecondBlock_WhateverTheHeaderSize) {
  Bytes blocks(256, 200);  // the first block of a 32x8 sheet, then the second: 0, 1, ... 255
  for (int y = 7; y >= 0; --y)
    for (int x = 0; x < 32; ++x) blocks.push_back(static_cast<uint8_t>(x + 32 * y));
  for (auto [w, h] : {std::pair{32, 8}, {640, 1440}}) {
    Sheet(true, 32, 8);
    ASSERT_EQ(Load(SheetFile(8, blocks, {}, w, h), -1, 1), 1);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(At(i % 32, i / 32), RgbToPixel(true, i, i, i)) << i;
  }
  TileSheetBlock block;  // the headers as read, with the sheet's own size
  ASSERT_TRUE(ReadTileSheetBlock(dir / "chara.bmp", 32, 8, 1, &block));
  EXPECT_EQ(block.infoHeader.biWidth, 32);
  EXPECT_EQ(block.fileHeader.bfOffBits, 5000u);
}

TEST_F(TileSheet, SixteenBitWhiteBecomesDeviceWhite_AndTheKeyColourIsNotScaled) {
  Bytes block;  // column 0 white, the rest pure red
  for (int i = 0; i < 256; ++i)
    block.insert(block.end(), {uint8_t(i % 16 ? 0x00 : 0xFF), uint8_t(i % 16 ? 0x7C : 0x7F)});
  for (bool is565 : {true, false}) {
    Sheet(is565);
    ASSERT_EQ(Load(SheetFile(16, block), -1), 1);
    EXPECT_EQ(At(0, 0), is565 ? 0xFFDF : 0x7FFF);
    EXPECT_EQ(sheet->hasColourKey, 0);
  }
  ASSERT_EQ(Load(SheetFile(16, block), 0x7C00, 0, 128), 1);  // half scale, red the key
  EXPECT_EQ(At(0, 0), 0x3DEF);
  EXPECT_EQ(At(1, 0), 0x7C00);
  EXPECT_EQ(sheet->hasColourKey, 1);
}

TEST_F(TileSheet, EightBitKeyShowsTheBackBufferThrough_ANegativeKeyIsOpaque) {
  Bytes block;  // columns 0..7 index 1, (0, 63, 0); columns 8..15 index 0, red
  for (int i = 0; i < 256; ++i) block.push_back(i % 16 < 8 ? 1 : 0);
  const std::vector<Bytes> palette = {{0, 0, 255}, {0, 63, 0}};
  for (const auto& [is565, key, shown] :  // (0, 63, 0) is 0x01E0 in 5-6-5 and 0x00E0 in 5-5-5
       {std::tuple(true, 0x01E0, 0x8410), {false, 0x00E0, 0x4210}, {false, -1, 0x00E0}}) {
    Sheet(is565);
    ASSERT_EQ(Load(SheetFile(8, block, palette), key), 1);
    EXPECT_EQ(sheet->hasColourKey, key >= 0);
    ClearBackBuffer(d->display, 128, 128, 128);
    sheet->BlitCell(d->display, 0, 0, 0);
    EXPECT_EQ(Pair(d->Back().At(7, 15), d->Back().At(8, 0)), Pair(shown, is565 ? 0xF800 : 0x7C00));
  }
  // At 8 bits the key is a palette index, and its pixels keep their colour under scaling.
  ASSERT_EQ(Load(SheetFile(8, block, palette), 1, 0, 128), 1);
  EXPECT_EQ(Pair(At(0, 0), At(8, 0)), Pair(0x00E0, 0x3C00));
}

TEST_F(TileSheet, ShortFileLoads_MissingBytesZeroOrFromThePreviousBlock) {
  Sheet();
  // Half of the only block: the top half of the sheet (stored last) reads index 0.
  ASSERT_EQ(Load(SheetFile(8, Bytes(128, 50)), -1), 1);
  EXPECT_EQ(Pair(At(15, 7), At(0, 8)), Pair(0, RgbToPixel(true, 50, 50, 50)));
  // A second block cut short keeps the first block's bytes past the point where it stops.
  Bytes blocks(256, 60);
  blocks.insert(blocks.end(), 128, 70);
  ASSERT_EQ(Load(SheetFile(8, blocks), -1, 1), 1);
  EXPECT_EQ(Pair(At(0, 0), At(0, 15)),
            Pair(RgbToPixel(true, 60, 60, 60), RgbToPixel(true, 70, 70, 70)));
  ASSERT_EQ(Load(SheetFile(16, {0xFF}), -1), 1);  // at 16 bits the rest reads as black
  EXPECT_EQ(Pair(At(0, 15), At(1, 15)), Pair(0x01DF, 0));
}

TEST_F(TileSheet, OtherDepthsShortHeadersAndMissingFilesAreRefused_LeavingTheSheet) {
  Sheet();
  for (uint16_t depth : {1, 4, 24, 32})
    EXPECT_EQ(Load(SheetFile(depth, Bytes(2048, 0xFF)), 5), 0) << depth;
  EXPECT_EQ(Load(SheetFile(8, {}).substr(0, 53), 5), 0);
  EXPECT_EQ(LoadTileSheet(*sheet, true, dir / "missing.bmp", 5, 256, 256, 256, 0), 0);
  EXPECT_EQ(At(0, 0), 0x1234);
  EXPECT_EQ(sheet->hasColourKey, 0);
}

constexpr uint16_t kKey = 0x01E0;  // (0, 63, 0) in 5-6-5
constexpr uint16_t kGrey = 0x8410;
constexpr uint16_t kMark = 0x1000;

// A 320x240 font of 8x16 cells made in code: every cell is key colour but its pixel (1, 1),
// which holds kMark + the cell number, so the back buffer tells which cell was drawn where.
class Text : public ::testing::Test {
 protected:
  Text() {
    EXPECT_EQ(font->Create(d.display, 320, 240, 1), 1);
    font->SetCells(8, 16);
    font->surface->Fill(kKey);
    for (int n = 0; n < 600; ++n)
      font->surface->Row(font->cells[n].top + 1)[font->cells[n].left + 1] = kMark + n;
    font->hasColourKey = 1;
    font->colourKey = kKey;
    ClearBackBuffer(d.display, 128, 128, 128);
  }
  // The cells drawn on row 0 at x, x + 8, ... (-1 where none was); key pixels stay undrawn.
  std::vector<int> Row(int x, int n) {
    std::vector<int> cells;
    for (int i = 0; i < n; ++i, x += 8) {
      EXPECT_EQ(d.Back().At(x, 0), kGrey) << "key colour drawn at " << x;
      cells.push_back(d.Back().At(x + 1, 1) == kGrey ? -1 : d.Back().At(x + 1, 1) - kMark);
    }
    return cells;
  }

  OpenDisplay d{true};
  std::unique_ptr<Surface> font = std::make_unique<Surface>();
};

TEST_F(Text, NumbersDigitsAndStringsDrawTheirCells) {
  const struct {
    char call;  // DrawNumber, DrawDigits or DrawString
    int x, digits, value;
    const char* text;
    std::vector<int> cells;
  } cases[] = {
      {'N', 392, 4, 7, "", {-1, -1, -1, -1, 23, -1}},
      {'N', 0, 4, 0, "", {-1, -1, -1, -1, 16}},
      {'N', 0, 4, 1000, "", {-1, 17, 16, 16, 16}},
      {'N', 0, 4, 12345, "", {-1, 18, 19, 20, 21}},
      {'N', 0, 4, 10005, "", {-1, -1, -1, -1, 21}},
      {'N', 0, 3, -5, "", {13, -1, -1, 21}},
      {'N', 0, 10, INT32_MIN, "", {13, 18, 17, 20, 23, 20, 24, 19, 22, 20, 24}},
      {'D', 32, 2, 7, "", {96, 103, -1}},
      {'D', 0, 3, -123, "", {95, 94, 93}},
      {'D', 600, INT32_MAX, 5, "", {96, 96, 96, 96, 96}},  // a huge field: its visible zeros
      {'S', 328, 0, 0, "PATTERN", {48, 33, 52, 52, 37, 50, 46, -1}},
      {'S', 0, 0, 0, " NON", {-1, 46, 47, 46}},
      {'S', 0, 0, 0, "", {-1}},
      {'S', 0, 0, 0, "\x01\x1F\x7F\x80\xFF", {-1, -1, 95, -1, -1}},  // outside the table: none
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.call << " " << c.value << " " << c.text);
    ClearBackBuffer(d.display, 128, 128, 128);
    const Font text(*font, d.display);
    if (c.call == 'N') text.DrawNumber(c.x, 0, c.digits, c.value);
    if (c.call == 'D') text.DrawDigits(c.x, 0, c.digits, c.value);
    if (c.call == 'S') text.DrawString(c.x, 0, c.text);
    EXPECT_EQ(Row(c.x, static_cast<int>(c.cells.size())), c.cells);
  }
}

// The sheet carried in the program: glyph rows in (255, 255, 0) above their shading in
// (220, 178, 43), on a background of (0, 63, 0) that becomes the key.
TEST(LoadBitmapResource, ConvertsTheFontSheetTopDownAndKeysOnItsBackground) {
  OpenDisplay d(true);
  auto font = std::make_unique<Surface>();
  ASSERT_EQ(font->Create(d.display, 320, 240, 1), 1);
  EXPECT_EQ(LoadBitmapResource(*font, "NO SUCH BITMAP", 320, 240), 0);
  ASSERT_EQ(LoadBitmapResource(*font, "NUMBITMAP", 320, 240), 1);
  EXPECT_EQ(font->colourKey, 0x01E0);
  int lastInk = -1, firstShade = 16;  // in the cell of "A", 33: x 8..15, y 16..31
  for (int y = 0; y < 16; ++y) {
    for (int x = 8; x < 16; ++x) {
      if (font->surface->At(x, 16 + y) == 0xFFE0) lastInk = y;
      if (font->surface->At(x, 16 + y) == RgbToPixel(true, 220, 178, 43))
        firstShade = std::min(firstShade, y);
    }
  }
  EXPECT_GE(lastInk, 0);
  EXPECT_LT(lastInk, firstShade);
  EXPECT_LT(firstShade, 16);
}

}  // namespace
}  // namespace boxedit
