// The names the editor gives motions, guard and clash codes, shared by its panels and boxtool.
#pragma once

#include <cstdint>

namespace boxedit {

// The name of motion m ("STAND", "WIN", ...), "SPECIAL" for motions without a name of their own.
const char* MotionName(int32_t motion);

// "STA", "JMP", "SIT", "THR" or "NON" for guard codes 0, 1, 2, 3 and 9; null for any other.
const char* GuardName(int32_t guard);

// "NON", "SMA", "BIG" or "JMP" for clash codes -1, 0, 1 and 8; null for any other.
const char* ClashName(int32_t clash);

}  // namespace boxedit
