// A Surface: an off-screen surface divided into a grid of cells that are copied one at a time
// onto the back buffer. Two are in use: the font sheet (font.h) and the tile sheet
// (tile_sheet_loader.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "display/display_device.h"
#include "display/surface16.h"

namespace boxedit {

inline constexpr int kMaxCells = 1800;

struct Surface {
  std::unique_ptr<Surface16> surface;  // null until Create succeeds, and after Release
  int32_t hasColourKey = 0;            // 1: pixels equal to colourKey are left out of a blit
  uint16_t colourKey = 0;
  int32_t width = 0, height = 0;  // as passed to Create
  // The cell table keeps no count: an entry is valid when the last SetCells wrote it, or for
  // cell 0 (the whole surface) right after Create.
  std::array<Rect, kMaxCells> cells{};

  // A surface of the back buffer's layout. False when the display is not open or the size is not
  // 1..16384 a side.
  bool Create(const Display& display, int32_t width, int32_t height);
  // Divides the surface into a grid of cells numbered row by row; stops at kMaxCells.
  bool SetCells(int32_t cellWidth, int32_t cellHeight);
  // Copies one cell to the display's back buffer with its top-left pixel at (x, y); a cell
  // number outside the table draws nothing. False only when the surface was never created.
  bool BlitCell(Display& display, int32_t x, int32_t y, int32_t cell) const;
  void Release();
};

}  // namespace boxedit
