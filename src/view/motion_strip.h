// The preview of the path that the current pattern's motion moves the character along.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"
#include "display/display_device.h"

namespace boxedit {

inline constexpr int32_t kStripStartX = 416;
inline constexpr int32_t kStripGroundY = 312;
// A pattern that never lands (gravity 0 or negative) stops after this many frames.
inline constexpr int kMaxLandingFrames = 4096;

void DrawMotionStrip(Display& display, const MotionList& list, int32_t currentPattern);

}  // namespace boxedit
