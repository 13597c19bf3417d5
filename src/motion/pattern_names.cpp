#include "motion/pattern_names.h"

#include <array>

namespace boxedit {

namespace {

constexpr const char* kSpecial = "SPECIAL";

// The names of motions 0 to 83; motions past the end of the table are "SPECIAL" as well.
constexpr std::array<const char*, 84> kMotionNames = {
    "STAND",        "WALK-L",        "WALK-R",        "SIT",           // 0-3
    "SIT-L",        "SIT-R",         "JUMP",          "JUMP-L",        // 4-7
    "JUMP-R",       kSpecial,        "JUMP-FALL",     "JUMP-END",      // 8-11
    "STAND-UP",     kSpecial,        kSpecial,        "STAND-DEF",     // 12-15
    "STAND-S-DEF",  "STAND-B-DEF",   "SIT-DEF",       "SIT-S-DEF",     // 16-19
    "SIT-B-DEF",    "JUMP-DEF",      "JUMP-S-DEF",    "JUMP-B-DEF",    // 20-23
    kSpecial,       "STAND-S-PUNCH", "STAND-B-PUNCH", "STAND-S-KICK",  // 24-27
    "STAND-B-KICK", "SIT-S-PUNCH",   "SIT-B-PUNCH",   "SIT-S-KICK",    // 28-31
    "SIT-B-KICK",   "JUMP-S-PUNCH",  "JUMP-B-PUNCH",  "JUMP-S-KICK",   // 32-35
    "JUMP-B-KICK",  kSpecial,        kSpecial,        kSpecial,        // 36-39
    "WIN",          "LOSE",          kSpecial,        kSpecial,        // 40-43
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 44-47
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 48-51
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 52-55
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 56-59
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 60-63
    kSpecial,       kSpecial,        kSpecial,        kSpecial,        // 64-67
    kSpecial,       kSpecial,        "STA-FSC",       "STA-FBC",       // 68-71
    "STA-BSC",      "STA-BBC",       "STA-JSC",       "STA-JBC",       // 72-75
    "SIT-FSC",      "SIT-FBC",       "SIT-BSC",       "SIT-BBC",       // 76-79
    "SIT-JSC",      "SIT-JBC",       "JMP-S-CLASH",   "JMP-B-CLASH",   // 80-83
};

}  // namespace

const char* MotionName(int32_t motion) {
  if (motion < 0 || motion >= static_cast<int32_t>(kMotionNames.size())) return kSpecial;
  return kMotionNames[motion];
}

const char* GuardName(int32_t guard) {
  switch (guard) {
    case 0:
      return "STA";
    case 1:
      return "JMP";
    case 2:
      return "SIT";
    case 3:
      return "THR";
    case 9:
      return "NON";
    default:
      return nullptr;
  }
}

const char* ClashName(int32_t clash) {
  switch (clash) {
    case -1:
      return "NON";
    case 0:
      return "SMA";
    case 1:
      return "BIG";
    case 8:
      return "JMP";
    default:
      return nullptr;
  }
}

}  // namespace boxedit
