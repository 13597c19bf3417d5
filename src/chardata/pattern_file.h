// pattern.pat: the tile maps of the character's 256 pictures. Each picture is 15 rows of 20
// little-endian 16-bit tile numbers (cells of the tile sheet), top row first; 0xFFFF is no tile.
// The file is 153600 bytes, picture 0 first.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
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

// Reads the pictures from the file's first kPictureFileSize bytes; later bytes are ignored. Every
// entry the file does not hold is kNoTile (a file of odd length sets only the low byte of its
// last entry), so a short file leaves the pictures past its end empty. *held (when given) gets
// the number of bytes used. False, with every entry kNoTile and the reason in *error, when the
// file cannot be read or is larger than kMaxPatternFileBytes.
bool ReadPatternFile(const std::filesystem::path& file, PictureTable& pictures, std::string* error,
                     size_t* held = nullptr);

// The whole file for the given pictures; the pictures after them are all kNoTile.
std::vector<uint8_t> EncodePatternFile(std::span<const Picture> pictures);

}  // namespace boxedit
