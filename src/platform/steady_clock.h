// The millisecond clock of the desktop back ends: milliseconds since the clock was made, from
// the system's monotonic clock, and a wait that sleeps to the exact deadline instead of spinning.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/platform.h"

namespace boxedit {

class SteadyClock : public Clock {
 public:
  SteadyClock();
  uint32_t ClockMs() override;
  // Sleeps until the instant at which ClockMs reaches the last reading plus `remainingMs`, so the
  // frame timer's next reading finds its deadline passed and it never spins.
  void Idle(uint32_t remainingMs) override;

 private:
  using Time = std::chrono::steady_clock::time_point;
  Time origin_;
  uint64_t lastMs_ = 0;  // the last reading, before it wrapped to 32 bits
};

}  // namespace boxedit
