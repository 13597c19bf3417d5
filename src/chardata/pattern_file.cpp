#include "chardata/pattern_file.h"

#include <algorithm>

#include "base/little_endian.h"
#include "chardata/input_file.h"

namespace boxedit {

bool ReadPatternFile(const std::filesystem::path& file, PictureTable& pictures, std::string* error,
                     size_t* held) {
  for (Picture& picture : pictures) {
    for (auto& row : picture.tiles) row.fill(kNoTile);
  }
  if (held != nullptr) *held = 0;
  std::string bytes;
  if (!ReadInputFile(file, kMaxPatternFileBytes, &bytes, error)) return false;
  const size_t got = std::min(bytes.size(), size_t{kPictureFileSize});
  for (size_t i = 0; i < got; ++i) {
    const size_t entry = i / 2;
    Picture& picture = pictures[entry / (kPictureRows * kPictureColumns)];
    const size_t place = entry % (kPictureRows * kPictureColumns);
    uint16_t& tile = picture.tiles[place / kPictureColumns][place % kPictureColumns];
    const auto byte = static_cast<uint8_t>(bytes[i]);
    // The even byte is the low byte.
    if (i % 2 == 0) {
      tile = static_cast<uint16_t>((tile & 0xFF00) | byte);
    } else {
      tile = static_cast<uint16_t>((tile & 0x00FF) | (byte << 8));
    }
  }
  if (held != nullptr) *held = got;
  return true;
}

std::vector<uint8_t> EncodePatternFile(std::span<const Picture> pictures) {
  std::vector<uint8_t> out;
  out.reserve(kPictureFileSize);
  for (size_t p = 0; p < kPictureCount; ++p) {
    for (int r = 0; r < kPictureRows; ++r) {
      for (int c = 0; c < kPictureColumns; ++c) {
        AppendLe16(out, p < pictures.size() ? pictures[p].tiles[r][c] : kNoTile);
      }
    }
  }
  return out;
}

}  // namespace boxedit
