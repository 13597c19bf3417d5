// boxtool's frame data and contact sheet on a full list of 1300 slots.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "backends/headless/headless_platform.h"
#include "chardata/list_reader.h"
#include "full_table.h"
#include "motion/frame_data.h"
#include "sample/sample_character.h"
#include "sheet/contact_sheet.h"

namespace boxedit {
namespace {

void BM_FrameDataOfEveryMotion(benchmark::State& state) {
  const auto list = FullTable();
  for (auto _ : state) {
    for (int32_t m = 0; m < kMotionCount; ++m) benchmark::DoNotOptimize(ComputeFrameData(*list, m));
  }
}
BENCHMARK(BM_FrameDataOfEveryMotion)->Unit(benchmark::kMicrosecond);

// The sample's tiles and pictures under a full list whose slots cycle through its pictures.
std::filesystem::path FullCharacterDir() {
  const auto dir = std::filesystem::temp_directory_path() / "boxedit-bench-full";
  std::string error;
  if (!WriteSampleCharacter(dir, &error)) std::abort();
  auto sample = std::make_unique<MotionList>();
  Load(*sample, dir);
  int pictures = 1;
  for (const PatternRecord& r : sample->patterns) pictures = std::max(pictures, r.picture + 1);
  std::ofstream(dir / "motion.lst", std::ios::binary)
      << FormatList(*FullTable(pictures), kHeader, SaveLayout::kS);
  return dir;
}

// What the old encoder wrote for the same sheet: its rows in stored deflate blocks.
int64_t StoredPngBytes(int64_t width, int64_t height) {
  const int64_t raw = height * (1 + 3 * width);
  return 8 + 25 + 12 + (12 + 2 + raw + 5 * ((raw + 65534) / 65535) + 4);
}

void BM_ContactSheetOfAFullList(benchmark::State& state) {
  const std::filesystem::path dir = FullCharacterDir();
  HeadlessPlatform platform;
  std::ostringstream log;
  auto editor = std::make_unique<Editor>(platform, dir, log);
  if (StartUp(*editor) != 0) {
    state.SkipWithError("start-up failed");
    return;
  }
  std::vector<int32_t> patterns(kPatternCount);
  for (int32_t i = 0; i < kPatternCount; ++i) patterns[i] = i;
  for (auto _ : state) {
    std::string error;
    if (!WriteContactSheet(*editor, patterns, 8, dir / "sheet.png", {}, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  int64_t bytes = 0, stored = 0;
  for (int file = 0; std::filesystem::exists(SheetFile(dir / "sheet.png", file)); ++file) {
    bytes += static_cast<int64_t>(std::filesystem::file_size(SheetFile(dir / "sheet.png", file)));
  }
  // 1300 cells of 8 columns: 163 rows, in files of 64, 64 and 35 rows.
  for (int rows : {64, 64, 35}) stored += StoredPngBytes(8 + 8 * 330, 8 + rows * 270);
  state.counters["png_bytes"] = static_cast<double>(bytes);
  state.counters["stored_png_bytes"] = static_cast<double>(stored);
}
BENCHMARK(BM_ContactSheetOfAFullList)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace boxedit
