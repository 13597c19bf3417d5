// The tile-sheet loader, the font sheet and text drawing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../support/temp_dir.h"
#include "bmp_writer.h"
#include "chardata/bmp.h"
#include "display/font.h"
#include "display/pixel_layout.h"
#include "display/surface.h"
#include "display/tile_sheet_loader.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::BmpForm;
using testing::Bytes;
using testing::OpenDisplay;
using testing::Picture;
using testing::WriteBmp;
using Pair = std::pair<int, int>;  // two pixels compared at once

constexpr BmpForm k8Bit{"8-bit", 8};

// A palette picture whose index at (x, y) is index(x, y), palette entry i (blue, green, red) from
// `palette` or else grey i.
template <typename IndexOf>
Picture PalettePicture(int32_t width, int32_t height, IndexOf index,
                       const std::vector<Rgb>& palette = {}) {
  Picture p{width, height};
  for (int i = 0; i < 256; ++i) p.palette[i] = i < int(palette.size()) ? palette[i] : Rgb(i, i, i);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) p.indices.push_back(uint8_t(index(x, y)));
  return p;
}

class TileSheet : public ::testing::Test {
 protected:
  void Sheet(bool is565 = true, int w = 16, int h = 16) {
    d = std::make_unique<OpenDisplay>(is565);
    sheet = std::make_unique<Surface>();
    ASSERT_EQ(sheet->Create(d->display, w, h), 1);
    sheet->surface->Fill(0x1234);
  }
  // Loads the bytes as chara.bmp; the reasons land in error and warning.
  bool Load(const Bytes& bytes, int32_t key) {
    dir.Write("chara.bmp", std::string(bytes.begin(), bytes.end()));
    error.clear();
    warning.clear();
    return LoadTileSheet(*sheet, d->display.is565, dir / "chara.bmp", key, &error, &warning);
  }
  uint16_t At(int x, int y) const { return sheet->surface->At(x, y); }

  testing::TempDir dir;
  std::unique_ptr<OpenDisplay> d;
  std::unique_ptr<Surface> sheet;
  std::string error, warning;
};

// Sheet row y shows file row j * 4 + (3 - y) (counted from the bottom) for the largest j <= 1
// inside the picture, whatever way up the rows are stored; columns past the picture's width are
// index 0.
TEST_F(TileSheet, ThePartShownIsCountedUpwardsFromTheBottomWhateverTheRowOrder) {
  const struct {
    int32_t height;
    std::array<int, 4> fileRows;  // top sheet row first; -1 for a blank row
  } cases[] = {
      {8, {7, 6, 5, 4}},  {4, {3, 2, 1, 0}},   {6, {3, 2, 5, 4}},
      {12, {7, 6, 5, 4}}, {2, {-1, -1, 1, 0}},
  };
  for (bool topDown : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.height << " rows" << (topDown ? ", top-down" : ""));
      // Index 10 + file row in columns 0..5 of a picture six wide.
      const Picture p =
          PalettePicture(6, c.height, [&](int, int y) { return 10 + c.height - 1 - y; });
      Sheet(true, 8, 4);
      ASSERT_TRUE(Load(WriteBmp({"", 8, 0, 40, topDown}, p), -1)) << error;
      EXPECT_EQ(sheet->hasColourKey, 0);  // a negative key is opaque
      for (int y = 0; y < 4; ++y) {
        const int shown = c.fileRows[y] < 0 ? 0 : 10 + c.fileRows[y];
        EXPECT_EQ(Pair(At(5, y), At(6, y)),
                  Pair(RgbToPixel(true, shown, shown, shown), 0))  // grey i is palette entry i
            << "sheet row " << y;
      }
    }
  }
}

// Each component kept to the top `bits` bits and widened back by repeating them.
uint8_t Held(uint8_t c, int bits) {
  if (bits >= 8) return c;
  const int v = c >> (8 - bits);
  return uint8_t(v << (8 - bits) | v >> (2 * bits - 8));
}

// Every depth, header size, compression and row order the writer makes: the sheet is the top
// half of a 21x16 picture (21 makes every depth pad its rows), converted into the layout, with
// one colour (index 4 for palettes) as the key.
TEST_F(TileSheet, EveryFormShowsItsOwnPixelsConvertedIntoTheLayout) {
  const BmpForm forms[] = {
      {"1-bit", 1},
      {"4-bit", 4},
      {"4-bit RLE4", 4, 2},
      {"4-bit, top-down, 124-byte header", 4, 0, 124, true},
      {"8-bit RLE8, 108-byte header", 8, 1, 108},
      {"8-bit, 108-byte header, top-down", 8, 0, 108, true},
      {"8-bit, 40 colours, pixels 6 bytes after them", 8, 0, 40, false, {}, 40, 6},
      {"16-bit 5-5-5, pixels 2 bytes after the header", 16, 0, 40, false, {}, 0, 2},
      {"16-bit 5-5-5 by masks", 16, 3, 56, false, {0x7C00, 0x03E0, 0x001F}},
      {"16-bit 5-6-5 by masks after a 40-byte header", 16, 3, 40, false, {0xF800, 0x07E0, 0x1F}},
      {"16-bit 5-6-5, 108-byte header, top-down", 16, 3, 108, true, {0xF800, 0x07E0, 0x1F}},
      {"24-bit, top-down", 24, 0, 40, true},
      {"32-bit BGRX", 32},
      {"32-bit, masks in RGBX order, 52-byte header", 32, 3, 52, false, {0xFF, 0xFF00, 0xFF0000}},
      {"32-bit, 10-bit channels, V5", 32, 3, 124, false, {0x3FF00000, 0x000FFC00, 0x3FF}},
  };
  constexpr int kKeyIndex = 4;
  // Runs of six alike, then five changing: both kinds of RLE run.
  const auto index = [](int x, int y) { return x % 11 < 6 ? 3 * y + 1 : 5 * x + 7 * y; };
  for (const BmpForm& form : forms) {
    SCOPED_TRACE(form.name);
    const bool palette = form.bits <= 8;
    const auto masks = testing::MasksOf(form);
    const bool raw555 = form.bits == 16 && masks[1] == 0x03E0;
    Picture p = PalettePicture(
        21, 16, [&](int x, int y) { return index(x, y) % (1 << std::min<int>(form.bits, 8)); });
    for (int i = 0; i < 256; ++i)
      p.palette[i] = {uint8_t(i * 37 + 11), uint8_t(i * 91 + 3), uint8_t(255 - i * 13)};
    for (uint8_t i : p.indices) {
      const Rgb c = p.palette[i];
      p.colours.push_back({Held(c.red, std::popcount(masks[0])),
                           Held(c.green, std::popcount(masks[1])),
                           Held(c.blue, std::popcount(masks[2]))});
    }
    const Bytes file = WriteBmp(form, p);
    // Palette entries past those the file holds are black.
    for (uint32_t i = form.coloursUsed; i > 0 && i < 256; ++i) p.palette[i] = {};
    for (bool is565 : {true, false}) {
      const auto converted = [&](Rgb c) {
        return raw555 ? Pixel555ToLayout(is565, testing::Pack(c, masks))
                      : RgbToPixel(is565, c.red, c.green, c.blue);
      };
      Sheet(is565, 16, 8);
      const int32_t key = converted(palette ? p.palette[kKeyIndex] : p.colours[kKeyIndex]);
      ASSERT_TRUE(Load(file, key)) << error;
      EXPECT_EQ(warning, "");
      EXPECT_EQ(Pair(sheet->hasColourKey, sheet->colourKey), Pair(1, key));  // blits leave it out
      int wrong = 0;
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
          const Rgb c = palette ? p.palette[p.IndexAt(x, y)] : p.ColourAt(x, y);
          if (At(x, y) != converted(c) && ++wrong <= 3)
            ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << At(x, y) << ", not "
                          << converted(c) << (is565 ? " in 5-6-5" : " in 5-5-5");
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

// Runs past the right edge stop there rather than wrapping, and a jump past the top ends the
// picture; nothing is written outside it (the sanitizer build checks that).
TEST_F(TileSheet, RleRunsThatLeaveThePictureAreCut) {
  Bytes file = WriteBmp({"", 8, 1}, PalettePicture(8, 4, [](int, int) { return 0; }));
  file.resize(ReadLe32(&file[10]));  // only the headers and the palette
  file.insert(file.end(), {
                              10, 5,                // row 0: ten of index 5 in a row eight wide
                              0,  0,                // next row
                              0,  2, 6, 0,          // jump six right
                              0,  3, 7, 8,   9, 0,  // three literal pixels from x = 6
                              0,  0,                // next row
                              0,  2, 0, 200,        // jump 200 rows up
                              4,  6,                // nowhere to go
                          });
  Sheet(true, 8, 4);
  ASSERT_TRUE(Load(file, -1)) << error;
  const auto grey = [](int i) { return RgbToPixel(true, i, i, i); };
  for (int x = 0; x < 8; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(At(x, 3), grey(5));
    EXPECT_EQ(At(x, 2), x < 6 ? 0 : grey(x + 1));
    EXPECT_EQ(Pair(At(x, 1), At(x, 0)), Pair(0, 0));
  }
  EXPECT_EQ(warning, "");
}

// A file cut short keeps the rows it holds; the rest, even part of a row, is index 0, and the
// warning says which rows are missing. The picture's index at (x, y) is 20 + x + y.
TEST_F(TileSheet, AFileCutShortKeepsWhatItHolds) {
  using Pixels = std::array<std::tuple<int, int, int>, 4>;  // x, y, index on the sheet
  const Pixels cutInRow12 = {{{15, 4, 39}, {2, 3, 25}, {3, 3, 0}, {0, 2, 0}}};
  const struct {
    BmpForm form;
    size_t held;  // bytes of pixel data left
    Pixels pixels;
    const char* says;
  } cases[] = {
      // Three pixels into file row 12, which sheet row 3 shows.
      {k8Bit, 12 * 16 + 3, cutInRow12,
       "the file ends inside the pixel data: rows 12 to 15 of 16 (counted from the bottom) are "
       "missing or cut short"},
      // Stored top row first: three pixels into picture row 4, which sheet row 4 shows.
      {{"top-down", 8, 0, 40, true},
       4 * 16 + 3,
       Pixels{{{15, 3, 38}, {2, 4, 26}, {3, 4, 0}, {0, 5, 0}}},
       "rows 0 to 11 of 16"},
      // RLE8: each row a literal run of 16 and the end of the row, 20 bytes.
      {{"RLE8", 8, 1}, 12 * 20 + 2 + 3, cutInRow12, "rows 12 to 15 of 16"},
      {k8Bit, 0, Pixels{{{0, 0, 0}, {15, 7, 0}, {0, 7, 0}, {15, 0, 0}}},
       "the file ends before its pixel data: all 16 rows are missing"},
  };
  const Picture p = PalettePicture(16, 16, [](int x, int y) { return 20 + x + y; });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form.name);
    Bytes file = WriteBmp(c.form, p);
    file.resize(ReadLe32(&file[10]) + c.held);
    Sheet(true, 16, 8);
    ASSERT_TRUE(Load(file, -1)) << error;
    EXPECT_THAT(warning, ::testing::HasSubstr(c.says));
    for (const auto& [x, y, i] : c.pixels)
      EXPECT_EQ(At(x, y), RgbToPixel(true, i, i, i)) << x << ", " << y;
  }
  // Only the last row's padding left out: nothing is missing.
  const Bytes padded = WriteBmp(k8Bit, PalettePicture(15, 16, [](int, int) { return 1; }));
  ASSERT_TRUE(Load(Bytes(padded.begin(), padded.end() - 1), -1));
  EXPECT_EQ(warning, "");
}

// What cannot be read is refused with a reason naming what was found, leaving the sheet as it
// was; what can be read despite a fault loads with a warning.
TEST_F(TileSheet, MalformedFilesAreRefusedOrWarnedAboutWithTheReason) {
  const Bytes good = WriteBmp(k8Bit, PalettePicture(16, 16, [](int x, int) { return x; }));
  const auto with = [&](size_t at, uint32_t value, int bytes = 4) {
    Bytes b = good;
    for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(value >> (8 * i));
    return b;
  };
  const auto form = [](BmpForm f) {
    Picture p = PalettePicture(16, 16, [](int, int) { return 1; });
    p.colours.resize(p.indices.size());
    return WriteBmp(f, p);
  };
  const struct {
    const char* name;
    Bytes file;
    bool loads;
    const char* says;
  } cases[] = {
      {"signature", with(0, 'B' | 'X' << 8, 2), false, "it starts with 0x42 0x58, not \"BM\""},
      {"too short", Bytes(good.begin(), good.begin() + 16), false, "too short for the BMP headers"},
      {"cut in the info header", Bytes(good.begin(), good.begin() + 40), false,
       "ends inside its 40-byte info header"},
      {"core header", with(14, 12), false, "its info header is 12 bytes"},
      {"offset in the headers", with(10, 53), false,
       "start at byte 53, inside its headers, which end at byte 54"},
      {"offset past the end", with(10, 1078 + 256 + 1), false,
       "start at byte 1335, past the end of the 1334-byte file"},
      {"cut in the palette", Bytes(good.begin(), good.begin() + 54 + 400), true,
       "the file ends inside the palette: 100 of 256 colours are there"},
      {"planes", with(26, 2, 2), false, "it has 2 colour planes"},
      {"2 bits", with(28, 2, 2), false, "it has 2 bits per pixel; 1, 4, 8, 16, 24 and 32"},
      {"JPEG", with(30, 4), false, "it is compressed with method 4 (JPEG); uncompressed, RLE8"},
      {"PNG", with(30, 5), false, "method 5 (PNG)"},
      {"RLE4 at 8 bits", with(30, 2), false,
       "method 2 (RLE4), which does not go with 8 bits per pixel"},
      {"RLE8 top-down", form({"", 8, 1, 40, true}), false, "stored top-down"},
      {"bit fields at 24 bits", with(30, 3), false, "method 3 (bit fields), which does not go"},
      {"mask not one run", form({"", 16, 3, 40, false, {0xF00F, 0x07E0, 0x1F}}), false,
       "its red mask 0xF00F is not one run of bits inside a 16-bit pixel"},
      {"mask past the pixel", form({"", 16, 3, 108, false, {0x1F0000, 0x07E0, 0x1F}}), false,
       "its red mask 0x1F0000 is not one run"},
      {"no width", with(18, 0), false, "it is 0 pixels wide; 1 to 16384"},
      {"too wide", with(18, 16385), false, "it is 16385 pixels wide"},
      {"no height", with(22, 0), false, "it is 0 pixels high"},
      {"most negative height", with(22, 0x80000000), false, "it is -2147483648 pixels high"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Sheet();
    EXPECT_EQ(Load(c.file, 5), c.loads);
    EXPECT_THAT(c.loads ? warning : error, ::testing::HasSubstr(c.says));
    if (!c.loads) {
      EXPECT_EQ(Pair(At(0, 0), sheet->hasColourKey), Pair(0x1234, 0));
    }
  }
  EXPECT_FALSE(LoadTileSheet(*sheet, true, dir / "missing.bmp", 5));
  EXPECT_EQ(Pair(At(0, 0), sheet->hasColourKey), Pair(0x1234, 0));
}

constexpr uint16_t kKey = 0x01E0;  // (0, 63, 0) in 5-6-5
constexpr uint16_t kGrey = 0x8410;
constexpr uint16_t kMark = 0x1000;

// A 320x240 font of 8x16 cells made in code: every cell is key colour but its pixel (1, 1),
// which holds kMark + the cell number, so the back buffer tells which cell was drawn where.
class Text : public ::testing::Test {
 protected:
  Text() {
    EXPECT_EQ(font->Create(d.display, 320, 240), 1);
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
  ASSERT_EQ(font->Create(d.display, 320, 240), 1);
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
