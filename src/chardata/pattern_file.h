// pattern.pat: the tile maps of the character's 256 pictures. Each picture is 15 rows of 20
// little-endian 16-bit tile numbers (cells of the tile sheet), top row first; 0xFFFF is no tile.
// The file is 153600 bytes, picture 0 first.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace boxedit {

inline constexpr int kPictureCount = 256;
inline constexpr int kPictureRows = 15;
inline constexpr int kPictureColumns = 20;
inline constexpr uint16_t kNoTile = 0xFFFF;
inline constexpr int kPictureFileSize = kPictureCount * kPictureRows * kPictureColumns * 2;

struct Picture {
  std::array<std::array<uint16_t, kPictureColumns>, kPictureRows> tiles{};
  friend bool operator==(const Picture&, const Picture&) = default;
};

using PictureTable = std::array<Picture, kPictureCount>;

// Reads the file over `pictures` as an image of their storage: one read of at most the full
// size. A short file fills what it reaches and leaves the rest as it was (a file of odd length
// sets only the low byte of its last entry); bytes past the full size are ignored. False when
// the file cannot be opened or read.
bool ReadPatternFile(const std::filesystem::path& file, PictureTable& pictures);

// The whole file for the given pictures; the pictures after them are all kNoTile.
std::vector<uint8_t> EncodePatternFile(std::span<const Picture> pictures);

}  // namespace boxedit
