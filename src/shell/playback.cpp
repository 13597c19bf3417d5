#include "shell/playback.h"

namespace boxedit {

bool Playback::Start(const MotionList& list, int32_t motion) {
  timing_ = TimeMotion(list, motion);
  playing_ = !timing_.patterns.empty();
  pattern_ = 0;
  frame_ = 0;
  return playing_;
}

void Playback::Advance() {
  if (!playing_) return;
  if (++frame_ < timing_.patterns[pattern_].frames) return;
  frame_ = 0;
  if (++pattern_ == timing_.patterns.size()) pattern_ = 0;
}

}  // namespace boxedit
