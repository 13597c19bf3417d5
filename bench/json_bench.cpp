// boxtool export and import of a full list of 1300 slots: the document made and written as text,
// and the text parsed, checked and formatted as the list file.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/list_json.h"
#include "full_table.h"

namespace boxedit {
namespace {

void BM_ExportFullList(benchmark::State& state) {
  const auto list = FullTable();
  for (auto _ : state) benchmark::DoNotOptimize(ListToJson(*list, kHeader).dump(2));
}
BENCHMARK(BM_ExportFullList)->Unit(benchmark::kMillisecond);

void BM_ImportFullList(benchmark::State& state) {
  const std::string text = ListToJson(*FullTable(), kHeader).dump(2);
  auto list = std::make_unique<MotionList>();
  for (auto _ : state) {
    ListHeader header;
    std::vector<std::string> problems;
    if (!ListFromJson(nlohmann::json::parse(text), list.get(), &header, &problems)) {
      state.SkipWithError("the document was refused");
    }
    benchmark::DoNotOptimize(FormatList(*list, header, SaveLayout::kS));
  }
}
BENCHMARK(BM_ImportFullList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace boxedit
