// The font sheet the program carries as "NUMBITMAP", the text art it is made from, and the
// bitmap kept beside the art.
#include "resources/font_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../support/host_path.h"
#include "chardata/bmp.h"
#include "resources/bitmap_resource.h"

namespace boxedit {
namespace {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(testing::HostPath(std::string(BOXEDIT_SOURCE_DIR) + "/" + relative),
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The resource is made from font.txt at build time, and numbitmap.bmp beside the art is the
// same bitmap as a file, so looking at it shows what the program draws.
TEST(FontSheetFile, ArtAndCheckedInBitmap_GiveTheResourceBytes) {
  const std::span<const uint8_t> resource = FindBitmapResource("NUMBITMAP");
  EXPECT_TRUE(FindBitmapResource("NUMBITMA").empty());
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
}

// Each mistake in the art stops the reader with its line and what is wrong; comment and blank
// lines count in the numbering.
TEST(FontSheetText, Mistakes_GiveNoSheetButTheLineAndWhatIsWrong) {
  const std::string rows = [] {
    std::string out;
    for (int i = 0; i < kGlyphHeight; ++i) out += "........\n";
    return out;
  }();
  const std::string bang = "glyph 1 !\n" + rows;  // lines 1 to 17
  const std::string zero = "glyph 16 0\n" + rows;
  auto rowsWith = [&](int row, const std::string& bad) {  // row 0 is the line after the header
    return rows.substr(0, 9 * row) + bad + "\n" + rows.substr(9 * (row + 1));
  };
  const struct {
    std::string text;
    int line;
    const char* what;
  } cases[] = {
      {"// art\n\n  \nglyf 1 !\n" + rows, 4, "or \"copy FIRST-LAST"},
      {"glyph 1\n" + rows, 1, "expected \"glyph CELL LABEL\""},
      {"glyph 1 ?\n" + rows, 1, "shows '!', not \"?\""},
      {"glyph 600 x\n" + rows, 1, "cell 600 is outside"},
      {bang + "\n" + bang, 19, "cell 1 is given twice"},
      {"glyph 1 !\n" + rows.substr(9), 1, "16 rows"},
      {"glyph 1 !\n" + rowsWith(15, "........."), 17, "exactly 8"},
      {"glyph 1 !\n" + rowsWith(6, "..#x+..."), 8, "unknown pixel 'x'"},
      {zero + "copy 96-105 of 16\n", 18, "expected \"copy FIRST-LAST from CELL\""},
      {zero + "copy 96-105 from 591\n", 18, "copied from lie outside"},
      {zero + "copy 96-97 from 16\n", 18, "cell 17 is copied before it is drawn"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseFontText(c.text, &error)) << c.what;
    EXPECT_THAT(error, ::testing::StartsWith(std::to_string(c.line) + ": ")) << c.what;
    EXPECT_THAT(error, ::testing::HasSubstr(c.what));
  }
  // The same art without the mistakes is read, with Windows line ends too.
  std::string crlf;
  for (const char c : zero + "copy 96-96 from 16\n")
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string error;
  EXPECT_TRUE(ParseFontText(bang + "\n" + crlf, &error)) << error;
}

}  // namespace
}  // namespace boxedit
