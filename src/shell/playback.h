// Playback of a motion in the view: each pattern of the motion's run for its game frames
// (motion/motion_timing.h), then again from the motion's first slot. A game frame shows for one
// drawn frame, or for 2, 4 or 8 in slow motion; a paused playback stays on its frame and steps.
#pragma once

#include <cstdint>
#include <optional>

#include "chardata/pattern_table.h"
#include "motion/motion_timing.h"

namespace boxedit {

inline constexpr int32_t kSlowestPlayback = 8;  // drawn frames a game frame at the slowest

class Playback {
 public:
  // Playing or paused: the playback's keys are its own until it stops.
  bool active() const { return active_; }
  bool playing() const { return active_ && !paused_; }
  bool paused() const { return active_ && paused_; }
  // Starts playing motion m from its first frame at game speed; false, and nothing plays, when
  // its first slot is empty.
  bool Start(const MotionList& list, int32_t motion);
  // Plays the same run again from its first frame, at the speed it had.
  void Restart();
  void Stop() { active_ = false; }
  void TogglePause() { paused_ = !paused_; }
  // The slot the game frame at hand shows, and that frame's place in the run (from 0).
  int32_t slot() const { return timing_.patterns[pattern_].slot; }
  int64_t frame() const { return frame_; }
  // Drawn frames a game frame: 1, 2, 4 or 8.
  int32_t divisor() const { return divisor_; }
  void Faster() { divisor_ = divisor_ > 1 ? divisor_ / 2 : 1; }
  void Slower() { divisor_ = divisor_ < kSlowestPlayback ? divisor_ * 2 : kSlowestPlayback; }
  // One drawn frame: on to the next game frame once this one has shown for its drawn frames,
  // back to the run's start after its last. Nothing while paused.
  void Advance();
  // One game frame on (direction 1) or back (-1), wrapping at the run's ends; pauses.
  void Step(int direction);

 private:
  void Forward();

  bool active_ = false;
  bool paused_ = false;
  MotionTiming timing_;
  size_t pattern_ = 0;     // index into timing_.patterns
  int64_t inPattern_ = 0;  // game frames of that pattern already shown
  int64_t frame_ = 0;      // game frames of the run already shown
  int32_t divisor_ = 1;
  int32_t drawn_ = 0;  // drawn frames the game frame at hand has shown
};

}  // namespace boxedit
