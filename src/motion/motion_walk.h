// The walk of the character's reference point through a motion, one game frame at a time: the
// speeds its patterns add, the pull of gravity and the ground line it never goes below. The
// motion strip draws it; the frame data and the playback count its frames.
#pragma once

#include <cstdint>

#include "chardata/pattern_table.h"

namespace boxedit {

class MotionWalk {
 public:
  // A point at (x, groundY) with no speed; y grows downward, so the point is above the ground
  // while y < groundY. Gravity is in twentieths of a pixel per frame.
  MotionWalk(int64_t x, int64_t groundY, int32_t gravity)
      : x_(x), y_(groundY), groundY_(groundY), gravity_(gravity) {}

  // The start of a pattern: its vx / 20 joins the horizontal speed, its vy the upward speed.
  void BeginPattern(const PatternRecord& record);
  // One frame: move by the speeds, pull the upward speed down by gravity, stop on the ground
  // line. With holdOnGround (patterns of a positive speed) a point at rest on the ground is not
  // moved vertically.
  void Step(bool holdOnGround);
  // The end of a pattern: rx 1 ends its horizontal movement.
  void EndPattern(const PatternRecord& record);

  int64_t x() const { return x_; }
  int64_t y() const { return y_; }
  bool OnGround() const { return y_ == groundY_; }
  // On the ground with no upward speed: the frames of a positive-speed pattern leave it there.
  bool AtRest() const { return OnGround() && upwardSpeed_ == 0; }
  // At rest and not moving sideways either: further frames change nothing.
  bool Still() const { return AtRest() && horizontalSpeed_ == 0; }
  // Frames with holdOnGround would leave the height and the upward speed as they are: at rest,
  // or hovering with no gravity and an upward speed too small to move a whole pixel.
  bool HeightSettled() const { return AtRest() || (gravity_ == 0 && upwardSpeed_ / 20 == 0); }

 private:
  int64_t x_;
  int64_t y_;
  int64_t groundY_;
  int64_t gravity_;
  int64_t horizontalSpeed_ = 0;  // whole pixels per frame, positive = right
  int64_t upwardSpeed_ = 0;      // twentieths of a pixel per frame, positive = up
};

}  // namespace boxedit
