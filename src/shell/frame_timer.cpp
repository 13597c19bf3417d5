#include "shell/frame_timer.h"

namespace boxedit {

void FrameTimer::WaitNextFrame(Clock& clock, uint32_t rate) {
  // Unsigned differences stay right across the wrap of the 32-bit millisecond clock.
  frameTime = clock.ClockMs() - lastMark;
  if (rate < 1) rate = 1;
  const uint32_t interval = 1000 / rate;
  for (;;) {
    now = clock.ClockMs();
    const uint32_t elapsed = now - lastMark;
    if (elapsed >= interval) break;
    // The clock sleeps while plenty remains and spins through the last stretch; no message is
    // looked at while waiting.
    clock.Idle(interval - elapsed);
  }
  // The mark is the reading that ended the wait: a late frame is not caught up on.
  lastMark = now;
}

void FrameTimer::UpdateRate() {
  if (frameTime == 0) frameTime = 1;
  rateSum += 10000 / frameTime;
  frameCount += 1;
  if (frameCount % 40 == 0) {
    fpsTimes100 = rateSum >> 2;
    rateSum = 0;
    frameCount = 0;
  }
}

}  // namespace boxedit
