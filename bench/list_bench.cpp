// Reading and writing a full pattern list of 1300 slots.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "chardata/list_reader.h"
#include "chardata/list_writer.h"
#include "full_table.h"

namespace boxedit {
namespace {

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
    if (Save(*list, dir, SaveLayout::kS) != 1) state.SkipWithError("save failed");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveS)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace boxedit
