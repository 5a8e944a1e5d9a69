// Compiles a generated 100,000-line source with the sample definition and driver.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/compiler/GenerateSource.h"
#include "compiler/core/Compile.h"

namespace {

constexpr int kLines = 100000;

void BM_CompileSample(benchmark::State& state) {
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
  unlink(source.c_str());
  unlink(record.c_str());
  rmdir(dir);
}
BENCHMARK(BM_CompileSample)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
