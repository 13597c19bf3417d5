#include "platform/steady_clock.h"

#include <thread>
#if defined(__linux__)
#include <time.h>

#include <cerrno>
#endif

namespace boxedit {

SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

uint32_t SteadyClock::ClockMs() {
  const auto elapsed = std::chrono::steady_clock::now() - origin_;
  lastMs_ = static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  return static_cast<uint32_t>(lastMs_);  // wraps after 49.7 days, as the frame timer expects
}

void SteadyClock::Idle(uint32_t remainingMs) {
  const Time deadline = origin_ + std::chrono::milliseconds(lastMs_ + remainingMs);
#if defined(__linux__)
  // An absolute deadline on the monotonic clock, which steady_clock reads: the sleep ends at the
  // deadline (within the timer slack, some tens of microseconds) however long the call took to
  // start, and a signal that interrupts it simply sleeps again to the same instant.
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
  timespec at{};
  at.tv_sec = static_cast<time_t>(ns.count() / 1000000000);
  at.tv_nsec = static_cast<long>(ns.count() % 1000000000);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
#else
  std::this_thread::sleep_until(deadline);
#endif
}

}  // namespace boxedit
