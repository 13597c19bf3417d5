#include "chardata/pattern_file.h"

#include <cstdio>
#include <memory>

#include "base/little_endian.h"

namespace boxedit {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadPatternFile(const std::filesystem::path& file, PictureTable& pictures) {
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
  if (!in) return false;
  std::vector<uint8_t> bytes(kPictureFileSize);
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), in.get());
  if (std::ferror(in.get())) return false;

  for (size_t i = 0; i < got; ++i) {
    const size_t entry = i / 2;
    Picture& picture = pictures[entry / (kPictureRows * kPictureColumns)];
    const size_t place = entry % (kPictureRows * kPictureColumns);
    uint16_t& tile = picture.tiles[place / kPictureColumns][place % kPictureColumns];
    // The even byte is the low byte; the other byte of the entry keeps its value.
    if (i % 2 == 0) {
      tile = static_cast<uint16_t>((tile & 0xFF00) | bytes[i]);
    } else {
      tile = static_cast<uint16_t>((tile & 0x00FF) | (bytes[i] << 8));
    }
  }
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
