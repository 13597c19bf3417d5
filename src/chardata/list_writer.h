// Writing the pattern table to motion2.lst in the S or L layout.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "chardata/character_files.h"
#include "chardata/pattern_table.h"

namespace boxedit {

// S and L differ only in the padding of rx and ry, and L adds an empty line after the numbers.
enum class SaveLayout { kS, kL };

// The six header words of motion.lst as the save copies them.
struct ListHeader {
  std::string firstWord;
  std::array<int32_t, 4> numbers{};  // red, green, blue, gravity
  std::string secondWord;
};

// The whole file text: the header, then a line per non-empty slot up to lastPattern with an
// empty line wherever the motion changes.
std::string FormatList(const MotionList& list, const ListHeader& header, SaveLayout layout);

// One record line (with its "\n") of slot `index`.
std::string FormatRecordLine(const PatternRecord& record, int index, SaveLayout layout);

// Box token characters: an x as sign + two hex digits, a y as three hex digits. Values outside
// kMinBoxX..kMaxBoxX (x) and kMinBoxY..kMaxBoxY (y) are clamped to the range before they are
// written.
inline constexpr int32_t kMinBoxX = -255, kMaxBoxX = 255;
inline constexpr int32_t kMinBoxY = 0, kMaxBoxY = 511;
std::string WriteBoxX(int32_t x);
std::string WriteBoxY(int32_t y);

// Writes DIR/motion2.lst with the header copied from DIR/motion.lst as it stands now; when that
// cannot be read or its header is incomplete, `startupHeader` (the header as read when the list
// was loaded) is used instead and *note says why, and without one nothing is written. The write
// is atomic (atomic_file.h), so a failed save leaves any earlier motion2.lst untouched, and a
// motion2.lst that is motion.lst under another name (a link) is never written. False on failure
// with the reason in *error.
bool Save(const MotionList& list, const std::filesystem::path& dir, SaveLayout layout,
          std::string* error = nullptr, const ListHeader* startupHeader = nullptr,
          std::string* note = nullptr);

// The same write with the header given (boxtool import): DIR/motion.lst is not read.
bool SaveWithHeader(const MotionList& list, const ListHeader& header,
                    const std::filesystem::path& dir, SaveLayout layout, std::string* error);

}  // namespace boxedit
