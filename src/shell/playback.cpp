#include "shell/playback.h"

namespace boxedit {

bool Playback::Start(const MotionList& list, int32_t motion) {
  timing_ = TimeMotion(list, motion);
  active_ = !timing_.patterns.empty();
  divisor_ = 1;
  Restart();
  return active_;
}

void Playback::Restart() {
  paused_ = false;
  pattern_ = 0;
  inPattern_ = 0;
  frame_ = 0;
  drawn_ = 0;
}

void Playback::Advance() {
  if (!playing()) return;
  if (++drawn_ < divisor_) return;
  drawn_ = 0;
  Forward();
}

void Playback::Forward() {
  ++frame_;
  if (++inPattern_ < timing_.patterns[pattern_].frames) return;
  inPattern_ = 0;
  if (++pattern_ == timing_.patterns.size()) pattern_ = 0, frame_ = 0;
}

void Playback::Step(int direction) {
  if (!active_) return;
  paused_ = true;
  drawn_ = 0;
  if (direction > 0) {
    Forward();
    return;
  }
  if (inPattern_ > 0) {
    --inPattern_, --frame_;
    return;
  }
  // Back over the first frame of a pattern: the last frame of the one before, or of the run.
  if (pattern_ == 0) {
    pattern_ = timing_.patterns.size();
    frame_ = timing_.TotalFrames();
  }
  --pattern_;
  inPattern_ = timing_.patterns[pattern_].frames - 1;
  --frame_;
}

}  // namespace boxedit
