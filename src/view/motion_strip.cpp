#include "view/motion_strip.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "motion/motion_timing.h"
#include "motion/motion_walk.h"
#include "view/box_overlay.h"

namespace boxedit {

namespace {

// Segments whose ends fit in 32 bits go to the line drawing as they are, which costs only the
// pixels that land on the screen.
constexpr int64_t kDrawLimit = std::numeric_limits<int32_t>::max();

bool WithinLimit(int64_t v) {
  return v >= -kDrawLimit && v <= kDrawLimit;
}

}  // namespace

void DrawStripSegment(DrawContext& dc, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  // A line's pixels lie within the box of its end points: a segment with both ends beyond the
  // same edge of the screen has nothing to draw. This keeps a path that has flown far off the
  // screen cheap, frame after frame.
  if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= kScreenWidth && x2 >= kScreenWidth) ||
      (y1 >= kScreenHeight && y2 >= kScreenHeight)) {
    return;
  }
  if (WithinLimit(x1) && WithinLimit(y1) && WithinLimit(x2) && WithinLimit(y2)) {
    DrawLine(dc, static_cast<int32_t>(x1), static_cast<int32_t>(y1), static_cast<int32_t>(x2),
             static_cast<int32_t>(y2));
    return;
  }
  // An end past the 32-bit range (only wild speeds over many patterns get there): cut the
  // segment to the part inside it, Liang-Barsky on (x1, y1) + t * (dx, dy), 0 <= t <= 1. A cut
  // end is rounded to whole pixels two billion pixels off the screen, so the direction of the
  // line changes by far less than a pixel across the screen; lines along an axis or at 45
  // degrees keep every pixel.
  using Real = long double;
  const Real dx = static_cast<Real>(x2) - static_cast<Real>(x1);
  const Real dy = static_cast<Real>(y2) - static_cast<Real>(y1);
  Real t0 = 0, t1 = 1;
  const Real lim = static_cast<Real>(kDrawLimit);
  const Real p[4] = {-dx, dx, -dy, dy};
  const Real q[4] = {static_cast<Real>(x1) + lim, lim - static_cast<Real>(x1),
                     static_cast<Real>(y1) + lim, lim - static_cast<Real>(y1)};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return;  // parallel to this edge and outside it
      continue;
    }
    const Real t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return;  // the segment misses the 32-bit square
  auto at = [&](Real base, Real d, Real t) {
    const Real v = std::round(base + t * d);
    return static_cast<int32_t>(std::clamp<Real>(v, -lim, lim));
  };
  DrawLine(dc, at(static_cast<Real>(x1), dx, t0), at(static_cast<Real>(y1), dy, t0),
           at(static_cast<Real>(x1), dx, t1), at(static_cast<Real>(y1), dy, t1));
}

namespace {

constexpr ColourRef kCurrentColour = Rgb24(255, 0, 0);
constexpr ColourRef kOtherColour = Rgb24(0, 0, 255);

}  // namespace

void DrawMotionStrip(Display& display, const MotionList& list, int32_t currentPattern) {
  if (currentPattern < 0 || currentPattern >= kPatternCount) return;
  std::optional<DrawContext> dc = GetDC(display);
  if (!dc) return;

  MotionWalk walk(kStripStartX, kStripGroundY, list.gravity);
  int budget = kMaxWalkFrames;
  // One frame of the walk and its segment.
  auto frame = [&](bool holdOnGround) {
    const int64_t x = walk.x(), y = walk.y();
    walk.Step(holdOnGround);
    DrawStripSegment(*dc, x, y, walk.x(), walk.y());
  };

  // The walk goes on through the slots while `to` is -1 and stops at the first slot that is
  // not, or after the table's last slot.
  for (int slot = Motion(currentPattern) * kPatternsPerMotion;
       slot < kPatternCount && list.patterns[slot].to == -1; ++slot) {
    const PatternRecord& record = list.patterns[slot];
    walk.BeginPattern(record);
    const int32_t n = record.speed;

    const ColourRef previous =
        dc->SelectPen(slot == currentPattern ? kCurrentColour : kOtherColour);
    if (n > 0) {
      // A pattern lasts `speed` frames. Once the point rests on the ground with no speed, the
      // frames left would neither move nor draw anything: they are skipped.
      for (int f = 0; f < n && budget > 0; ++f, --budget) {
        if (walk.Still()) break;
        frame(/*holdOnGround=*/true);
      }
    } else {
      // Until the point is back on the ground line: at least one frame, and never more than
      // kMaxLandingFrames, since with no pull downward it need never come back.
      for (int f = 0; f < kMaxLandingFrames && budget > 0; ++f, --budget) {
        frame(/*holdOnGround=*/false);
        if (walk.OnGround()) break;
      }
    }
    dc->SelectPen(previous);
    if (budget == 0) break;

    walk.EndPattern(record);
  }
}

}  // namespace boxedit
