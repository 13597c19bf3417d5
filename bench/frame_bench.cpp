// Figures for one whole frame, headless: the grey frame of an empty character and the sample
// character's busiest pattern, and start-up to the first frame.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "backends/headless/headless_platform.h"
#include "sample/sample_character.h"
#include "shell/editor.h"
#include "view/frame_bar.h"

namespace boxedit {
namespace {

// A fresh folder holding the sample character, made once for every benchmark.
const std::filesystem::path& SampleDir() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() / "boxedit-bench-sample";
    std::string error;
    if (!WriteSampleCharacter(path, &error)) std::abort();
    return path;
  }();
  return dir;
}

const std::filesystem::path& EmptyDir() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() / "boxedit-bench-empty";
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

// The non-empty pattern whose frame draws the most: the longest motion-strip walk and boxes.
int32_t BusiestPattern(Editor& editor) {
  int32_t best = 0;
  int64_t bestWork = -1;
  for (int32_t i = 0; i <= editor.list.lastPattern; ++i) {
    const PatternRecord& p = editor.list.patterns[i];
    if (p.IsEmpty()) continue;
    int64_t work = 0;
    for (int32_t s = i / 10 * 10; s < kPatternCount && editor.list.patterns[s].to == -1; ++s) {
      work += editor.list.patterns[s].speed > 0 ? editor.list.patterns[s].speed : 20;
    }
    if (work > bestWork) bestWork = work, best = i;
  }
  return best;
}

void RunFrames(benchmark::State& state, const std::filesystem::path& dir, bool busiest,
               bool onionAndHelp = false, bool fieldCursor = false) {
  HeadlessPlatform platform;
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, dir, log);
  if (StartUp(*editor) != 0) {
    state.SkipWithError("start-up failed");
    return;
  }
  if (busiest) editor->state.currentPattern = BusiestPattern(*editor);
  editor->onionSkin = onionAndHelp;
  editor->keyHelp = onionAndHelp;
  if (fieldCursor) editor->state.cursor = Field::kDamage, editor->state.entry = "-123";
  for (auto _ : state) DrawFrame(*editor);
  state.SetLabel("pattern " + std::to_string(editor->state.currentPattern));
}

void BM_GreyFrame(benchmark::State& state) {
  RunFrames(state, EmptyDir(), false);
}
BENCHMARK(BM_GreyFrame)->Unit(benchmark::kMicrosecond);

void BM_SampleBusiestFrame(benchmark::State& state) {
  RunFrames(state, SampleDir(), true);
}
BENCHMARK(BM_SampleBusiestFrame)->Unit(benchmark::kMicrosecond);

// The same frame with the previous pattern's boxes under it and the key help over it.
void BM_SampleBusiestFrameWithOnionSkinAndHelp(benchmark::State& state) {
  RunFrames(state, SampleDir(), true, true);
  state.counters["undo_step_bytes"] = sizeof(EditStep);
}
BENCHMARK(BM_SampleBusiestFrameWithOnionSkinAndHelp)->Unit(benchmark::kMicrosecond);

// The same frame with the field cursor on DAMEG and a value being typed there.
void BM_SampleBusiestFrameWithFieldEntry(benchmark::State& state) {
  RunFrames(state, SampleDir(), true, false, true);
}
BENCHMARK(BM_SampleBusiestFrameWithFieldEntry)->Unit(benchmark::kMicrosecond);

// The frame bar alone, of the busiest pattern's motion: what the bar adds to each frame.
void BM_FrameBarOfBusiestPattern(benchmark::State& state) {
  HeadlessPlatform platform;
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, SampleDir(), log);
  if (StartUp(*editor) != 0) {
    state.SkipWithError("start-up failed");
    return;
  }
  const int32_t pattern = BusiestPattern(*editor);
  const Font font(editor->pool.font, editor->display);
  for (auto _ : state) DrawFrameBar(editor->display, font, editor->list, pattern);
  state.SetLabel("pattern " + std::to_string(pattern));
}
BENCHMARK(BM_FrameBarOfBusiestPattern)->Unit(benchmark::kMicrosecond);

void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    HeadlessPlatform platform;
    std::ostringstream log;
    auto editor = std::make_unique<Editor>(platform, SampleDir(), log);
    StartUp(*editor);
    DrawFrame(*editor);
    benchmark::DoNotOptimize(platform.presentCount());
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace boxedit
