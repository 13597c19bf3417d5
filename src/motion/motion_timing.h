// How long a motion plays: the slots it runs through and the game frames each one lasts, as the
// game counts them. The frame data, the whole-character check and the playback share it.
#pragma once

#include <cstdint>
#include <vector>

#include "chardata/pattern_table.h"

namespace boxedit {

// A pattern whose speed is 0 or less lasts until the point is back on the ground; one that has
// not landed after this many frames never will (gravity 0 or negative, or a climb too long to
// matter).
inline constexpr int kMaxLandingFrames = 4096;
// Patterns of a positive speed keep the point's height moving while it is in the air. A run that
// would need more frames than this simulated (over two days of game time in the air) is taken
// as never landing, so that absurd speeds cannot stall a command.
inline constexpr int64_t kMaxSimulatedFrames = int64_t{1} << 22;

struct PatternFrames {
  int32_t slot = 0;
  int64_t frames = 0;  // at least 1
};

struct MotionTiming {
  // The run: slots first to last. first is -1 when the motion's first slot is empty.
  int32_t first = -1;
  int32_t last = -1;
  // The patterns played, in order, with their frames. When the motion never lands, the list
  // ends with the pattern that does not land, given kMaxLandingFrames frames.
  std::vector<PatternFrames> patterns;
  bool neverLands = false;

  int64_t TotalFrames() const;
};

// The run of motion m: slots 10m, 10m + 1, ... while they are non-empty; it ends after the first
// slot whose `to` is not -1 (that slot plays, then the game goes to `to`), before the first
// empty slot, and after the table's last slot at the latest. Like the motion strip, a run may go
// on past the motion's tenth slot.
MotionTiming TimeMotion(const MotionList& list, int32_t motion);

}  // namespace boxedit
