// The character's 256 pictures, each a 20x15 map of tile numbers, and the tile sheet they are
// drawn from.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "display/surface.h"

namespace boxedit {

inline constexpr int kPictureCount = 256;
inline constexpr int kPictureRows = 15;
inline constexpr int kPictureColumns = 20;
inline constexpr uint16_t kNoTile = 0xFFFF;
inline constexpr int kPictureFileSize = kPictureCount * kPictureRows * kPictureColumns * 2;

struct Picture {
  std::array<std::array<uint16_t, kPictureColumns>, kPictureRows> tiles{};
};

struct PictureBank {
  std::array<Picture, kPictureCount> pictures{};
  std::array<Surface, 10> tileSurfaces;  // the first is the tile sheet; the rest stay empty

  Surface& TileSheet() { return tileSurfaces[0]; }

  // Reads the pictures from a pattern file; a short file fills the pictures it reaches.
  int Load(const std::filesystem::path& fileName);
  // Draws picture n with map row r, column c at screen (16c, 1 + 16r); columns 0 and 1 and
  // empty entries are skipped, and a number outside 0..255 draws nothing.
  void Draw(int32_t picture);
  void Release();
};

}  // namespace boxedit
