// Load and save of a large text file. The file is named by ZK_BENCH_FILE (default
// /tmp/zkbench/corpus/big.txt, made by the shared corpus generator); bench/textfile.sh
// runs this next to wc -l and cat on the same file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "editor/text/TextFile.h"

namespace {

std::string BenchFile() {
  const char* env = std::getenv("ZK_BENCH_FILE");
  return env ? env : "/tmp/zkbench/corpus/big.txt";
}

std::string OutFile() {
  const char* env = std::getenv("ZK_BENCH_OUT");
  return env ? env : "/tmp/zkbench/out/zk_save.txt";
}

void BM_LoadTextFile(benchmark::State& state) {
  const std::string path = BenchFile();
  int64_t lines = 0;
  for (auto _ : state) {
    TTextLines store;
    int32_t status =
        LoadTextFile(path.c_str(), store, nullptr, 0, lemCrLf, false, nullptr, nullptr);
    if (status != 0) {
      state.SkipWithError(("cannot load " + path).c_str());
      return;
    }
    lines = store.Count();
    state.PauseTiming();
    store.Empty();  // freeing is not part of the load
    state.ResumeTiming();
  }
  state.counters["lines"] = static_cast<double>(lines);
}

void BM_SaveTextFile(benchmark::State& state) {
  const std::string path = BenchFile();
  const std::string out = OutFile();
  TTextLines store;
  if (LoadTextFile(path.c_str(), store, nullptr, 0, lemCrLf, false, nullptr, nullptr) != 0) {
    state.SkipWithError(("cannot load " + path).c_str());
    return;
  }
  for (auto _ : state) {
    if (SaveTextFile(out.c_str(), store, nullptr, false, 0, 0, lefWindows) != 0) {
      state.SkipWithError(("cannot save " + out).c_str());
      return;
    }
  }
}

void BM_WalkLines(benchmark::State& state) {
  const std::string path = BenchFile();
  TTextLines store;
  if (LoadTextFile(path.c_str(), store, nullptr, 0, lemCrLf, false, nullptr, nullptr) != 0) {
    state.SkipWithError(("cannot load " + path).c_str());
    return;
  }
  for (auto _ : state) {
    size_t total = 0;
    for (int32_t i = 0; i < store.Count(); ++i)
      total += static_cast<size_t>(store.Length(i));
    benchmark::DoNotOptimize(total);
  }
}

}  // namespace

BENCHMARK(BM_LoadTextFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_SaveTextFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_WalkLines)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
