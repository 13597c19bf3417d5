// The character's pattern table: 1300 pattern slots grouped ten at a time into motions.
#pragma once

#include <array>
#include <cstdint>

namespace boxedit {

inline constexpr int kPatternCount = 1300;
inline constexpr int kPatternsPerMotion = 10;
inline constexpr int kMotionCount = kPatternCount / kPatternsPerMotion;  // 130
inline constexpr int kBoxesPerGroup = 4;
inline constexpr int kCommentSize = 64;  // a word of at most 63 characters and its NUL

// A rectangle in view coordinates: x to the right, y upward, origin at the character's feet.
struct Box {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

// One pattern slot: a picture, its game attributes and its boxes. A negative picture number
// marks an empty slot. Speeds are in twentieths of a pixel per frame.
struct PatternRecord {
  int32_t to = 0;       // -1: the motion goes on into the next slot; else the pattern after it
  int32_t speed = 0;    // frames the pattern lasts; 0 or less: until it is back on the ground
  int32_t picture = 0;  // 0..255 in the picture bank; negative: the slot is empty
  int32_t depth = 0;
  int32_t circo = 0;  // 44, 46 and 53 draw the boxes in green and magenta
  int32_t voice = 0;  // 9: none
  int32_t vx = 0;     // horizontal speed added when the pattern starts
  int32_t rx = 0;     // 1: the horizontal speed drops to 0 after this pattern
  int32_t vy = 0;     // upward speed added when the pattern starts
  int32_t ry = 0;
  int32_t extra = 0;  // neither shown nor used, but kept so that it passes from file to file
  int32_t clash = 0;  // -1 none, 0 small, 1 big, 8 jump
  int32_t guard = 0;  // 0 standing, 1 jumping, 2 sitting, 3 throw, 9 none (U, M, D, X, 0)
  int32_t damage = 0;
  int32_t hitTo = 0;
  int32_t hitI = 0;
  uint32_t flags = 0;  // bits 8, 4, 2 and 1, written in that order as digits
  // Defense boxes 0 and 1 and attack box 0 are read, edited and saved; the others stay zero.
  std::array<Box, kBoxesPerGroup> defense{};
  std::array<Box, kBoxesPerGroup> attack{};
  std::array<char, kCommentSize> comment{};  // the record's last word, kept and saved unchanged

  bool IsEmpty() const { return picture < 0; }
  friend bool operator==(const PatternRecord&, const PatternRecord&) = default;
};

// The whole table with the header's gravity and the index of the last record line read.
struct MotionList {
  int32_t gravity = 0;  // taken from the upward speed every frame of the motion strip
  std::array<PatternRecord, kPatternCount> patterns{};
  int32_t lastPattern = 0;  // navigation and the saves go no further than this slot

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
