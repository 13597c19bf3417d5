// Reading back the sample character's files the way the editor lays them out, for the tests.
#pragma once

#include <cstdint>

#include "sample/sample_character.h"

namespace boxedit::testing {

// The sample made once for all tests of a program.
inline const SampleCharacter& Sample() {
  static const SampleCharacter* sample = new SampleCharacter(MakeSampleCharacter());
  return *sample;
}

// Tile number of map row r, column c of picture p in pattern.pat.
inline uint16_t MapEntry(const SampleCharacter& s, int p, int r, int c) {
  const size_t at = 600 * p + 40 * r + 2 * c;
  return static_cast<uint16_t>(s.pictures[at] | s.pictures[at + 1] << 8);
}

// Palette index at (x, y) of the 640x720 tile sheet: the second block of chara.bmp's pixels,
// whose rows are stored bottom-up.
inline uint8_t SheetPixel(const SampleCharacter& s, int x, int y) {
  return s.tileSheet[1078 + 640 * 720 + (719 - y) * 640 + x];
}

}  // namespace boxedit::testing
