// The frame bar under the panels: the current pattern's motion one cell a game frame, coloured by
// startup, active frames and recovery as the frame data counts them, the pattern shown framed.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"
#include "display/display_device.h"
#include "display/font.h"

namespace boxedit {

inline constexpr int64_t kFrameBarCells = 300;  // two rows of 150; the rest are counted

// A playback's place in the bar: the game frame it shows (from 0) and the drawn frames each game
// frame lasts.
struct PlaybackMark {
  int64_t frame = 0;
  int32_t divisor = 1;
};

void DrawFrameBar(Display& display, const Font& font, const MotionList& list,
                  int32_t currentPattern, const PlaybackMark* playback = nullptr);

}  // namespace boxedit
