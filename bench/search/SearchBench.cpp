// Counting the lines of a large loaded document that hold a hit, with the line driver:
// a literal, the same ignoring case, as a whole word, and a regular expression. The file
// is named by ZK_BENCH_FILE (default /tmp/zkcorpus/big.txt from the shared corpus
// generator); bench/search/search.sh runs this next to grep -c on the same file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "editor/search/LineSearch.h"
#include "editor/search/SearchEngine.h"
#include "editor/text/TextFile.h"

namespace {

std::string BenchFile() {
  const char* env = std::getenv("ZK_BENCH_FILE");
  return env ? env : "/tmp/zkcorpus/big.txt";
}

// Loaded once: the search, not the load, is measured.
const TTextLines* Document(int64_t* bytes) {
  static std::unique_ptr<TTextLines> lines;
  static int64_t total = 0;
  if (!lines) {
    auto loaded = std::make_unique<TTextLines>();
    if (LoadTextFile(BenchFile().c_str(), *loaded, nullptr, 0, lemCrLf, false, nullptr,
                     nullptr) != 0)
      return nullptr;
    for (int32_t i = 0; i < loaded->Count(); ++i) total += loaded->Length(i) + 2;
    lines = std::move(loaded);
  }
  *bytes = total;
  return lines.get();
}

void CountLines(benchmark::State& state, const char* text, bool caseSensitive, bool wholeWords,
                bool regExp) {
  int64_t bytes = 0;
  const TTextLines* lines = Document(&bytes);
  if (!lines) {
    state.SkipWithError(("cannot load " + BenchFile()).c_str());
    return;
  }
  TEngineRequest request;
  std::strncpy(request.SearchText, text, kSearchTextMax);
  request.CaseSensitive = caseSensitive;
  request.WholeWords = wholeWords;
  request.RegularExpression = regExp;
  TRegExp rx;
  if (PrepareEngine(request, rx) != reOk) {
    state.SkipWithError("bad pattern");
    return;
  }
  int64_t count = 0;
  for (auto _ : state) {
    TLineSearch driver;
    count = 0;
    TSearchHit hit;
    TTextPos start{0, 0};
    while (driver.Find(*lines, request, start, &hit, rx)) {
      ++count;
      start = TTextPos{0, hit.Line + 1};
      if (start.Line >= lines->Count()) break;
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["lines"] = static_cast<double>(count);
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Literal(benchmark::State& s) { CountLines(s, "Zielmarke", true, false, false); }
void BM_IgnoreCase(benchmark::State& s) { CountLines(s, "zielmarke", false, false, false); }
void BM_WholeWord(benchmark::State& s) { CountLines(s, "Zielmarke", true, true, false); }
void BM_RegExp(benchmark::State& s) { CountLines(s, "Ziel[a-z]+e", true, false, true); }

BENCHMARK(BM_Literal)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_IgnoreCase)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_WholeWord)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RegExp)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
