// The character's pattern table: 1300 pattern slots grouped ten at a time into motions.
#pragma once

#include <array>
#include <cstdint>

namespace boxedit {

inline constexpr int kPatternCount = 1300;
inline constexpr int kPatternsPerMotion = 10;
inline constexpr int kBoxesPerGroup = 4;
inline constexpr int kCommentSize = 64;  // a word of at most 63 characters and its NUL

// A rectangle in view coordinates: x to the right, y upward, origin at the character's feet.
struct Box {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

// One pattern slot. A negative picture number marks an empty slot.
struct PatternRecord {
  int32_t to = 0;
  int32_t speed = 0;
  int32_t picture = 0;
  int32_t depth = 0;
  int32_t circo = 0;
  int32_t voice = 0;
  int32_t vx = 0;
  int32_t rx = 0;
  int32_t vy = 0;
  int32_t ry = 0;
  int32_t extra = 0;
  int32_t clash = 0;
  int32_t guard = 0;
  int32_t damage = 0;
  int32_t hitTo = 0;
  int32_t hitI = 0;
  uint32_t flags = 0;
  std::array<Box, kBoxesPerGroup> defense{};
  std::array<Box, kBoxesPerGroup> attack{};
  std::array<char, kCommentSize> comment{};

  bool IsEmpty() const { return picture < 0; }
};

// The whole table with the header's gravity and the index of the last record line read.
struct MotionList {
  int32_t gravity = 0;
  std::array<PatternRecord, kPatternCount> patterns{};
  int32_t lastPattern = 0;

  // Empties every slot (picture -1) and zeroes every box; other fields keep their values.
  void ResetSlots();
};

// The motion a pattern belongs to, and its place within it.
inline constexpr int Motion(int patternIndex) {
  return patternIndex / kPatternsPerMotion;
}
inline constexpr int PlaceInMotion(int patternIndex) {
  return patternIndex % kPatternsPerMotion;
}

}  // namespace boxedit
