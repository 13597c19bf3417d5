// Frame pacing and the frame-rate meter, in unsigned 32-bit clock arithmetic so that the wrap of
// the millisecond clock causes no jump.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace boxedit {

struct FrameTimer {
  uint32_t frameTime = 0;    // ms from the previous frame mark to the start of this wait
  uint32_t now = 0;          // the last clock reading taken while waiting
  uint32_t lastMark = 0;     // the clock reading that ended the previous wait
  uint32_t rateSum = 0;      // sum of 10000 / frameTime over the current batch
  uint32_t frameCount = 0;   // frames in the current batch, 0..39
  uint32_t fpsTimes100 = 0;  // the rate shown on screen, frames per second x 100

  // Waits until 1000 / rate ms have passed since the last mark. The processor is given back
  // while more than about 2 ms remain; the last stretch spins on the clock.
  void WaitNextFrame(Clock& clock, uint32_t rate);
  // Adds this frame to the batch; every 40 frames the shown rate is renewed.
  void UpdateRate();
};

}  // namespace boxedit
