// The fields of a pattern that the editor edits from the keyboard, and the values each takes: the
// editor refuses a typed value outside them, and boxtool check warns of a value the file holds
// outside them. A value read from the file is kept and saved whatever it is.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "chardata/pattern_table.h"

namespace boxedit {

// In the order the field cursor visits them: the attribute panel column by column, then the
// selected box's corners.
enum class Field : uint8_t {
  kTo,
  kSpeed,
  kPicture,
  kDepth,
  kCirco,
  kVoice,
  kVx,
  kRx,
  kVy,
  kRy,
  kClash,
  kGuard,
  kDamage,
  kHitTo,
  kHitI,
  kFlags,
  kX1,
  kY1,
  kX2,
  kY2,
};
inline constexpr int kFieldCount = 20;
inline constexpr Field kFirstCoordinate = Field::kX1;

inline constexpr bool IsCoordinate(Field f) {
  return f >= kFirstCoordinate;
}

struct FieldRange {
  std::string_view label;  // as the panels show it ("DAMEG"); "X1".."Y2" for the corners
  int32_t low, high;
  std::span<const int32_t> codes;  // when not empty, the only values taken, in rising order
};

const FieldRange& RangeOf(Field field);
bool InRange(Field field, int32_t value);
// The values as words: "-999 TO 999", "0, 1, 2, 3 OR 9".
std::string RangeText(Field field);
// What the status line says of a value refused: "DAMEG TAKES -999 TO 999".
std::string RangeMessage(Field field);

// The value of an attribute field of a record (not of a corner), and setting it.
int32_t AttributeValue(const PatternRecord& record, Field field);
void SetAttribute(PatternRecord& record, Field field, int32_t value);
// The coordinate of a box that a corner field names.
int32_t& CoordinateOf(Box& box, Field field);

// A typed entry as a value of the field: an optional minus and decimal digits; FLAG as the four
// 0s and 1s it shows. None when the text is not such a number or the value is outside the range.
std::optional<int32_t> ParseEntry(Field field, std::string_view text);
// Page Up (delta > 0) and Page Down: the value moved by delta, kept within the range; through
// the named codes one at a time on a field that has them. None when the value cannot move that
// way (it stands at the range's end, or beyond it).
std::optional<int32_t> SteppedValue(Field field, int32_t value, int32_t delta);

}  // namespace boxedit
