// The font sheet the program carries as "NUMBITMAP", the text art it is made from, and the
// bitmap kept beside the art.
#include "resources/font_sheet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "chardata/bmp.h"
#include "resources/bitmap_resource.h"

namespace boxedit {
namespace {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(std::string(BOXEDIT_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The resource as the program finds it: info header, palette, rows bottom-up.
class FontResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(dib.size(), 77864u); }
  // Palette index of sheet pixel (x, y), y counted from the top.
  uint8_t Pixel(int x, int y) const {
    return dib[kBitmapInfoHeaderSize + kPaletteBytes +
               (kFontSheetHeight - 1 - y) * kFontSheetWidth + x];
  }
  // The palette indices that occur in cell n.
  std::set<uint8_t> IndicesIn(int cell) const {
    std::set<uint8_t> out;
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) out.insert(Pixel(CellX(cell) + x, CellY(cell) + y));
    }
    return out;
  }

  std::span<const uint8_t> dib = FindBitmapResource("NUMBITMAP");
};

TEST_F(FontResourceTest, Header_Describes320x240At8BitsWithItsPalette) {
  EXPECT_TRUE(FindBitmapResource("NUMBITMA").empty());
  // biSize, biWidth, biHeight (positive: bottom row first), planes and bit count, BI_RGB,
  // image bytes, colours used.
  const uint32_t fields[][2] = {{0, 40}, {4, 320},    {8, 240}, {12, 1 | 8 << 16},
                                {16, 0}, {20, 76800}, {32, 256}};
  for (const auto& [at, value] : fields) EXPECT_EQ(U32(dib, at), value) << "offset " << at;
  // Entries as blue, green, red, 0: background, glyph, shading, black.
  const uint32_t colours[][2] = {{127, 0x003F00}, {0, 0xFFFF00}, {1, 0xDCB22B}, {35, 0x000000}};
  for (const auto& [index, rgb] : colours) EXPECT_EQ(U32(dib, 40 + 4 * index), rgb) << index;
}

TEST_F(FontResourceTest, CellsOfTheCharacterTable_HoldTwoToneGlyphs_TheRestBackgroundOnly) {
  std::set<int> drawn = {1, 2, 7, 8, 9, 10, 11, 12, 13, 14, 15, 32};  // marks, the triangle
  for (int c = 16; c <= 25; ++c) drawn.insert(c);                     // digits
  for (int c = 33; c <= 58; ++c) drawn.insert(c);                     // A to Z
  for (int c = 96; c <= 105; ++c) drawn.insert(c);                    // the second digit set
  const std::set<uint8_t> background{127}, twoTone{0, 1, 127};
  for (int cell = 0; cell < kFontCells; ++cell) {
    const std::set<uint8_t> used = IndicesIn(cell);
    if (!drawn.count(cell)) {
      EXPECT_EQ(used, background) << "cell " << cell;
    } else if ((cell >= 16 && cell <= 25) || (cell >= 33 && cell <= 58)) {
      EXPECT_EQ(used, twoTone) << "cell " << cell;
    } else {
      EXPECT_NE(used, background) << "cell " << cell;
    }
  }
  for (int y = 0; y < kGlyphHeight; ++y) {  // the second digit set repeats the digits
    for (int x = 0; x < 10 * kGlyphWidth; ++x) {
      ASSERT_EQ(Pixel(CellX(96) + x, CellY(96) + y), Pixel(CellX(16) + x, CellY(16) + y));
    }
  }
}

// The resource is made from font.txt at build time, and numbitmap.bmp beside the art is the
// same bitmap as a file, so looking at it shows what the program draws.
TEST(FontSheetFile, ArtAndCheckedInBitmap_GiveTheResourceBytes) {
  const std::span<const uint8_t> resource = FindBitmapResource("NUMBITMAP");
  std::string error;
  const std::optional<IndexedImage> sheet =
      ParseFontText(ReadSourceFile("resources/font.txt"), &error);
  ASSERT_TRUE(sheet) << error;
  const std::vector<uint8_t> dib = EncodeIndexedDib(*sheet, FontPalette());
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), resource.begin(), resource.end()));

  const std::string file = ReadSourceFile("resources/numbitmap.bmp");
  const std::vector<uint8_t> bmp = EncodeIndexedBmp(*sheet, FontPalette());
  EXPECT_TRUE(file == std::string(bmp.begin(), bmp.end()))
      << "resources/numbitmap.bmp differs from font.txt; refresh it with update_numbitmap";
  ASSERT_EQ(bmp.size(), 14 + dib.size());
  EXPECT_EQ(std::string(bmp.begin(), bmp.begin() + 2), "BM");
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), 1078u);
}

}  // namespace
}  // namespace boxedit
