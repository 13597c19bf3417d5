#include "sample/picture_tiles.h"

#include <algorithm>

namespace boxedit {

std::optional<Picture> TileSet::Add(const IndexedImage& picture) {
  Picture map;
  for (auto& row : map.tiles) row.fill(kNoTile);
  std::vector<Tile> added;
  std::map<Tile, uint16_t> addedNumbers;
  for (int row = 0; row < kPictureRows; ++row) {
    for (int column = 0; column < kPictureColumns; ++column) {
      Tile tile;
      for (int y = 0; y < kTileSize; ++y) {
        for (int x = 0; x < kTileSize; ++x) {
          tile[y * kTileSize + x] = picture.at(column * kTileSize + x, row * kTileSize + y);
        }
      }
      if (std::all_of(tile.begin(), tile.end(), [&](uint8_t p) { return p == background_; })) {
        continue;
      }
      uint16_t number;
      if (const auto old = numbers_.find(tile); old != numbers_.end()) {
        number = old->second;
      } else if (const auto fresh = addedNumbers.find(tile); fresh != addedNumbers.end()) {
        number = fresh->second;
      } else {
        if (tiles_.size() + added.size() >= kTileSheetCells) return std::nullopt;
        number = static_cast<uint16_t>(tiles_.size() + added.size());
        added.push_back(tile);
        addedNumbers.emplace(tile, number);
      }
      map.tiles[row][column] = number;
    }
  }
  tiles_.insert(tiles_.end(), added.begin(), added.end());
  numbers_.merge(addedNumbers);
  return map;
}

IndexedImage TileSet::Sheet() const {
  IndexedImage sheet(kTileSheetWidth, kTileSheetHeight, background_);
  for (size_t t = 0; t < tiles_.size(); ++t) {
    const int left = kTileSize * static_cast<int>(t % kTileSheetColumns);
    const int top = kTileSize * static_cast<int>(t / kTileSheetColumns);
    for (int y = 0; y < kTileSize; ++y) {
      for (int x = 0; x < kTileSize; ++x)
        sheet.set(left + x, top + y, tiles_[t][y * kTileSize + x]);
    }
  }
  return sheet;
}

std::vector<uint8_t> TileSet::EncodeFile(const Palette& palette) const {
  const IndexedImage sheet = Sheet();
  IndexedImage image(kTileSheetWidth, 2 * kTileSheetHeight, background_);
  for (int y = 0; y < kTileSheetHeight; ++y) {
    for (int x = 0; x < kTileSheetWidth; ++x) image.set(x, y, sheet.at(x, y));
  }
  return EncodeIndexedBmp(image, palette);
}

}  // namespace boxedit
