#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "display/bitmap_headers.h"
#include "display/pixel_layout.h"
#include "display/surface.h"
#include "display_fixture.h"

namespace boxedit {
namespace {

using testing::OpenDisplay;
using testing::TempDir;

struct Bgr {
  uint8_t b, g, r;
};

// A tile-sheet file: the two headers, a palette at 8 bits, then the pixel bytes as given.
std::string TileSheetFile(uint16_t bitCount, int32_t biWidth, int32_t biHeight,
                          const std::vector<Bgr>& palette, const std::vector<uint8_t>& pixels,
                          uint32_t offBits = 0) {
  std::vector<uint8_t> out;
  BitmapFileHeader fh;
  fh.bfType = 0x4D42;
  fh.bfOffBits = offBits;
  BitmapInfoHeader ih;
  ih.biSize = 40;
  ih.biWidth = biWidth;
  ih.biHeight = biHeight;
  ih.biPlanes = 1;
  ih.biBitCount = bitCount;
  AppendFileHeader(out, fh);
  AppendInfoHeader(out, ih);
  if (bitCount == 8) {
    for (int i = 0; i < 256; ++i) {
      const Bgr c = i < static_cast<int>(palette.size()) ? palette[i] : Bgr{0, 0, 0};
      out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return std::string(out.begin(), out.end());
}

// One 8-bit block of a w x h surface whose surface pixel (x, y) gets index(x, y); the rows are
// stored bottom-up.
std::vector<uint8_t> Block8(int w, int h, const std::function<uint8_t(int, int)>& index) {
  std::vector<uint8_t> block(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) block[static_cast<size_t>(h - 1 - y) * w + x] = index(x, y);
  }
  return block;
}

std::vector<uint8_t> Block16(int w, int h, const std::function<uint16_t(int, int)>& value) {
  std::vector<uint8_t> block(static_cast<size_t>(w) * h * 2);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t at = (static_cast<size_t>(h - 1 - y) * w + x) * 2;
      block[at] = static_cast<uint8_t>(value(x, y));
      block[at + 1] = static_cast<uint8_t>(value(x, y) >> 8);
    }
  }
  return block;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A palette whose entry i is (red i, green 255 - i, blue i / 2).
std::vector<Bgr> Ramp() {
  std::vector<Bgr> p;
  for (int i = 0; i < 256; ++i) {
    p.push_back(
        {static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i)});
  }
  return p;
}

uint16_t RampPixel(bool is565, int i) {
  return static_cast<uint16_t>(RgbToPixel(is565, i, 255 - i, i / 2));
}

class TileSheet : public ::testing::Test {
 protected:
  // A created surface of the given size on a display of the given layout.
  Surface& Sheet(int w, int h, bool is565 = true) {
    d = std::make_unique<OpenDisplay>(is565);
    sheet = std::make_unique<Surface>();
    EXPECT_EQ(sheet->Create(d->display, w, h, 2), 1);
    sheet->SetCells(16, 16);
    return *sheet;
  }
  int Load(const std::string& bytes, int32_t key, int32_t index = 0,
           std::array<int32_t, 3> scale = {256, 256, 256}) {
    dir.Write("chara.bmp", bytes);
    return sheet->LoadTileSheet(dir / "chara.bmp", key, scale[0], scale[1], scale[2], index);
  }
  uint16_t At(int x, int y) const { return sheet->surface->At(x, y); }

  TempDir dir;
  std::unique_ptr<OpenDisplay> d;
  std::unique_ptr<Surface> sheet;
};

// The tile number of surface pixel (x, y) on a 640-wide sheet of 16x16 cells, plus the row
// inside the tile, so that both the cell and the row order show in the pixel.
uint8_t TileAndRow(int x, int y) {
  return static_cast<uint8_t>((x / 16 + 40 * (y / 16)) * 3 + y % 16);
}

TEST_F(TileSheet, SecondBlockFillsTheSheetBottomUp_WithImageIndexOne) {
  Sheet(640, 720);
  const auto first = Block8(640, 720, [](int, int) { return uint8_t{200}; });
  const auto second = Block8(640, 720, TileAndRow);
  ASSERT_EQ(first.size(), 460800u);
  EXPECT_EQ(Load(TileSheetFile(8, 640, 1440, Ramp(), Concat(first, second)), -1, 1), 1);

  for (int cell : {39, 40, 1799}) {
    const Rect r = sheet->cells[cell];
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        ASSERT_EQ(At(x, y), RampPixel(true, TileAndRow(x, y))) << "cell " << cell;
      }
    }
    // Drawn to the back buffer through the cell table, opaque.
    sheet->BlitCell(100, 100, cell);
    EXPECT_EQ(d->Back().At(100, 100), RampPixel(true, TileAndRow(r.left, r.top)));
    EXPECT_EQ(d->Back().At(115, 115), RampPixel(true, TileAndRow(r.right - 1, r.bottom - 1)));
  }
}

TEST_F(TileSheet, HeaderSizeAndOffsetHaveNoEffect) {
  const auto block = Block8(32, 16, [](int x, int y) { return uint8_t(x + 32 * y); });
  Sheet(32, 16);
  ASSERT_EQ(Load(TileSheetFile(8, 32, 16, Ramp(), block), -1), 1);
  const std::vector<uint16_t> plain(sheet->surface->Row(0), sheet->surface->Row(0) + 32 * 16);
  EXPECT_EQ(sheet->infoHeader.biWidth, 32);

  Sheet(32, 16);
  ASSERT_EQ(Load(TileSheetFile(8, 640, 1440, Ramp(), block, 5000), -1), 1);
  const std::vector<uint16_t> odd(sheet->surface->Row(0), sheet->surface->Row(0) + 32 * 16);
  EXPECT_EQ(odd, plain);
  // The headers are kept, the size replaced by the surface's.
  EXPECT_EQ(sheet->fileHeader.bfType, 0x4D42);
  EXPECT_EQ(sheet->fileHeader.bfOffBits, 5000u);
  EXPECT_EQ(sheet->infoHeader.biBitCount, 8);
  EXPECT_EQ(sheet->infoHeader.biWidth, 32);
  EXPECT_EQ(sheet->infoHeader.biHeight, 16);
}

TEST_F(TileSheet, SixteenBitWhiteBecomesTheDeviceWhite) {
  for (bool is565 : {true, false}) {
    Sheet(16, 16, is565);
    const auto block =
        Block16(16, 16, [](int x, int) { return uint16_t(x == 0 ? 0x7FFF : 0x001F); });
    ASSERT_EQ(Load(TileSheetFile(16, 16, 16, {}, block), -1), 1);
    EXPECT_EQ(At(0, 0), is565 ? 0xFFDF : 0x7FFF);
    EXPECT_EQ(At(1, 15), 0x001F);
    EXPECT_EQ(sheet->hasColourKey, 0);
  }
}

TEST_F(TileSheet, SixteenBitPixelsAreScaled_ExceptTheKeyColour) {
  Sheet(16, 16, false);
  const auto block = Block16(16, 16, [](int x, int) { return uint16_t(x == 0 ? 0x7FFF : 0x7C00); });
  // Key: pure red in 5-5-5, left as it is; white is halved.
  ASSERT_EQ(Load(TileSheetFile(16, 16, 16, {}, block), 0x7C00, 0, {128, 128, 128}), 1);
  EXPECT_EQ(At(0, 0), 0x3DEF);
  EXPECT_EQ(At(1, 0), 0x7C00);
  EXPECT_EQ(sheet->hasColourKey, 1);
}

TEST_F(TileSheet, EightBitKeyLetsTheBackBufferShowThrough) {
  for (bool is565 : {true, false}) {
    Sheet(16, 16, is565);
    std::vector<Bgr> palette(256, Bgr{0, 0, 255});  // red
    palette[7] = Bgr{0, 63, 0};
    const auto block = Block8(16, 16, [](int x, int) { return uint8_t(x < 8 ? 7 : 9); });
    const int32_t key = RgbToPixel(is565, 0, 63, 0);
    EXPECT_EQ(key, is565 ? 0x01E0 : 0x00E0);
    ASSERT_EQ(Load(TileSheetFile(8, 16, 16, palette, block), key), 1);
    EXPECT_EQ(At(0, 0), key);  // written like any other pixel
    EXPECT_EQ(sheet->hasColourKey, 1);

    ClearBackBuffer(d->display, 128, 128, 128);
    sheet->BlitCell(0, 0, 0);
    const uint16_t grey = is565 ? 0x8410 : 0x4210;
    EXPECT_EQ(d->Back().At(0, 0), grey);
    EXPECT_EQ(d->Back().At(7, 15), grey);
    EXPECT_EQ(d->Back().At(8, 0), RgbToPixel(is565, 255, 0, 0));
  }
}

TEST_F(TileSheet, EightBitKeyIsMatchedAgainstThePaletteIndex) {
  Sheet(16, 16, true);
  std::vector<Bgr> palette(256, Bgr{200, 200, 200});
  const auto block = Block8(16, 16, [](int x, int) { return uint8_t(x == 0 ? 3 : 4); });
  // Index 3 is the key: it keeps its colour while every other pixel is scaled to half.
  ASSERT_EQ(Load(TileSheetFile(8, 16, 16, palette, block), 3, 0, {128, 128, 128}), 1);
  EXPECT_EQ(At(0, 0), RgbToPixel(true, 200, 200, 200));
  EXPECT_EQ(At(1, 0), RgbToPixel(true, 100, 100, 100));
}

TEST_F(TileSheet, NegativeKeyGivesAnOpaqueSheet) {
  Sheet(16, 16, true);
  std::vector<Bgr> palette(256, Bgr{0, 63, 0});
  ASSERT_EQ(Load(TileSheetFile(8, 16, 16, palette, std::vector<uint8_t>(256, 0)), -1), 1);
  EXPECT_EQ(sheet->hasColourKey, 0);
  ClearBackBuffer(d->display, 128, 128, 128);
  sheet->BlitCell(0, 0, 0);
  EXPECT_EQ(d->Back().At(5, 5), 0x01E0);
}

TEST_F(TileSheet, ShortFileKeepsZerosOrThePreviousBlock) {
  Sheet(16, 16, true);
  std::vector<Bgr> palette = Ramp();
  // Half of the only block: the top half of the surface (stored last) stays index 0.
  const auto full = Block8(16, 16, [](int, int) { return uint8_t{50}; });
  std::vector<uint8_t> half(full.begin(), full.begin() + 128);
  ASSERT_EQ(Load(TileSheetFile(8, 16, 16, palette, half), -1), 1);
  EXPECT_EQ(At(0, 0), RampPixel(true, 0));
  EXPECT_EQ(At(15, 7), RampPixel(true, 0));
  EXPECT_EQ(At(0, 8), RampPixel(true, 50));

  // A second block cut short keeps the first block's bytes where it stops.
  const auto first = Block8(16, 16, [](int, int) { return uint8_t{60}; });
  std::vector<uint8_t> secondPart(128, 70);
  ASSERT_EQ(Load(TileSheetFile(8, 16, 16, palette, Concat(first, secondPart)), -1, 1), 1);
  EXPECT_EQ(At(0, 0), RampPixel(true, 60));
  EXPECT_EQ(At(0, 15), RampPixel(true, 70));

  // A 16-bit file that ends after one byte of pixel data: the rest reads as black.
  ASSERT_EQ(Load(TileSheetFile(16, 16, 16, {}, {0xFF}), -1), 1);
  EXPECT_EQ(At(0, 15), 0x01DF);  // file pixel 0x00FF: green 7, blue 31
  EXPECT_EQ(At(1, 15), 0);
  EXPECT_EQ(At(0, 0), 0);
}

TEST_F(TileSheet, ShortPaletteReadsAsBlack) {
  Sheet(16, 16, true);
  std::string file = TileSheetFile(8, 16, 16, std::vector<Bgr>(256, Bgr{255, 255, 255}), {});
  file.resize(54 + 4 * 10);  // ten palette entries, no pixels
  ASSERT_EQ(Load(file, -1), 1);
  EXPECT_EQ(At(3, 3), RgbToPixel(true, 255, 255, 255));  // index 0 is inside the palette read

  file.resize(54);
  ASSERT_EQ(Load(file, -1), 1);
  EXPECT_EQ(At(3, 3), 0);
}

TEST_F(TileSheet, RefusesOtherDepthsAndTruncatedHeaders_LeavingThePixels) {
  Sheet(16, 16, true);
  sheet->surface->Fill(0x1234);
  for (uint16_t depth : {1, 4, 24, 32, 0}) {
    EXPECT_EQ(Load(TileSheetFile(depth, 16, 16, {}, std::vector<uint8_t>(2048, 0xFF)), 5), 0)
        << depth;
  }
  std::string file = TileSheetFile(8, 16, 16, Ramp(), std::vector<uint8_t>(256, 1));
  EXPECT_EQ(Load(file.substr(0, 53), 5), 0);
  EXPECT_EQ(Load("", 5), 0);
  EXPECT_EQ(At(0, 0), 0x1234);
  EXPECT_EQ(sheet->hasColourKey, 0);
}

TEST_F(TileSheet, MissingFileChangesNothing) {
  Sheet(16, 16, true);
  EXPECT_EQ(sheet->LoadTileSheet(dir / "chara.bmp", 5, 256, 256, 256, 1), 0);
  EXPECT_EQ(At(0, 0), 0);  // the surface as it was created
  EXPECT_EQ(sheet->hasColourKey, 0);
  EXPECT_EQ(sheet->infoHeader.biBitCount, 0);
}

TEST_F(TileSheet, NegativeImageIndexReadsNoBlock) {
  Sheet(16, 16, true);
  const auto block = Block8(16, 16, [](int, int) { return uint8_t{90}; });
  ASSERT_EQ(Load(TileSheetFile(8, 16, 16, Ramp(), block), -1, -5), 1);
  EXPECT_EQ(At(4, 4), RampPixel(true, 0));
}

TEST_F(TileSheet, RefusesASurfaceThatWasNeverCreated) {
  Sheet(16, 16, true);
  Surface empty;
  dir.Write("chara.bmp", TileSheetFile(16, 16, 16, {}, std::vector<uint8_t>(512, 0)));
  EXPECT_EQ(empty.LoadTileSheet(dir / "chara.bmp", -1, 256, 256, 256, 0), 0);
}

TEST(BitmapHeaders, RoundTripLittleEndian) {
  BitmapFileHeader fh{0x4D42, 0x01020304, 7, 8, 0x436};
  BitmapInfoHeader ih{40, 640, -1440, 1, 16, 3, 921600, 2835, -2835, 256, 12};
  std::vector<uint8_t> bytes;
  AppendFileHeader(bytes, fh);
  AppendInfoHeader(bytes, ih);
  ASSERT_EQ(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[2], 0x04);  // bfSize, lowest byte first
  EXPECT_EQ(bytes[10], 0x36);
  EXPECT_EQ(bytes[14 + 4], 0x80);  // 640 = 0x280
  const BitmapFileHeader fh2 = ParseFileHeader(std::span(bytes).first<14>());
  const BitmapInfoHeader ih2 = ParseInfoHeader(std::span(bytes).subspan<14, 40>());
  EXPECT_EQ(fh2.bfSize, fh.bfSize);
  EXPECT_EQ(fh2.bfOffBits, fh.bfOffBits);
  EXPECT_EQ(fh2.bfReserved2, 8);
  EXPECT_EQ(ih2.biHeight, -1440);
  EXPECT_EQ(ih2.biBitCount, 16);
  EXPECT_EQ(ih2.biYPelsPerMeter, -2835);
  EXPECT_EQ(ih2.biClrImportant, 12u);
}

}  // namespace
}  // namespace boxedit
