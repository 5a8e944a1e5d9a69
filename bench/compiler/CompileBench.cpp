// Compiles generated 100,000- and 1,000,000-line sources with the sample definition and
// driver; reports lines per second and the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/compiler/GenerateSource.h"
#include "compiler/core/Compile.h"

namespace {

void BM_CompileSample(benchmark::State& state) {
  const int kLines = static_cast<int>(state.range(0));
  char dir[] = "/tmp/zkbench-XXXXXX";
  if (!mkdtemp(dir)) std::abort();
  const std::string source = std::string(dir) + "/big.vel";
  const std::string record = std::string(dir) + "/big.ved";
  const std::string text = GenerateVelSource(kLines);
  FILE* f = std::fopen(source.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  const std::string samples = std::string(ZK_SOURCE_DIR) + "/samples/vel/";
  for (auto _ : state) {
    TMessageList messages;
    const int32_t result =
        VelCompile(source.c_str(), (samples + "ZIRE.CFG").c_str(),
                   (samples + "ZIRE.DRV").c_str(), nullptr, 4096, nullptr, nullptr,
                   record.c_str(), messages);
    if (result != kCompileOk) state.SkipWithError("compile failed");
  }
  state.SetItemsProcessed(state.iterations() * kLines);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  unlink(source.c_str());
  unlink(record.c_str());
  rmdir(dir);
}
BENCHMARK(BM_CompileSample)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
