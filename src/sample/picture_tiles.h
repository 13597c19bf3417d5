// Turning pictures into what the editor reads: each 320x240 picture is cut into a map of 20 x 15
// tiles of 16x16, identical tiles are stored once, and the tiles go onto a 640x720 tile sheet.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "resources/indexed_bitmap.h"

namespace boxedit {

inline constexpr int kTileSize = 16;
inline constexpr int kMapColumns = 20;
inline constexpr int kMapRows = 15;
inline constexpr int kPictureSlots = 256;
inline constexpr size_t kPatternFileBytes = size_t{2} * kMapColumns * kMapRows * kPictureSlots;
inline constexpr int kSheetWidth = 640;
inline constexpr int kSheetHeight = 720;
inline constexpr int kSheetColumns = kSheetWidth / kTileSize;                   // 40
inline constexpr int kSheetTiles = kSheetColumns * (kSheetHeight / kTileSize);  // 1800
inline constexpr uint16_t kEmptyMapEntry = 65535;

// Tile numbers of one picture, row by row from the top, each row left to right.
using TileMap = std::array<uint16_t, kMapColumns * kMapRows>;

class TileSet {
 public:
  explicit TileSet(uint8_t background) : background_(background) {}

  // Cuts a kMapColumns*16 x kMapRows*16 picture into tiles and returns its map. A tile that is
  // background only becomes kEmptyMapEntry; a tile seen before keeps its number. Returns nothing
  // (and adds nothing) when the new tiles would not fit on the sheet.
  std::optional<TileMap> Add(const IndexedImage& picture);

  int count() const { return static_cast<int>(tiles_.size()); }

  // The sheet: tile t at (16 * (t % 40), 16 * (t / 40)), the rest background.
  IndexedImage Sheet() const;

  // chara.bmp: an 8-bit 640x1440 BMP whose top half is the sheet. Rows are stored bottom-up, so
  // the top half is the second 640x720 block of the pixel data, the one the tile-sheet loader
  // takes; the bottom half is background.
  std::vector<uint8_t> EncodeFile(const Palette& palette) const;

 private:
  using Tile = std::array<uint8_t, kTileSize * kTileSize>;

  uint8_t background_;
  std::vector<Tile> tiles_;
  std::map<Tile, uint16_t> numbers_;
};

// pattern.pat: kPictureSlots maps of little-endian tile numbers, picture 0 first; the pictures
// after the given ones are all kEmptyMapEntry.
std::vector<uint8_t> EncodePatternFile(std::span<const TileMap> maps);

}  // namespace boxedit
