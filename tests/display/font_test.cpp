#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/bitmap_headers.h"
#include "display/bitmap_resource.h"
#include "display/surface.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::OpenDisplay;

constexpr uint16_t kBackground = 0x01E0;  // (0, 63, 0) in 5-6-5
constexpr uint16_t kGrey = 0x8410;
constexpr uint16_t kMark = 0x1000;  // cell n carries the pixel kMark + n

// A display with a 320x240 font surface of 8x16 cells made in code: every cell is background
// except two pixels, (1, 1) and (6, 14), that hold kMark + the cell number. That way a look at
// the back buffer tells exactly which cell was drawn where.
class Text : public ::testing::Test {
 protected:
  Text() : font(std::make_unique<Surface>()) {
    EXPECT_EQ(font->Create(d.display, 320, 240, 1), 1);
    font->SetCells(8, 16);
    font->surface->Fill(kBackground);
    for (int n = 0; n < 600; ++n) {
      const Rect r = font->cells[n];
      font->surface->Row(r.top + 1)[r.left + 1] = static_cast<uint16_t>(kMark + n);
      font->surface->Row(r.top + 14)[r.left + 6] = static_cast<uint16_t>(kMark + n);
    }
    font->hasColourKey = 1;
    font->colourKey = kBackground;
    ClearBackBuffer(d.display, 128, 128, 128);
  }

  // The cell drawn with its top-left pixel at (x, y), or -1 when the back buffer shows nothing
  // there. The background pixels of a drawn cell must have been left out.
  int CellAt(int x, int y) {
    const uint16_t p = d.Back().At(x + 1, y + 1);
    if (p == kGrey) return -1;
    EXPECT_EQ(d.Back().At(x + 6, y + 14), p);
    EXPECT_EQ(d.Back().At(x, y), kGrey) << "background drawn at " << x;
    EXPECT_EQ(d.Back().At(x + 7, y + 15), kGrey) << "background drawn at " << x;
    return p - kMark;
  }
  // The cells at x, x + 8, ... for n cells.
  std::vector<int> Row(int x, int y, int n) {
    std::vector<int> cells;
    for (int i = 0; i < n; ++i) cells.push_back(CellAt(x + 8 * i, y));
    return cells;
  }
  // The number of back-buffer pixels that are not grey.
  int Changed() {
    int n = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) n += d.Back().At(x, y) != kGrey;
    }
    return n;
  }

  OpenDisplay d{true};
  std::unique_ptr<Surface> font;
};

TEST_F(Text, DrawNumberRightAlignsAndLeavesLeadingZerosOut) {
  font->DrawNumber(392, 0, 4, 7);
  EXPECT_EQ(Row(392, 0, 6), (std::vector<int>{-1, -1, -1, -1, 16 + 7, -1}));
  EXPECT_EQ(Changed(), 2);

  font->DrawNumber(0, 32, 4, 0);
  EXPECT_EQ(Row(0, 32, 5), (std::vector<int>{-1, -1, -1, -1, 16}));
  font->DrawNumber(0, 64, 4, 1000);
  EXPECT_EQ(Row(0, 64, 5), (std::vector<int>{-1, 17, 16, 16, 16}));
  font->DrawNumber(0, 96, 4, 12345);  // only the lowest four digits
  EXPECT_EQ(Row(0, 96, 5), (std::vector<int>{-1, 18, 19, 20, 21}));
  font->DrawNumber(0, 128, 4, 10005);
  EXPECT_EQ(Row(0, 128, 5), (std::vector<int>{-1, -1, -1, -1, 21}));
}

TEST_F(Text, DrawNumberPutsTheMinusSignInTheFirstCell) {
  font->DrawNumber(100, 0, 3, -5);
  EXPECT_EQ(Row(100, 0, 4), (std::vector<int>{13, -1, -1, 21}));
  font->DrawNumber(100, 32, 1, -40);
  EXPECT_EQ(Row(100, 32, 2), (std::vector<int>{13, 16}));
}

TEST_F(Text, DrawNumberOfTheMostNegativeValueShowsItsLastDigits) {
  font->DrawNumber(0, 0, 10, INT32_MIN);
  EXPECT_EQ(Row(0, 0, 11),
            (std::vector<int>{13, 18, 17, 20, 23, 20, 24, 19, 22, 20, 24}));  // -2147483648
  font->DrawNumber(0, 32, 4, INT32_MIN);
  EXPECT_EQ(Row(0, 32, 5), (std::vector<int>{13, 19, 22, 20, 24}));  // -3648
  font->DrawNumber(0, 64, 10, INT32_MAX);
  EXPECT_EQ(Row(0, 64, 11), (std::vector<int>{-1, 18, 17, 20, 23, 20, 24, 19, 22, 20, 23}));
}

TEST_F(Text, DrawDigitsDrawsEveryDigitFromTheSecondSet) {
  font->DrawDigits(32, 368, 2, 7);
  EXPECT_EQ(Row(32, 368, 3), (std::vector<int>{96, 103, -1}));
  font->DrawDigits(0, 0, 4, 12345);
  EXPECT_EQ(Row(0, 0, 4), (std::vector<int>{98, 99, 100, 101}));
}

TEST_F(Text, DrawDigitsOfNegativeValuesStaysInsideTheTable) {
  font->DrawDigits(0, 0, 3, -123);
  EXPECT_EQ(Row(0, 0, 3), (std::vector<int>{95, 94, 93}));
  font->DrawDigits(0, 32, 10, INT32_MIN);
  EXPECT_EQ(Row(0, 32, 10), (std::vector<int>{94, 95, 92, 89, 92, 88, 93, 90, 92, 88}));
}

TEST_F(Text, DrawStringDrawsOneCellPerByte_SpacesLeftUndrawn) {
  font->DrawString(328, 0, "PATTERN");
  EXPECT_EQ(Row(328, 0, 8), (std::vector<int>{48, 33, 52, 52, 37, 50, 46, -1}));
  font->DrawString(0, 32, " NON");
  EXPECT_EQ(Row(0, 32, 4), (std::vector<int>{-1, 46, 47, 46}));
  font->DrawString(0, 64, "A B");
  EXPECT_EQ(Row(0, 64, 3), (std::vector<int>{33, -1, 34}));
}

TEST_F(Text, EmptyTextAndBytesOutsideTheTableDrawNothing) {
  font->DrawString(0, 0, "");
  font->DrawString(0, 0, nullptr);
  EXPECT_EQ(Changed(), 0);
  font->DrawString(0, 0, "\x01\x1F\x7F\x80\xFF");
  EXPECT_EQ(Row(0, 0, 5), (std::vector<int>{-1, -1, 95, -1, -1}));
  EXPECT_EQ(Changed(), 2);
}

TEST_F(Text, FieldsNearTheEndsOfTheRangeDrawOnlyWhatShows) {
  font->DrawString(INT32_MAX - 10, 0, "AAAA");
  font->DrawNumber(INT32_MAX, 0, 10, 5);
  font->DrawDigits(INT32_MIN, 0, 10, 5);
  EXPECT_EQ(Changed(), 0);
  // Fields far wider than any number: the leading positions are zeros.
  font->DrawDigits(600, 0, INT32_MAX, 5);
  EXPECT_EQ(Row(600, 0, 5), (std::vector<int>{96, 96, 96, 96, 96}));
  font->DrawNumber(-1000, 32, 200, 42);  // the last digit lands at -1000 + 8 + 199 * 8 = 600
  EXPECT_EQ(Row(584, 32, 3), (std::vector<int>{-1, 20, 18}));
  font->DrawNumber(0, 64, 0, -3);  // no digit positions: only the sign
  EXPECT_EQ(Row(0, 64, 2), (std::vector<int>{13, -1}));
}

TEST_F(Text, NothingIsDrawn_WhenTheFontSurfaceWasRefused) {
  font->Release();
  d.display.refuseVideoMemory = true;
  EXPECT_EQ(font->Create(d.display, 320, 240, 1), 0);
  font->DrawString(0, 0, "PATTERN");
  font->DrawNumber(0, 20, 4, 1234);
  font->DrawDigits(0, 40, 2, 7);
  EXPECT_EQ(Changed(), 0);
}

// An 8-bit device-independent bitmap: info header, `colours` palette entries, rows bottom-up
// padded to 4 bytes. rows[0] is the top row.
std::vector<uint8_t> Dib(const std::vector<std::vector<uint8_t>>& rows, uint32_t colours = 256,
                         uint16_t bitCount = 8) {
  BitmapInfoHeader ih;
  ih.biSize = 40;
  ih.biWidth = static_cast<int32_t>(rows[0].size());
  ih.biHeight = static_cast<int32_t>(rows.size());
  ih.biPlanes = 1;
  ih.biBitCount = bitCount;
  ih.biClrUsed = colours == 256 ? 0 : colours;
  std::vector<uint8_t> out;
  AppendInfoHeader(out, ih);
  for (uint32_t i = 0; i < colours; ++i) {
    // blue, green, red, reserved
    if (i == 0) {
      out.insert(out.end(), {0, 255, 255, 0});  // (255, 255, 0)
    } else if (i == 1) {
      out.insert(out.end(), {43, 178, 220, 0});  // (220, 178, 43)
    } else if (i == 127) {
      out.insert(out.end(), {0, 63, 0, 0});  // the background (0, 63, 0)
    } else {
      out.insert(out.end(), {0, 0, 0, 0});
    }
  }
  for (size_t r = rows.size(); r-- > 0;) {
    std::vector<uint8_t> row = rows[r];
    row.resize((row.size() + 3) & ~size_t{3}, 0);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

const std::vector<std::vector<uint8_t>> kSheet = {
    {127, 0, 1, 127, 127, 127},
    {127, 127, 127, 0, 127, 127},
    {1, 127, 127, 127, 127, 0},
};

TEST(LoadBitmapBytes, ConvertsToTheSurfaceLayoutAndKeysOnTheTopLeftPixel) {
  for (bool is565 : {true, false}) {
    OpenDisplay d(is565);
    Surface s;
    ASSERT_EQ(s.Create(d.display, 8, 4, 1), 1);
    ASSERT_EQ(s.LoadBitmapBytes(Dib(kSheet), 6, 3), 1);
    const uint16_t background = is565 ? 0x01E0 : 0x00E0;
    const uint16_t yellow = is565 ? 0xFFE0 : 0x7FE0;
    const uint16_t shade = static_cast<uint16_t>(RgbToPixel(is565, 220, 178, 43));
    EXPECT_EQ(s.hasColourKey, 1);
    EXPECT_EQ(s.colourKey, background);
    EXPECT_EQ(s.surface->At(0, 0), background);
    EXPECT_EQ(s.surface->At(1, 0), yellow);
    EXPECT_EQ(s.surface->At(2, 0), shade);
    EXPECT_EQ(s.surface->At(3, 1), yellow);  // the rows come out top-down
    EXPECT_EQ(s.surface->At(0, 2), shade);
    EXPECT_EQ(s.surface->At(5, 2), yellow);
    EXPECT_EQ(s.surface->At(6, 0), 0);  // beyond the copied area
    EXPECT_EQ(s.surface->At(0, 3), 0);
  }
}

TEST(LoadBitmapBytes, CopiesOnlyTheAreaAskedFor) {
  OpenDisplay d(true);
  Surface s;
  ASSERT_EQ(s.Create(d.display, 8, 4, 1), 1);
  ASSERT_EQ(s.LoadBitmapBytes(Dib(kSheet), 2, 1), 1);
  EXPECT_EQ(s.surface->At(1, 0), 0xFFE0);
  EXPECT_EQ(s.surface->At(2, 0), 0);
  EXPECT_EQ(s.surface->At(0, 2), 0);

  Surface small;  // a surface smaller than the bitmap takes what fits
  ASSERT_EQ(small.Create(d.display, 2, 2, 1), 1);
  ASSERT_EQ(small.LoadBitmapBytes(Dib(kSheet), 320, 240), 1);
  EXPECT_EQ(small.surface->At(1, 0), 0xFFE0);
}

TEST(LoadBitmapBytes, ShortPaletteLeavesLaterIndicesBlack) {
  OpenDisplay d(true);
  Surface s;
  ASSERT_EQ(s.Create(d.display, 4, 1, 1), 1);
  ASSERT_EQ(s.LoadBitmapBytes(Dib({{0, 1, 5, 255}}, 2), 4, 1), 1);
  EXPECT_EQ(s.surface->At(0, 0), 0xFFE0);
  EXPECT_EQ(s.surface->At(2, 0), 0);
  EXPECT_EQ(s.surface->At(3, 0), 0);
}

TEST(LoadBitmapBytes, RefusesMalformedBitmaps_LeavingTheSurface) {
  OpenDisplay d(true);
  Surface s;
  ASSERT_EQ(s.Create(d.display, 8, 4, 1), 1);
  s.surface->Fill(0x1234);
  const std::vector<uint8_t> good = Dib(kSheet);
  auto with = [&](size_t offset, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> dib = good;
    std::copy(bytes.begin(), bytes.end(), dib.begin() + offset);
    return dib;
  };
  const std::vector<std::vector<uint8_t>> bad = {
      {},
      std::vector<uint8_t>(good.begin(), good.begin() + 39),
      std::vector<uint8_t>(good.begin(), good.end() - 1),  // one pixel byte short
      with(0, {12, 0, 0, 0}),                              // an older, smaller header
      with(4, {0, 0, 0, 0}),                               // width 0
      with(4, {0, 0, 0, 0x80}),                            // negative width
      with(8, {0xFD, 0xFF, 0xFF, 0xFF}),                   // top-down rows
      with(8, {0, 0, 1, 0}),                               // height 65536
      with(12, {2, 0}),                                    // two planes
      with(14, {4, 0}),                                    // 4 bits per pixel
      with(16, {1, 0, 0, 0}),                              // compressed
      with(32, {1, 1, 0, 0}),                              // 257 colours
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    EXPECT_EQ(s.LoadBitmapBytes(bad[i], 8, 4), 0) << "case " << i;
  }
  EXPECT_EQ(s.surface->At(0, 0), 0x1234);
  EXPECT_EQ(s.hasColourKey, 0);
}

TEST(LoadBitmapResource, ReturnsZero_ForAnUnknownNameOrNoSurface) {
  OpenDisplay d(true);
  Surface s;
  EXPECT_EQ(s.LoadBitmapResource("NUMBITMAP", 320, 240), 0);  // not created
  ASSERT_EQ(s.Create(d.display, 320, 240, 1), 1);
  EXPECT_EQ(s.LoadBitmapResource("NO SUCH BITMAP", 320, 240), 0);
  EXPECT_EQ(s.hasColourKey, 0);
}

TEST(LoadBitmapResource, LoadsTheFontSheet_WhenTheProgramCarriesIt) {
  if (FindBitmapResource("NUMBITMAP").empty()) GTEST_SKIP() << "no font sheet built in yet";
  OpenDisplay d(true);
  auto font = std::make_unique<Surface>();
  ASSERT_EQ(font->Create(d.display, 320, 240, 1), 1);
  ASSERT_EQ(font->LoadBitmapResource("NUMBITMAP", 320, 240), 1);
  font->SetCells(8, 16);
  EXPECT_EQ(font->hasColourKey, 1);
  EXPECT_EQ(font->colourKey, 0x01E0);
  // The space is background only; "A" (cell 33) has glyph pixels.
  auto inkIn = [&](int cell) {
    int ink = 0;
    const Rect r = font->cells[cell];
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) ink += font->surface->At(x, y) != 0x01E0;
    }
    return ink;
  };
  EXPECT_EQ(inkIn(0), 0);
  EXPECT_GT(inkIn(33), 0);
  EXPECT_GT(inkIn(16), 0);
}

}  // namespace
}  // namespace boxedit
