#include "motion/frame_data.h"

#include "motion/motion_timing.h"

namespace boxedit {

bool BoxDrawn(const Box& box) {
  return box.x1 != box.x2 && box.y1 != box.y2;
}

std::optional<FrameData> ComputeFrameData(const MotionList& list, int32_t motion) {
  const MotionTiming timing = TimeMotion(list, motion);
  if (timing.first < 0) return std::nullopt;
  return FrameDataOf(list, timing, motion);
}

std::string ActiveText(const FrameData& d) {
  std::string out;
  for (const ActiveRange& r : d.active) {
    if (!out.empty()) out += ' ';
    out += std::to_string(r.from);
    if (r.to != r.from) out.append(1, '-').append(std::to_string(r.to));
  }
  return out;
}

FrameData FrameDataOf(const MotionList& list, const MotionTiming& timing, int32_t motion) {
  FrameData data;
  data.motion = motion;
  data.first = timing.first;
  data.last = timing.last;
  if (timing.neverLands) {
    data.neverLands = true;
    return data;
  }
  int64_t frame = 1;  // the first frame of the pattern at hand
  for (const PatternFrames& p : timing.patterns) {
    const PatternRecord& record = list.patterns[p.slot];
    if (BoxDrawn(record.attack[0])) {
      if (!data.active.empty() && data.active.back().to == frame - 1) {
        data.active.back().to = frame + p.frames - 1;
      } else {
        data.active.push_back({frame, frame + p.frames - 1, record.damage, record.guard});
      }
    }
    frame += p.frames;
  }
  data.frames = frame - 1;
  if (!data.active.empty()) {
    data.startup = data.active.front().from;
    data.recovery = data.frames - data.active.back().to;
  }
  return data;
}

}  // namespace boxedit
