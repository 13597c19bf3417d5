// Playback of a motion in the view: one game frame a drawn frame, each pattern of the motion's
// run for its frames (motion/motion_timing.h), then again from the motion's first slot.
#pragma once

#include <cstdint>
#include <optional>

#include "chardata/pattern_table.h"
#include "motion/motion_timing.h"

namespace boxedit {

class Playback {
 public:
  bool playing() const { return playing_; }
  // Starts playing motion m; false, and nothing plays, when its first slot is empty.
  bool Start(const MotionList& list, int32_t motion);
  void Stop() { playing_ = false; }
  // The slot the game frame at hand shows.
  int32_t slot() const { return timing_.patterns[pattern_].slot; }
  // On to the next game frame, back to the run's start after its last.
  void Advance();

 private:
  bool playing_ = false;
  MotionTiming timing_;
  size_t pattern_ = 0;  // index into timing_.patterns
  int64_t frame_ = 0;   // game frames of that pattern already shown
};

}  // namespace boxedit
