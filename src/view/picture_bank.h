// The character's 256 pictures (pattern.pat, read by chardata/pattern_file.h) and the tile sheet
// they are drawn from.
#pragma once

#include <cstdint>
#include <filesystem>

#include "chardata/pattern_file.h"
#include "display/surface.h"

namespace boxedit {

// Map columns before this one lie under the left edge of the view and are never drawn.
inline constexpr int kFirstDrawnColumn = 2;

struct PictureBank {
  PictureTable pictures{};
  Surface tileSheet;

  // Reads the pictures from a pattern file (see ReadPatternFile).
  bool Load(const std::filesystem::path& fileName, std::string* error = nullptr,
            size_t* held = nullptr);
  // Draws picture n with map row r, column c at screen (16c, 1 + 16r); the columns before
  // kFirstDrawnColumn and empty entries are skipped, and a number outside 0..255 draws nothing.
  void Draw(Display& display, int32_t picture) const;
  void Release();
};

}  // namespace boxedit
