// An off-screen surface divided into cells that are copied one at a time onto the back buffer:
// the font surface and the tile sheet.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "display/bitmap_headers.h"
#include "display/display_device.h"
#include "display/surface16.h"

namespace boxedit {

inline constexpr int kMaxCells = 1800;

struct Surface {
  std::unique_ptr<Surface16> surface;  // null until Create succeeds, and after Release
  Display* display = nullptr;          // the device the surface was created on
  int32_t hasColourKey = 0;
  uint16_t colourKey = 0;
  int32_t width = 0, height = 0;
  std::array<Rect, kMaxCells> cells{};
  BitmapFileHeader fileHeader{};
  BitmapInfoHeader infoHeader{};

  // placement 1: video memory only; 2: video memory, else system memory; other: system memory.
  int Create(Display& display, int32_t width, int32_t height, int32_t placement);
  // Divides the surface into a grid of cells numbered row by row; stops at kMaxCells.
  int SetCells(int32_t cellWidth, int32_t cellHeight);
  // Copies one cell to the back buffer with its top-left pixel at (x, y); a cell number outside
  // the table draws nothing.
  int BlitCell(int32_t x, int32_t y, int32_t cell);
  void Release();

  // Fills the surface from a tile-sheet BMP file (8 or 16 bits); see tile_sheet_loader.cpp.
  int LoadTileSheet(const std::filesystem::path& fileName, int32_t keyColour, int32_t redScale,
                    int32_t greenScale, int32_t blueScale, int32_t imageIndex);

  // Fills the surface from the font sheet carried inside the program; see font.cpp.
  int LoadBitmapResource(const char* name, int32_t width, int32_t height);
  // The same from the bytes of an 8-bit device-independent bitmap (info header, palette, rows
  // bottom-up); 0 when the bytes are not such a bitmap.
  int LoadBitmapBytes(std::span<const uint8_t> dib, int32_t width, int32_t height);
  // Text with one 8x16 cell per character, drawn through the colour key.
  void DrawNumber(int32_t x, int32_t y, int32_t digits, int32_t value);
  void DrawDigits(int32_t x, int32_t y, int32_t digits, int32_t value);
  void DrawString(int32_t x, int32_t y, const char* text);
};

}  // namespace boxedit
