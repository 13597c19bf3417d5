// chara.bmp read as a tile sheet: the rows shown, every BMP form, files cut short or unreadable.
#include "chardata/tile_sheet_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../support/bmp_writer.h"
#include "../support/temp_dir.h"

namespace boxedit {
namespace {

using testing::BmpForm;
using testing::Bytes;
using ::testing::HasSubstr;
using testing::Picture;
using testing::WriteBmp;

constexpr BmpForm k8Bit{"8-bit", 8};

// A palette picture of index(x, y); palette entry i is grey i.
Picture PalettePicture(int32_t w, int32_t h, auto index) {
  Picture p{w, h};
  for (int i = 0; i < 256; ++i) p.palette[i] = Rgb(i, i, i);
  for (int32_t i = 0; i < w * h; ++i) p.indices.push_back(uint8_t(index(i % w, i / w)));
  return p;
}

class TileSheetFile : public ::testing::Test {
 protected:
  bool Read(const Bytes& bytes, int w = 16, int h = 16) {
    dir.Write("chara.bmp", std::string(bytes.begin(), bytes.end()));
    error = warning = "";
    return ReadTileSheet(dir / "chara.bmp", w, h, &pixels, &error, &warning);
  }
  int Index(int x, int y) const { return pixels.indices[pixels.Offset(x, y)]; }

  testing::TempDir dir;
  BmpPixels pixels;
  std::string error, warning;
};

// Sheet row y shows file row 4j + 3 - y (counted from the bottom) for the largest j <= 1 inside
// the picture; columns past the picture are index 0.
TEST_F(TileSheetFile, ThePartShownIsCountedUpwardsFromTheBottom_OddAndShortPictures) {
  EXPECT_EQ(TileSheetRows(2, 4), (std::vector<int32_t>{-1, -1, 1, 0}));
  const Picture p = PalettePicture(6, 7, [](int, int y) { return 16 - y; });  // 10 + file row
  ASSERT_TRUE(Read(WriteBmp({"", 8, 0, 40, true}, p), 8, 4)) << error;
  const int fileRows[] = {3, 6, 5, 4};
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(std::pair(Index(5, y), Index(6, y)), std::pair(10 + fileRows[y], 0));
}

// Each component kept to the top bits of its mask, widened back by repeating them.
Rgb Held(Rgb c, const std::array<uint32_t, 3>& masks) {
  uint8_t v[] = {c.red, c.green, c.blue};
  for (int i = 0, n; i < 3; ++i)
    n = std::min(std::popcount(masks[i]), 8),
    v[i] = uint8_t(v[i] >> (8 - n) << (8 - n) | v[i] >> n);
  return {v[0], v[1], v[2]};
}

// The sheet is the top half of a 21x16 picture (21 pads the rows of every depth).
TEST_F(TileSheetFile, EveryFormGivesItsOwnPixels) {
  const BmpForm forms[] = {
      {"1-bit", 1},
      {"RLE4", 4, 2},
      {"4-bit V5 top-down", 4, 0, 124, true},
      {"RLE8 V4", 8, 1, 108},
      {"8-bit, 40 colours, 6-byte gap", 8, 0, 40, false, {}, 40, 6},
      {"5-5-5, 2-byte gap", 16, 0, 40, false, {}, 0, 2},
      {"5-5-5 masks", 16, 3, 56, false, {0x7C00, 0x03E0, 0x001F}},
      {"5-6-5 masks after 40 bytes", 16, 3, 40, false, {0xF800, 0x07E0, 0x1F}},
      {"24-bit top-down", 24, 0, 40, true},
      {"BGRX", 32},
      {"RGBX masks, 52 bytes", 32, 3, 52, false, {0xFF, 0xFF00, 0xFF0000}},
      {"10-bit channels, V5", 32, 3, 124, false, {0x3FF00000, 0x000FFC00, 0x3FF}}};
  for (const BmpForm& form : forms) {
    SCOPED_TRACE(form.name);
    const auto masks = testing::MasksOf(form);
    Picture p = PalettePicture(21, 16, [&](int x, int y) {  // both kinds of RLE run
      return (x % 11 < 6 ? 3 * y + 1 : 5 * x + 7 * y) % (1 << std::min<int>(form.bits, 8));
    });
    using enum BmpPixelKind;
    BmpPixels want;
    want.kind = form.bits <= 8 ? kIndexed : form.bits == 16 && masks[1] == 0x03E0 ? kRgb555 : kRgb;
    for (uint32_t i = 0; i < 256; ++i) {
      p.palette[i] = {uint8_t(i * 37 + 11), uint8_t(i * 91 + 3), uint8_t(255 - i * 13)};
      if (form.bits <= 8 && i < (form.coloursUsed ? form.coloursUsed : 1u << form.bits))
        want.palette[i] = p.palette[i];  // the rest stays black
    }
    for (uint8_t i : p.indices) p.colours.push_back(Held(p.palette[i], masks));
    for (int i = 0; i < 16 * 8; ++i) {
      const int x = i % 16, y = i / 16;
      if (want.kind == kIndexed) want.indices.push_back(p.IndexAt(x, y));
      if (want.kind == kRgb555)
        want.raw555.push_back(uint16_t(testing::Pack(p.ColourAt(x, y), masks)));
      if (want.kind == kRgb) want.rgb.push_back(p.ColourAt(x, y));
    }
    ASSERT_TRUE(Read(WriteBmp(form, p), 16, 8)) << error;
    EXPECT_EQ(warning, "");
    EXPECT_EQ(std::tie(pixels.kind, pixels.indices, pixels.raw555),
              std::tie(want.kind, want.indices, want.raw555));
    EXPECT_TRUE(pixels.palette == want.palette && pixels.rgb == want.rgb);
  }
}

// Runs past the right edge stop there, and a jump past the top ends the picture.
TEST_F(TileSheetFile, RleRunsThatLeaveThePictureAreCut) {
  Bytes file = WriteBmp({"", 8, 1}, PalettePicture(8, 4, [](int, int) { return 0; }));
  file.resize(ReadLe32(&file[10]));  // headers and palette; then row 0: ten of 5 in 8 pixels;
  // row 1: a jump 6 right, 3 literal pixels; row 2: a jump 200 rows up and a run.
  file.insert(file.end(), {10, 5, 0, 0, 0, 2, 6, 0, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 0, 200, 4, 6});
  ASSERT_TRUE(Read(file, 8, 4)) << error;
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(std::tuple(Index(x, 3), Index(x, 2), Index(x, 1) | Index(x, 0)),
              std::tuple(5, x < 6 ? 0 : x + 1, 0))
        << x;
  EXPECT_EQ(warning, "");
}

TEST_F(TileSheetFile, AFileCutShortKeepsWhatItHolds) {
  using Pixels = std::array<std::tuple<int, int, int>, 4>;  // x, y, index on the sheet
  const Pixels in12 = {{{15, 4, 39}, {2, 3, 25}, {3, 3, 0}, {0, 2, 0}}},
               in3 = {{{15, 3, 38}, {2, 4, 26}, {3, 4, 0}, {0, 5, 0}}},
               none = {{{0, 0, 0}, {15, 7, 0}, {0, 7, 0}, {15, 0, 0}}};
  const std::tuple<BmpForm, size_t, Pixels, const char*> cases[] = {
      // form, pixel bytes left, pixels (index 20 + x + y), warning; cut 3 pixels into a row.
      {k8Bit, 12 * 16 + 3, in12, "ends inside the pixel data: rows 12 to 15 of 16"},
      {{"top-down", 8, 0, 40, true}, 4 * 16 + 3, in3, "rows 0 to 11 of 16"},
      {{"RLE8", 8, 1}, 12 * 20 + 2 + 3, in12, "rows 12 to 15 of 16"},
      {k8Bit, 0, none, "ends before its pixel data: all 16 rows"}};
  const Picture p = PalettePicture(16, 16, [](int x, int y) { return 20 + x + y; });
  for (const auto& [form, held, pixels, says] : cases) {
    SCOPED_TRACE(form.name);
    Bytes file = WriteBmp(form, p);
    file.resize(ReadLe32(&file[10]) + held);
    ASSERT_TRUE(Read(file, 16, 8)) << error;
    EXPECT_THAT(warning, HasSubstr(says));
    for (const auto& [x, y, i] : pixels) EXPECT_EQ(Index(x, y), i) << x << ", " << y;
  }
  // Only the last row's padding missing: no warning.
  const Bytes padded = WriteBmp(k8Bit, PalettePicture(15, 16, [](int, int) { return 1; }));
  ASSERT_TRUE(Read(Bytes(padded.begin(), padded.end() - 1)));
  EXPECT_EQ(warning, "");
}

TEST_F(TileSheetFile, MalformedFilesAreRefusedOrWarnedAboutWithTheReason) {
  const Bytes good = WriteBmp(k8Bit, PalettePicture(16, 16, [](int x, int) { return x; }));
  const auto with = [&](size_t at, uint32_t value, int bytes = 4, const Bytes* in = nullptr) {
    Bytes b = in ? *in : good;
    for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(value >> (8 * i));
    return b;
  };
  const Bytes rle = with(30, 1), bits16 = with(28, 16, 2), masked = with(30, 3, 4, &bits16);
  const auto cut = [&](size_t size) { return Bytes(good.begin(), good.begin() + size); };
  const std::tuple<Bytes, bool, const char*> cases[] = {
      {with(0, 'B' | 'X' << 8, 2), false, "it starts with 0x42 0x58, not \"BM\""},
      {cut(16), false, "too short for the BMP headers"},
      {cut(40), false, "ends inside its 40-byte info header"},
      {with(14, 12), false, "its info header is 12 bytes"},
      {with(10, 53), false, "start at byte 53, inside its headers, which end at byte 54"},
      {with(10, 1078 + 256 + 1), false, "start at byte 1335, past the end of the 1334-byte file"},
      {cut(54 + 400), true, "the file ends inside the palette: 100 of 256 colours are there"},
      {with(26, 2, 2), false, "it has 2 colour planes"},
      {with(28, 2, 2), false, "it has 2 bits per pixel; 1, 4, 8, 16, 24 and 32"},
      {with(30, 4), false, "it is compressed with method 4 (JPEG); uncompressed, RLE8"},
      {with(22, uint32_t(-16), 4, &rle), false, "stored top-down"},
      {with(30, 3), false, "method 3 (bit fields), which does not go"},
      {with(54, 0xF00F, 4, &masked), false, "its red mask 0xF00F is not one run of bits inside a"},
      {with(18, 0), false, "it is 0 pixels wide; 1 to 16384"},
      {with(18, 16385), false, "it is 16385 pixels wide"},
      {with(22, 0), false, "it is 0 pixels high"},
      {with(22, 0x80000000), false, "it is -2147483648 pixels high"},
  };
  for (const auto& [file, reads, says] : cases) {
    EXPECT_EQ(Read(file), reads) << says;
    EXPECT_THAT(reads ? warning : error, HasSubstr(says));
  }
}

TEST(EncodeBmp24, RefusesAnImageWithoutPixels) {
  EXPECT_EQ(EncodeBmp24(RgbImage{1, 1, {{}}}).size(), 14u + 40 + 4);
  EXPECT_TRUE(EncodeBmp24(RgbImage{0, 1, {}}).empty());
  EXPECT_TRUE(EncodeBmp24(RgbImage{1, 0, {}}).empty());
}

}  // namespace
}  // namespace boxedit
