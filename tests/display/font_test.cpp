#include "display/font.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "display_fixture.h"

namespace boxedit {
namespace {

constexpr uint16_t kKey = 0x01E0, kGrey = 0x8410, kMark = 0x1000;

// A font of 8x16 cells, all key colour but pixel (1, 1) = kMark + the cell number.
class Text : public ::testing::Test {
 protected:
  Text() {
    EXPECT_TRUE(font->Create(d.display, 320, 240));
    font->SetCells(8, 16);
    font->surface->Fill(kKey);
    for (int n = 0; n < 600; ++n)
      font->surface->Row(font->cells[n].top + 1)[font->cells[n].left + 1] = kMark + n;
    font->hasColourKey = 1;
    font->colourKey = kKey;
  }
  std::vector<int> Row(int x, size_t n) {
    std::vector<int> cells;
    for (; cells.size() < n; x += 8)
      cells.push_back(d.Back().At(x + 1, 1) == kGrey ? -1 : d.Back().At(x + 1, 1) - kMark);
    return cells;
  }

  testing::OpenDisplay d{true};
  std::unique_ptr<Surface> font = std::make_unique<Surface>();
};

TEST_F(Text, NumbersDigitsAndStringsDrawTheirCells) {
  // DrawNumber, DrawDigits or DrawString at x: the cells drawn on row 0 at x, x + 8, ...
  const std::tuple<char, int, int, int, const char*, std::vector<int>> cases[] = {
      {'N', 0, 4, 0, "", {-1, -1, -1, -1, 16}},
      {'N', 0, 4, 10105, "", {-1, -1, 17, 16, 21}},  // only the lowest 4 digits show
      {'N', 0, 3, -5, "", {13, -1, -1, 21}},
      {'N', 0, 10, INT32_MIN, "", {13, 18, 17, 20, 23, 20, 24, 19, 22, 20, 24}},
      {'D', 0, 3, -123, "", {95, 94, 93}},
      {'D', 600, INT32_MAX, 5, "", {96, 96, 96, 96, 96}},  // a huge field: its visible zeros
      {'S', 0, 0, 0, "\x01\x1F\x7F\x80\xFF", {-1, -1, 95, -1, -1}}};  // outside the table: none
  for (const auto& [call, x, digits, value, string, cells] : cases) {
    ClearBackBuffer(d.display, 128, 128, 128);
    const Font text(*font, d.display);
    if (call == 'N') text.DrawNumber(x, 0, digits, value);
    if (call == 'D') text.DrawDigits(x, 0, digits, value);
    if (call == 'S') text.DrawString(x, 0, string);
    EXPECT_EQ(Row(x, cells.size()), cells) << call << " " << value << " " << string;
  }
}

// A field starting a (sheet-wide) cell's width left of the screen shows its second cell's end.
TEST_F(Text, ACellStartingLeftOfTheScreenShowsItsRightPart) {
  font->SetCells(320, 1);
  for (int n = 0; n < 240; ++n) font->surface->Row(n)[319] = kMark + n;
  Font(*font, d.display).DrawDigits(-320, 0, 2, 47);
  EXPECT_EQ(d.Back().At(7, 0), kMark + 96 + 7);
}

TEST_F(Text, LoadBitmapResourceLoadsTheFontSheet_KeyedOnItsBackground) {
  font->hasColourKey = font->colourKey = 0;
  EXPECT_FALSE(LoadBitmapResource(*font, "NO SUCH BITMAP", 320, 240));
  ASSERT_TRUE(LoadBitmapResource(*font, "NUMBITMAP", 320, 240));
  EXPECT_EQ(std::pair(font->hasColourKey, int(font->colourKey)), std::pair(1, int(kKey)));
}

}  // namespace
}  // namespace boxedit
