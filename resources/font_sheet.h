// The font sheet: a 320x240 8-bit image of 40 x 15 cells of 8x16 glyphs, cell n showing the
// character with code n + 0x20, made from the text art of resources/font.txt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chardata/bmp.h"

namespace boxedit {

inline constexpr int kFontSheetWidth = 320;
inline constexpr int kFontSheetHeight = 240;
inline constexpr int kGlyphWidth = 8;
inline constexpr int kGlyphHeight = 16;
inline constexpr int kFontColumns = kFontSheetWidth / kGlyphWidth;  // 40
inline constexpr int kFontRows = kFontSheetHeight / kGlyphHeight;   // 15
inline constexpr int kFontCells = kFontColumns * kFontRows;         // 600

// Palette indices of the sheet.
inline constexpr uint8_t kFontGlyphIndex = 0;         // (255, 255, 0)
inline constexpr uint8_t kFontShadingIndex = 1;       // (220, 178, 43)
inline constexpr uint8_t kFontBlackIndex = 35;        // (0, 0, 0)
inline constexpr uint8_t kFontBackgroundIndex = 127;  // (0, 63, 0)

// The name the program finds the sheet under, and the size of its bitmap without file header.
inline constexpr std::string_view kFontResourceName = "NUMBITMAP";
inline constexpr int kFontDibBytes =
    kBitmapInfoHeaderSize + kPaletteBytes + kFontSheetWidth * kFontSheetHeight;  // 77864

Palette FontPalette();

// Top-left pixel of cell n on the sheet.
inline constexpr int CellX(int cell) {
  return kGlyphWidth * (cell % kFontColumns);
}
inline constexpr int CellY(int cell) {
  return kGlyphHeight * (cell / kFontColumns);
}

// Reads the text art (the format is described at the top of resources/font.txt). On a mistake
// returns nothing and puts "LINE: message" in *error.
std::optional<IndexedImage> ParseFontText(std::string_view text, std::string* error);

}  // namespace boxedit
