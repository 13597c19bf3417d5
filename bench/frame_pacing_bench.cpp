// The frame pacing on the real clock: 200 frames of the frame timer's wait on the desktop back
// ends' clock, with the spread of the periods between frame marks as counters (milliseconds).
// It takes 10 seconds: run it with --benchmark_filter=FramePacing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "platform/steady_clock.h"
#include "shell/editor.h"
#include "shell/frame_timer.h"

namespace boxedit {
namespace {

void BM_FramePacing(benchmark::State& state) {
  constexpr int kFrames = 200;
  for (auto _ : state) {
    SteadyClock clock;
    FrameTimer timer;
    timer.lastMark = clock.ClockMs();
    std::vector<double> periods;
    auto last = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
      timer.WaitNextFrame(clock, kFrameRate);
      const auto now = std::chrono::steady_clock::now();
      periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
      last = now;
    }
    double sum = 0, squares = 0;
    for (double p : periods) sum += p;
    const double mean = sum / kFrames;
    for (double p : periods) squares += (p - mean) * (p - mean);
    state.counters["mean_ms"] = mean;
    state.counters["min_ms"] = *std::min_element(periods.begin(), periods.end());
    state.counters["max_ms"] = *std::max_element(periods.begin(), periods.end());
    state.counters["stddev_ms"] = std::sqrt(squares / kFrames);
  }
}
BENCHMARK(BM_FramePacing)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace boxedit
