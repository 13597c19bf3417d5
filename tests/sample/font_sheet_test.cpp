// The font sheet the program carries as "NUMBITMAP", the text art it is made from, and the
// bitmap kept beside the art.
#include "resources/font_sheet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "display/bitmap_resource.h"
#include "resources/indexed_bitmap.h"

namespace boxedit {
namespace {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(std::string(BOXEDIT_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// The resource as the program finds it: info header, palette, rows bottom-up.
class FontResourceTest : public ::testing::Test {
 protected:
  std::span<const uint8_t> dib = FindBitmapResource("NUMBITMAP");

  // Palette index of sheet pixel (x, y), y counted from the top.
  uint8_t Pixel(int x, int y) const {
    return dib[kBmpInfoHeaderBytes + kPaletteBytes + (kFontSheetHeight - 1 - y) * kFontSheetWidth +
               x];
  }
  PaletteColour Colour(int index) const {
    const size_t at = kBmpInfoHeaderBytes + 4 * index;
    return {dib[at + 2], dib[at + 1], dib[at]};
  }
  // The palette indices that occur in cell n.
  std::set<uint8_t> IndicesIn(int cell) const {
    std::set<uint8_t> out;
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) out.insert(Pixel(CellX(cell) + x, CellY(cell) + y));
    }
    return out;
  }
  bool IsEmpty(int cell) const { return IndicesIn(cell) == std::set<uint8_t>{127}; }
  // Glyph pixels (not background) in column x of cell n.
  int InkInColumn(int cell, int x) const {
    int count = 0;
    for (int y = 0; y < kGlyphHeight; ++y) count += Pixel(CellX(cell) + x, CellY(cell) + y) != 127;
    return count;
  }
};

TEST_F(FontResourceTest, IsFoundOnlyUnderItsName) {
  EXPECT_EQ(dib.size(), 77864u);
  EXPECT_TRUE(FindBitmapResource("").empty());
  EXPECT_TRUE(FindBitmapResource("NUMBITMAP2").empty());
  EXPECT_TRUE(FindBitmapResource("NUMBITMA").empty());
}

TEST_F(FontResourceTest, Header_Describes320x240At8BitsWith256Colours) {
  ASSERT_EQ(dib.size(), 77864u);
  EXPECT_EQ(U32(dib, 0), 40u);   // biSize
  EXPECT_EQ(U32(dib, 4), 320u);  // biWidth
  EXPECT_EQ(U32(dib, 8), 240u);  // biHeight, positive: bottom row first
  EXPECT_EQ(U16(dib, 12), 1);    // biPlanes
  EXPECT_EQ(U16(dib, 14), 8);    // biBitCount
  EXPECT_EQ(U32(dib, 16), 0u);   // BI_RGB
  EXPECT_EQ(U32(dib, 20), 76800u);
  EXPECT_EQ(U32(dib, 32), 256u);  // colours used
}

TEST_F(FontResourceTest, Palette_HoldsBackgroundGlyphShadingAndBlack) {
  ASSERT_EQ(dib.size(), 77864u);
  EXPECT_EQ(Colour(127), (PaletteColour{0, 63, 0}));
  EXPECT_EQ(Colour(0), (PaletteColour{255, 255, 0}));
  EXPECT_EQ(Colour(1), (PaletteColour{220, 178, 43}));
  EXPECT_EQ(Colour(35), (PaletteColour{0, 0, 0}));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(dib[kBmpInfoHeaderBytes + 4 * i + 3], 0) << i;
}

TEST_F(FontResourceTest, Pixels_UseOnlyGlyphShadingAndBackground_WithBackgroundAtTopLeft) {
  ASSERT_EQ(dib.size(), 77864u);
  EXPECT_EQ(Pixel(0, 0), 127);
  std::set<uint8_t> used;
  for (int y = 0; y < kFontSheetHeight; ++y) {
    for (int x = 0; x < kFontSheetWidth; ++x) used.insert(Pixel(x, y));
  }
  EXPECT_EQ(used, (std::set<uint8_t>{0, 1, 127}));
}

TEST_F(FontResourceTest, CellsThatTextDraws_HoldGlyphs) {
  ASSERT_EQ(dib.size(), 77864u);
  std::vector<int> drawn = {8, 9, 12, 13, 14, 15, 32};  // ( ) , - . / and the marker
  for (int c = 16; c <= 25; ++c) drawn.push_back(c);    // digits
  for (int c = 33; c <= 58; ++c) drawn.push_back(c);    // A to Z
  for (int c = 96; c <= 105; ++c) drawn.push_back(c);   // digits of DrawDigits
  for (int cell : drawn) EXPECT_FALSE(IsEmpty(cell)) << "cell " << cell << " is empty";
  // Letters and digits are two-tone: glyph colour above, shading below.
  for (int cell = 16; cell <= 58; ++cell) {
    if (cell >= 26 && cell <= 32) continue;
    EXPECT_EQ(IndicesIn(cell), (std::set<uint8_t>{0, 1, 127})) << "cell " << cell;
  }
}

TEST_F(FontResourceTest, CellsWithoutCharacters_AreBackgroundOnly) {
  ASSERT_EQ(dib.size(), 77864u);
  EXPECT_TRUE(IsEmpty(0));  // space
  for (int cell = 26; cell <= 31; ++cell) EXPECT_TRUE(IsEmpty(cell)) << cell;
  for (int cell = 59; cell <= 95; ++cell) EXPECT_TRUE(IsEmpty(cell)) << cell;
  for (int cell = 106; cell < kFontCells; ++cell) EXPECT_TRUE(IsEmpty(cell)) << cell;
}

TEST_F(FontResourceTest, SecondDigitSet_RepeatsTheDigits) {
  ASSERT_EQ(dib.size(), 77864u);
  for (int d = 0; d < 10; ++d) {
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) {
        ASSERT_EQ(Pixel(CellX(96 + d) + x, CellY(96 + d) + y),
                  Pixel(CellX(16 + d) + x, CellY(16 + d) + y))
            << "digit " << d;
      }
    }
  }
}

TEST_F(FontResourceTest, Glyphs_LeaveTheirLastColumnFree_SoNeighboursNeverTouch) {
  ASSERT_EQ(dib.size(), 77864u);
  for (int cell = 0; cell < kFontCells; ++cell) EXPECT_EQ(InkInColumn(cell, 7), 0) << cell;
}

// Cell n at (8 * (n % 40), 16 * (n / 40)): shapes that tell the glyphs apart land where their
// cell numbers say, across the row break between "G" (39) and "H" (40).
TEST_F(FontResourceTest, Cells_SitAtTheirGridPositions) {
  ASSERT_EQ(dib.size(), 77864u);
  // The marker points right: each column holds no more ink than the one before, and the first
  // holds the most.
  for (int x = 1; x < kGlyphWidth; ++x) EXPECT_LE(InkInColumn(32, x), InkInColumn(32, x - 1));
  EXPECT_GT(InkInColumn(32, 0), InkInColumn(32, 3));
  // "-" has ink in its middle rows only, "." near the bottom only.
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (Pixel(CellX(13) + x, CellY(13) + y) != 127) {
        EXPECT_TRUE(y >= 5 && y <= 10) << y;
      }
      if (Pixel(CellX(14) + x, CellY(14) + y) != 127) {
        EXPECT_GE(y, 11);
      }
    }
  }
  // "H" (cell 40, first of row 1) and "I" (41) have two full-height side strokes and one
  // middle stroke respectively, on the second row of cells.
  EXPECT_GE(InkInColumn(40, 0), 12);
  EXPECT_GE(InkInColumn(40, 5), 12);
  EXPECT_LT(InkInColumn(40, 3), 3);
  EXPECT_GE(InkInColumn(41, 2), 12);
  EXPECT_LT(InkInColumn(41, 0), 3);
}

// The checked-in bitmap beside the art is the file form of the very bytes the build made from
// font.txt, so looking at it shows what the program draws.
TEST(FontSheetFile, CheckedInBitmap_MatchesTheResourceMadeFromTheArt) {
  const std::string file = ReadSourceFile("resources/numbitmap.bmp");
  const std::span<const uint8_t> dib = FindBitmapResource("NUMBITMAP");
  ASSERT_EQ(file.size(), kBmpFileHeaderBytes + dib.size())
      << "refresh it with the target update_numbitmap";
  const auto bytes = std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  EXPECT_EQ(U16(bytes, 0), 0x4D42);  // "BM"
  EXPECT_EQ(U32(bytes, 2), file.size());
  EXPECT_EQ(U32(bytes, 10), 1078u);
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), bytes.begin() + kBmpFileHeaderBytes))
      << "resources/numbitmap.bmp differs from font.txt; refresh it with update_numbitmap";
}

TEST(FontSheetFile, ArtInTheSourceTree_GivesTheResourceBytes) {
  std::string error;
  const std::optional<IndexedImage> sheet =
      ParseFontText(ReadSourceFile("resources/font.txt"), &error);
  ASSERT_TRUE(sheet) << error;
  const std::vector<uint8_t> dib = EncodeIndexedDib(*sheet, FontPalette());
  const std::span<const uint8_t> resource = FindBitmapResource("NUMBITMAP");
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), resource.begin(), resource.end()));
}

// --- The text-art reader.

std::string Glyph(int cell, const std::string& label, const std::string& firstRow = "#+......") {
  std::string out = "glyph " + std::to_string(cell) + " " + label + "\n" + firstRow + "\n";
  for (int i = 1; i < 16; ++i) out += "........\n";
  return out;
}

std::string ParseError(const std::string& text) {
  std::string error;
  EXPECT_FALSE(ParseFontText(text, &error)) << text;
  return error;
}

TEST(FontText, PlacesPixelsInTheirCell_AndLeavesTheRestBackground) {
  const std::string text = "// a comment\n\n" + Glyph(41, "I", ".#+#...#") + "\r\n";
  std::string error;
  const std::optional<IndexedImage> sheet = ParseFontText(text, &error);
  ASSERT_TRUE(sheet) << error;
  ASSERT_EQ(sheet->width(), 320);
  ASSERT_EQ(sheet->height(), 240);
  // Cell 41 is column 1 of row 1: x 8..15, y 16..31.
  EXPECT_EQ(sheet->at(8, 16), kFontBackgroundIndex);
  EXPECT_EQ(sheet->at(9, 16), kFontGlyphIndex);
  EXPECT_EQ(sheet->at(10, 16), kFontShadingIndex);
  EXPECT_EQ(sheet->at(15, 16), kFontGlyphIndex);
  EXPECT_EQ(sheet->at(9, 17), kFontBackgroundIndex);
  int ink = 0;
  for (uint8_t p : sheet->pixels()) ink += p != kFontBackgroundIndex;
  EXPECT_EQ(ink, 4);
}

TEST(FontText, CopyRepeatsCellsInOrder) {
  const std::string text =
      Glyph(16, "0", "#.......") + Glyph(17, "1", ".#......") + "copy 96-97 from 16\n";
  std::string error;
  const std::optional<IndexedImage> sheet = ParseFontText(text, &error);
  ASSERT_TRUE(sheet) << error;
  EXPECT_EQ(sheet->at(CellX(96), CellY(96)), kFontGlyphIndex);
  EXPECT_EQ(sheet->at(CellX(97) + 1, CellY(97)), kFontGlyphIndex);
  EXPECT_EQ(sheet->at(CellX(97), CellY(97)), kFontBackgroundIndex);
  EXPECT_EQ(sheet->at(CellX(98) + 1, CellY(98)), kFontBackgroundIndex);
}

TEST(FontText, RefusesMistakes_NamingTheLine) {
  EXPECT_EQ(ParseError(Glyph(33, "A", "#+x.....")), "2: unknown pixel 'x' (use '.', '#' or '+')");
  EXPECT_EQ(ParseError("\n" + Glyph(33, "A", "#######")),
            "3: a glyph row has exactly 8 characters of '.', '#' and '+'");
  EXPECT_EQ(ParseError("glyph 33 A\n........\n"), "1: a glyph needs 16 rows after its header");
  EXPECT_EQ(ParseError(Glyph(33, "B")), "1: cell 33 shows 'A', not \"B\"");
  EXPECT_EQ(ParseError(Glyph(0, "x")), "1: cell 0 is the space and must be labelled \"space\"");
  EXPECT_EQ(ParseError(Glyph(600, "z")), "1: cell 600 is outside 0..599");
  EXPECT_EQ(ParseError(Glyph(-1, "z")), "1: cell -1 is outside 0..599");
  EXPECT_EQ(ParseError(Glyph(33, "A") + Glyph(33, "A")), "18: cell 33 is given twice");
  EXPECT_EQ(ParseError("glyph A 33\n"), "1: expected \"glyph CELL LABEL\"");
  EXPECT_EQ(ParseError("draw 33\n"),
            "1: expected \"glyph CELL LABEL\" or \"copy FIRST-LAST from CELL\"");
  EXPECT_EQ(ParseError("copy 96-105 from 16\n"), "1: cell 16 is copied before it is drawn");
  EXPECT_EQ(ParseError(Glyph(16, "0") + "copy 96-95 from 16\n"),
            "18: expected \"copy FIRST-LAST from CELL\"");
  EXPECT_EQ(ParseError(Glyph(16, "0") + "copy 595-599 from 596\n"),
            "18: the cells copied from lie outside 0..599");
  EXPECT_EQ(ParseError(Glyph(16, "0") + "copy 16-16 from 16\n"), "18: cell 16 is given twice");
}

// --- The bitmap encoder, which the sample character's tile sheet uses too.

TEST(IndexedBitmap, Dib_StoresRowsBottomUpPaddedToFourBytes) {
  IndexedImage image(3, 2, 9);
  image.set(0, 0, 1);  // top-left
  image.set(2, 1, 7);  // bottom-right
  Palette palette{};
  palette[1] = {10, 20, 30};
  const std::vector<uint8_t> dib = EncodeIndexedDib(image, palette);
  ASSERT_EQ(dib.size(), 40u + 1024u + 2 * 4);
  EXPECT_EQ(U32(dib, 4), 3u);
  EXPECT_EQ(U32(dib, 8), 2u);
  EXPECT_EQ(U32(dib, 20), 8u);  // image bytes with padding
  EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 44, dib.begin() + 48),
            (std::vector<uint8_t>{30, 20, 10, 0}));  // entry 1 as blue, green, red, 0
  const std::vector<uint8_t> rows(dib.begin() + 1064, dib.end());
  EXPECT_EQ(rows, (std::vector<uint8_t>{9, 9, 7, 0, 1, 9, 9, 0}));
}

TEST(IndexedBitmap, BmpFile_PutsTheFileHeaderBeforeTheDib) {
  const IndexedImage image(4, 1, 3);
  const std::vector<uint8_t> dib = EncodeIndexedDib(image, Palette{});
  const std::vector<uint8_t> bmp = EncodeIndexedBmp(image, Palette{});
  ASSERT_EQ(bmp.size(), 14 + dib.size());
  EXPECT_EQ(U16(bmp, 0), 0x4D42);
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 6), 0u);
  EXPECT_EQ(U32(bmp, 10), 1078u);
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), bmp.begin() + 14));
}

}  // namespace
}  // namespace boxedit
