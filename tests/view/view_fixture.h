// A display opened on the fake platform with a 5-6-5 back buffer, for the view's pixel tests,
// and surfaces whose cells carry pixels that tell which cell, and which pixel of it, was drawn
// where.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "../support/fake_platform.h"
#include "display/display_device.h"
#include "display/pixel_layout.h"
#include "display/surface.h"

namespace boxedit::testing {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;  // (x, y)

class ViewFixture {
 public:
  // A back-buffer value that no surface below and no pen colour of the view produces.
  static constexpr uint16_t kBackground = 0xFFFE;
  // The font's key colour: the background of every glyph cell.
  static constexpr uint16_t kFontKey = 0xFFFD;
  // Glyph cell n is filled with kGlyphBase + n.
  static constexpr uint16_t kGlyphBase = 0x8000;

  ViewFixture() {
    if (InitDisplay(display_, platform_) != 1) {
      ADD_FAILURE() << "the fake platform's screen did not open";
      return;
    }
    DetectPixelFormat(display_);
    EXPECT_TRUE(display_.is565);
    display_.backBuffer->Fill(kBackground);
  }
  ViewFixture(const ViewFixture&) = delete;
  ViewFixture& operator=(const ViewFixture&) = delete;

  Display& display() { return display_; }
  uint16_t At(int32_t x, int32_t y) const { return display_.backBuffer->At(x, y); }
  bool Drawn(int32_t x, int32_t y) const { return At(x, y) != kBackground; }

  // Every back-buffer pixel that no longer holds the background.
  PixelSet Changed() const {
    PixelSet out;
    for (int32_t y = 0; y < kScreenHeight; ++y) {
      for (int32_t x = 0; x < kScreenWidth; ++x) {
        if (Drawn(x, y)) out.insert({x, y});
      }
    }
    return out;
  }

  // A surface on this display, of the given size, divided into cells.
  void MakeSurface(Surface& s, int32_t width, int32_t height, int32_t cellWidth,
                   int32_t cellHeight) {
    ASSERT_EQ(s.Create(display_, width, height, 2), 1);
    ASSERT_EQ(s.SetCells(cellWidth, cellHeight), 1);
  }

  // A 640x720 tile sheet of 16x16 cells, no colour key, whose pixel at sheet (x, y) is
  // 1 + (x + 640 * y) % 60000: never the background, and different between neighbours.
  void MakeTileSheet(Surface& sheet) {
    MakeSurface(sheet, 640, 720, 16, 16);
    if (!sheet.surface) return;
    for (int32_t y = 0; y < 720; ++y) {
      for (int32_t x = 0; x < 640; ++x) sheet.surface->Row(y)[x] = SheetPixel(x, y);
    }
  }
  static uint16_t SheetPixel(int32_t x, int32_t y) {
    return static_cast<uint16_t>(1 + (x + 640 * y) % 60000);
  }

  // True when the 16x16 block at screen (sx, sy) holds exactly tile cell t of the sheet.
  bool HoldsTile(int32_t sx, int32_t sy, int t) const {
    const int32_t left = 16 * (t % 40), top = 16 * (t / 40);
    for (int32_t j = 0; j < 16; ++j) {
      for (int32_t i = 0; i < 16; ++i) {
        if (At(sx + i, sy + j) != SheetPixel(left + i, top + j)) return false;
      }
    }
    return true;
  }

  // A 320x240 font of 8x16 cells: cell n is kGlyphBase + n inside, with a one-pixel frame of
  // the key colour, so text lands as blocks that name their cell and the key is honoured.
  void MakeFont(Surface& font) {
    MakeSurface(font, 320, 240, 8, 16);
    if (!font.surface) return;
    for (int32_t y = 0; y < 240; ++y) {
      for (int32_t x = 0; x < 320; ++x) {
        const bool frame = x % 8 == 0 || x % 8 == 7 || y % 16 == 0 || y % 16 == 15;
        font.surface->Row(y)[x] =
            frame ? kFontKey : static_cast<uint16_t>(kGlyphBase + (y / 16) * 40 + x / 8);
      }
    }
    font.hasColourKey = 1;
    font.colourKey = kFontKey;
  }

  // The cell drawn with its top-left pixel at (x, y), or -1 when none: read from the cell's
  // inner pixel (x + 3, y + 7), checked against the untouched frame pixel (x, y).
  int CellAt(int32_t x, int32_t y) const {
    const uint16_t inner = At(x + 3, y + 7);
    if (inner < kGlyphBase || inner >= kGlyphBase + 600) return -1;
    if (Drawn(x, y)) return -2;  // the key was not honoured, or something else drew here
    return inner - kGlyphBase;
  }

  // The text of `cells` cells from (x, y): the character of each cell drawn, a space where
  // none was drawn, '?' where the pixels belong to no glyph cell.
  std::string TextAt(int32_t x, int32_t y, int cells) const {
    std::string out;
    for (int i = 0; i < cells; ++i) {
      const int cell = CellAt(x + 8 * i, y);
      out += cell == -1 ? (Drawn(x + 8 * i + 3, y + 7) ? '?' : ' ')
             : cell < 0 ? '?'
                        : static_cast<char>(cell + 0x20);
    }
    return out;
  }

  uint16_t Pen(uint8_t r, uint8_t g, uint8_t b) const {
    return static_cast<uint16_t>(RgbToPixel(true, r, g, b));
  }

 private:
  FakePlatform platform_;
  Display display_;
};

}  // namespace boxedit::testing
