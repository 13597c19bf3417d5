// Turning pictures into what the editor reads: each 320x240 picture is cut into a map of 20 x 15
// tiles of 16x16, identical tiles are stored once, and the tiles go onto the 640x720 tile sheet.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "chardata/bmp.h"
#include "chardata/character_files.h"
#include "chardata/pattern_file.h"

namespace boxedit {

class TileSet {
 public:
  explicit TileSet(uint8_t background) : background_(background) {}

  // Cuts a picture of kPictureColumns x kPictureRows tiles and returns its map. A tile that is
  // background only becomes kNoTile; a tile seen before keeps its number. Returns nothing (and
  // adds nothing) when the new tiles would not fit on the sheet.
  std::optional<Picture> Add(const IndexedImage& picture);

  int count() const { return static_cast<int>(tiles_.size()); }

  // The sheet: tile t at (16 * (t % 40), 16 * (t / 40)), the rest background.
  IndexedImage Sheet() const;

  // chara.bmp: an 8-bit 640x1440 BMP whose top half is the sheet (the part the tile-sheet
  // loader takes); the bottom half is background.
  std::vector<uint8_t> EncodeFile(const Palette& palette) const;

 private:
  using Tile = std::array<uint8_t, kTileSize * kTileSize>;

  uint8_t background_;
  std::vector<Tile> tiles_;
  std::map<Tile, uint16_t> numbers_;
};

}  // namespace boxedit
