// The sample character that `boxtool make-sample` writes: a fighter drawn by our own code in a
// few dozen poses, with named motions whose boxes, speeds and attributes show off every part of
// the editor's view.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chardata/pattern_table.h"

namespace boxedit {

// The three files of the character, as bytes.
struct SampleCharacter {
  std::string motionList;          // motion.lst
  std::vector<uint8_t> tileSheet;  // chara.bmp
  std::vector<uint8_t> pictures;   // pattern.pat
  int pictureCount = 0;            // pictures drawn; the other map slots of pattern.pat are empty
  int tileCount = 0;               // tiles on the sheet, numbered 0 .. tileCount - 1
};

// The key colour named in the list header: black, which is palette index 0 of chara.bmp, the
// background of every tile.
inline constexpr int kSampleKeyRed = 0, kSampleKeyGreen = 0, kSampleKeyBlue = 0;
inline constexpr int kSampleGravity = 10;

// The pattern table that motion.lst is written from.
std::unique_ptr<MotionList> SampleMotionList();

// Builds all three files in memory; every call gives the same bytes.
SampleCharacter MakeSampleCharacter();

// Writes motion.lst, chara.bmp and pattern.pat into dir, creating dir when it does not exist.
// Returns false with the reason in *error when a directory or file cannot be made.
bool WriteSampleCharacter(const std::filesystem::path& dir, std::string* error);

}  // namespace boxedit
