#include "motion/motion_timing.h"

#include <algorithm>

#include "motion/motion_walk.h"

namespace boxedit {

int64_t MotionTiming::TotalFrames() const {
  int64_t total = 0;
  for (const PatternFrames& p : patterns) total += p.frames;
  return total;
}

MotionTiming TimeMotion(const MotionList& list, int32_t motion) {
  MotionTiming timing;
  const int32_t start = motion * kPatternsPerMotion;
  if (motion < 0 || start >= kPatternCount || list.patterns[start].IsEmpty()) return timing;

  timing.first = start;
  int32_t slot = start;
  while (list.patterns[slot].to == -1 && slot + 1 < kPatternCount &&
         !list.patterns[slot + 1].IsEmpty()) {
    ++slot;
  }
  timing.last = slot;

  // Only the frames before the last pattern that waits for the landing need the walk: after it,
  // every pattern lasts its speed whatever the point does.
  int32_t lastLanding = -1;
  for (int32_t s = timing.first; s <= timing.last; ++s) {
    if (list.patterns[s].speed <= 0) lastLanding = s;
  }

  // The point's height alone decides the frames; it starts on the ground line at 0.
  MotionWalk walk(0, 0, list.gravity);
  int64_t simulated = 0;
  for (int32_t s = timing.first; s <= timing.last; ++s) {
    const PatternRecord& record = list.patterns[s];
    if (s > lastLanding) {
      timing.patterns.push_back({s, record.speed});
      continue;
    }
    walk.BeginPattern(record);
    int64_t frames = 0;
    if (record.speed > 0) {
      frames = record.speed;
      for (int64_t f = 0; f < frames && !walk.HeightSettled(); ++f) {
        if (++simulated > kMaxSimulatedFrames) {
          timing.patterns.push_back({s, frames});
          timing.neverLands = true;
          return timing;
        }
        walk.Step(/*holdOnGround=*/true);
      }
    } else {
      do {
        walk.Step(/*holdOnGround=*/false);
        ++frames;
      } while (!walk.OnGround() && frames < kMaxLandingFrames);
      simulated += frames;
      if (!walk.OnGround()) {
        timing.patterns.push_back({s, frames});
        timing.neverLands = true;
        return timing;
      }
    }
    timing.patterns.push_back({s, frames});
    walk.EndPattern(record);
  }
  return timing;
}

}  // namespace boxedit
