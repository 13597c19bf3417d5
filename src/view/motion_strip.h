// The preview of the path that the current pattern's motion moves the character along.
#pragma once

#include <cstdint>

#include "base/screen_layout.h"
#include "chardata/pattern_table.h"
#include "display/display_device.h"
#include "motion/motion_timing.h"

namespace boxedit {
// The whole walk draws at most this many frames, so that absurd `speed` values cannot stall the
// editor; a real motion has a few hundred.
inline constexpr int kMaxWalkFrames = 1 << 16;

void DrawMotionStrip(Display& display, const MotionList& list, int32_t currentPattern);

// One segment of the strip between points of the walk, which are kept in 64 bits; a segment
// reaching past the 32-bit range of the line drawing is cut to the part within it.
void DrawStripSegment(DrawContext& dc, int64_t x1, int64_t y1, int64_t x2, int64_t y2);

}  // namespace boxedit
