// Reading motion.lst: the whole pattern table, with the header's words and its key colour.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "chardata/character_files.h"
#include "chardata/diagnostics.h"
#include "chardata/list_writer.h"
#include "chardata/pattern_table.h"

namespace boxedit {

// The tile sheet's key colour: the header's red, green and blue numbers as written, unchecked.
// The screen packs them into a pixel of its layout; a negative number there means no key.
struct KeyColour {
  int32_t red = 0, green = 0, blue = 0;
  friend bool operator==(const KeyColour&, const KeyColour&) = default;
};

// The header as a reading found it: how many of its six words were read (0 when the file could
// not be read) and their values.
struct ReadHeader {
  ListHeader words;
  int count = 0;
  // The key colour its red, green and blue name; none when the header stops before them.
  std::optional<KeyColour> keyColour() const;
  // The whole header; none when it is incomplete.
  std::optional<ListHeader> complete() const;
};

// Where the record that last filled a slot was read, and the words that the table keeps only
// decoded: a code letter or a flag token can spell more than the codes it decodes to, and the
// save writes the codes. The views point into the text given to LoadText; a word is empty when
// the reading stopped before it.
struct RecordSource {
  int line = 0;  // the line of the record's index; 0 when no record filled the slot
  std::string_view codeLetter;
  std::string_view flagToken;
};
using RecordSources = std::array<RecordSource, kPatternCount>;

// Resets the table's slots and fills it from DIR/motion.lst, setting gravity and lastPattern;
// *header (when given) gets the header. A missing or unreadable file leaves every slot empty and
// lastPattern 0, with an error.
Diagnostics Load(MotionList& list, const std::filesystem::path& dir, ReadHeader* header = nullptr);

// The same reading from text already in memory (used by Load, the tests and the fuzzer). When
// *sources is given, it tells where each slot's record came from.
Diagnostics LoadText(MotionList& list, std::string_view text, RecordSources* sources = nullptr,
                     ReadHeader* header = nullptr);

// Hex digit value of a box-token character: '0'..'9' are 0..9, every other character is its
// code minus 55 (so 'A'..'F' are 10..15 and 'a' is 42).
int32_t HexDigitValue(char c);

}  // namespace boxedit
