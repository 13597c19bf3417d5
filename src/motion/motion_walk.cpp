#include "motion/motion_walk.h"

#include <limits>

namespace boxedit {

namespace {

// Positions and speeds are kept in 64 bits. The speeds and x stay far inside that range (at most
// 1300 patterns, each adding 32-bit amounts, over the frames a walk is allowed); y alone can run
// away upward without bound, so its steps saturate.
int64_t SaturatingSub(int64_t a, int64_t b) {
  int64_t result;
  if (__builtin_sub_overflow(a, b, &result)) {
    return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
  }
  return result;
}

}  // namespace

void MotionWalk::BeginPattern(const PatternRecord& record) {
  horizontalSpeed_ += record.vx / 20;
  upwardSpeed_ += record.vy;
}

void MotionWalk::Step(bool holdOnGround) {
  x_ += horizontalSpeed_;
  if (!(holdOnGround && AtRest())) {
    y_ = SaturatingSub(y_, upwardSpeed_ / 20);  // truncating toward zero
    upwardSpeed_ -= gravity_;
  }
  if (y_ > groundY_) {
    y_ = groundY_;
    upwardSpeed_ = 0;
  }
}

void MotionWalk::EndPattern(const PatternRecord& record) {
  if (record.rx == 1) horizontalSpeed_ = 0;
}

}  // namespace boxedit
