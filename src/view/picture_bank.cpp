#include "view/picture_bank.h"

#include "base/screen_layout.h"
#include "chardata/character_files.h"

namespace boxedit {

bool PictureBank::Load(const std::filesystem::path& fileName, std::string* error, size_t* held) {
  return ReadPatternFile(fileName, pictures, error, held);
}

void PictureBank::Draw(Display& display, int32_t picture) const {
  // An empty pattern slot passes a negative number: there is no such picture to draw.
  if (picture < 0 || picture >= kPictureCount) return;
  const Picture& p = pictures[picture];
  for (int r = 0; r < kPictureRows; ++r) {
    for (int c = kFirstDrawnColumn; c < kPictureColumns; ++c) {
      // Tile numbers are cells of the tile sheet; anything else (but kNoTile) is skipped.
      const uint16_t t = p.tiles[r][c];
      if (t == kNoTile || t >= kTileSheetCells) continue;
      tileSheet.BlitCell(display, kTileSize * c, kPictureTop + kTileSize * r, t);
    }
  }
}

void PictureBank::Release() {
  tileSheet.Release();
}

}  // namespace boxedit
