// Reading, looking up and writing a settings file of several megabytes.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/profile/ProfileFile.h"

namespace {

// 200 sections of 1,000 keys, about 6 MB.
std::string MakeProfile() {
  std::string text;
  for (int s = 0; s < 200; ++s) {
    text += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 1000; ++k)
      text += "Key" + std::to_string(k) + "=C:\\Projekte\\Terminal\\Quelle" + std::to_string(k) + ".vel\r\n";
  }
  return text;
}

void BM_ProfileParse(benchmark::State& state) {
  std::string text = MakeProfile();
  for (auto _ : state) {
    platform::TProfileFile f;
    f.Parse(text);
    benchmark::DoNotOptimize(f);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ProfileParse)->Unit(benchmark::kMillisecond);

void BM_ProfileLookup(benchmark::State& state) {
  platform::TProfileFile f;
  f.Parse(MakeProfile());
  int i = 0;
  for (auto _ : state) {
    std::string section = "section" + std::to_string(i % 200);
    std::string key = "KEY" + std::to_string((i * 7) % 1000);
    benchmark::DoNotOptimize(f.ReadString(section, key, ""));
    ++i;
  }
}
BENCHMARK(BM_ProfileLookup);

void BM_ProfileRewriteList(benchmark::State& state) {
  platform::TProfileFile f;
  f.Parse(MakeProfile());
  for (auto _ : state) {
    f.EraseSection("Section100");
    for (int k = 0; k < 20; ++k) f.WriteString("Section100", "STR" + std::to_string(k), "text");
    benchmark::DoNotOptimize(f.Text());
  }
}
BENCHMARK(BM_ProfileRewriteList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
