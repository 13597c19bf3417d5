// Frame data of a motion: the figures players quote, counted from the run's frames and the
// patterns' attack boxes. A frame is active when its pattern's attack box 0 would be drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chardata/pattern_table.h"
#include "motion/motion_timing.h"

namespace boxedit {

// Active frames from..to (numbered from 1 over the run), with the damage and guard code of the
// pattern the range starts in.
struct ActiveRange {
  int64_t from = 0;
  int64_t to = 0;
  int32_t damage = 0;
  int32_t guard = 0;
};

struct FrameData {
  int32_t motion = 0;
  int32_t first = 0;  // the run's first and last slot
  int32_t last = 0;
  // When the motion never lands, the figures below are left empty.
  bool neverLands = false;
  int64_t frames = 0;
  std::optional<int64_t> startup;   // the first active frame; none without one
  std::vector<ActiveRange> active;  // consecutive active frames make one range
  std::optional<int64_t> recovery;  // frames after the last active one; none without one
};

// None when the motion's first slot is empty.
std::optional<FrameData> ComputeFrameData(const MotionList& list, int32_t motion);
// The same from the run of motion m as TimeMotion gave it (its first slot not empty).
FrameData FrameDataOf(const MotionList& list, const MotionTiming& timing, int32_t motion);

// The active ranges as the frame data writes them: "5-7 12-14", a single frame alone; empty
// without any.
std::string ActiveText(const FrameData& data);

// True when the box would be drawn: it has both a width and a height.
bool BoxDrawn(const Box& box);

}  // namespace boxedit
