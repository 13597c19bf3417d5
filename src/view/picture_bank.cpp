#include "view/picture_bank.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace boxedit {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Tile numbers are cells of the 1800-cell tile sheet; anything else (but kNoTile) is skipped.
constexpr uint32_t kTileSheetCells = 1800;

}  // namespace

int PictureBank::Load(const std::filesystem::path& fileName) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return 0;

  // The file is an image of the picture storage: one read of at most its full size. A short
  // file fills what it reaches and leaves the rest as it was; bytes past the end are ignored.
  std::vector<uint8_t> bytes(kPictureFileSize);
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get())) return 0;

  for (size_t i = 0; i < got; ++i) {
    const size_t entry = i / 2;
    Picture& picture = pictures[entry / (kPictureRows * kPictureColumns)];
    const size_t place = entry % (kPictureRows * kPictureColumns);
    uint16_t& tile = picture.tiles[place / kPictureColumns][place % kPictureColumns];
    // Little-endian: the even byte is the low byte. A file of odd length ends with the low
    // byte of an entry whose high byte keeps its earlier value, as a raw read would leave it.
    if (i % 2 == 0) {
      tile = static_cast<uint16_t>((tile & 0xFF00) | bytes[i]);
    } else {
      tile = static_cast<uint16_t>((tile & 0x00FF) | (bytes[i] << 8));
    }
  }
  return 1;
}

void PictureBank::Draw(int32_t picture) {
  // An empty pattern slot passes a negative number: there is no such picture to draw.
  if (picture < 0 || picture >= kPictureCount) return;
  const Picture& p = pictures[picture];
  Surface& sheet = TileSheet();
  for (int r = 0; r < kPictureRows; ++r) {
    // Map columns 0 and 1 lie under the left edge of the view and are never drawn.
    for (int c = 2; c < kPictureColumns; ++c) {
      const uint16_t t = p.tiles[r][c];
      if (t == kNoTile || t >= kTileSheetCells) continue;
      sheet.BlitCell(16 * c, 1 + 16 * r, t);
    }
  }
}

void PictureBank::Release() {
  for (Surface& s : tileSurfaces) s.Release();
}

}  // namespace boxedit
