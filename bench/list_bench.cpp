// Reading and writing a full pattern list of 1300 slots.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "chardata/list_reader.h"
#include "chardata/list_writer.h"

namespace boxedit {
namespace {

const ListHeader kHeader{"BENCH", {0, 255, 0, 3}, "END"};

// Every slot filled with varied values, as a large character's list would be.
std::unique_ptr<MotionList> FullTable() {
  auto list = std::make_unique<MotionList>();
  for (int i = 0; i < kPatternCount; ++i) {
    PatternRecord& r = list->patterns[i];
    r.to = i % 10 == 9 ? i - 9 : -1;
    r.speed = 1 + i % 7;
    r.picture = i % 256;
    r.circo = i % 60;
    r.voice = 9;
    r.vx = (i * 13) % 200 - 100;
    r.vy = (i * 7) % 120;
    r.clash = i % 3 - 1;
    r.guard = i % 4;
    r.damage = i % 50;
    r.hitTo = -1;
    r.flags = static_cast<uint32_t>(i % 16);
    r.defense[0] = {-18, 72 + i % 40, 18, 0};
    r.defense[1] = {-(i % 255), i % 511, i % 200, i % 100};
    r.attack[0] = {i % 255, 200 - i % 100, 255 - i % 50, 10};
    std::snprintf(r.comment.data(), kCommentSize, "MOTION%d-%d", i / 10, i % 10);
  }
  list->lastPattern = kPatternCount - 1;
  return list;
}

void BM_LoadText(benchmark::State& state) {
  const std::string text = FormatList(*FullTable(), kHeader, SaveLayout::kS);
  auto list = std::make_unique<MotionList>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadText(*list, text));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadText)->Unit(benchmark::kMicrosecond);

// Load from disk: reading motion.lst as well as parsing it.
void BM_Load(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "boxedit-bench-load";
  std::filesystem::create_directories(dir);
  std::FILE* out = std::fopen((dir / kListFileName).c_str(), "wb");
  const std::string text = FormatList(*FullTable(), kHeader, SaveLayout::kS);
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  auto list = std::make_unique<MotionList>();
  for (auto _ : state) benchmark::DoNotOptimize(Load(*list, dir));
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

void BM_FormatList(benchmark::State& state) {
  const auto list = FullTable();
  const SaveLayout layout = state.range(0) == 0 ? SaveLayout::kS : SaveLayout::kL;
  for (auto _ : state) benchmark::DoNotOptimize(FormatList(*list, kHeader, layout));
}
BENCHMARK(BM_FormatList)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole save: header copy, formatting, temporary file, flush to disk and rename.
void BM_SaveS(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "boxedit-bench-save";
  std::filesystem::create_directories(dir);
  std::FILE* out = std::fopen((dir / kListFileName).c_str(), "wb");
  std::fputs("BENCH 0 255 0 3 END\n", out);
  std::fclose(out);
  const auto list = FullTable();
  for (auto _ : state) {
    if (SaveS(*list, dir) != 1) state.SkipWithError("save failed");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveS)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace boxedit
