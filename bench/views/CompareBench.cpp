// The compare engine on two large files (ZK_BENCH_DIR/cmp_a.txt and cmp_b.txt, made by
// the shared corpus generator), with and without ignoring case and spaces.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "editor/views/CompareEngine.h"

namespace {

std::string CorpusFile(const char* name) {
  const char* dir = std::getenv("ZK_BENCH_DIR");
  return std::string(dir ? dir : "/tmp/zkcorpus") + "/" + name;
}

void Compare(benchmark::State& state, TDiffOptions options) {
  const std::string a = CorpusFile("cmp_a.txt"), b = CorpusFile("cmp_b.txt");
  TCompareEngine engine;
  int32_t rows = 0;
  for (auto _ : state) {
    if (engine.Compare(a, b, options, false) != csOk) {
      state.SkipWithError("cannot read the corpus (set ZK_BENCH_DIR)");
      return;
    }
    rows = engine.Rows().DifferenceRows();
  }
  state.counters["difference_rows"] = rows;
  state.counters["passes"] = engine.Passes();
}

void BM_Compare(benchmark::State& state) {
  Compare(state, {});
}
void BM_CompareIgnoreCaseSpaces(benchmark::State& state) {
  Compare(state, {true, false, true});
}

BENCHMARK(BM_Compare)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CompareIgnoreCaseSpaces)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
