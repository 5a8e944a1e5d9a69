// Colouring a 1,000,000-line C-like document top to bottom, and after random jumps.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "editor/search/SyntaxColoring.h"
#include "editor/text/TextLines.h"

namespace {

constexpr int32_t kLines = 1000000;

const TTextLines& Document() {
  static TTextLines lines = [] {
    TTextLines l;
    std::mt19937 random(7);
    const char* shapes[] = {
        "  for (int i = 0; i < count; ++i) {",
        "    total += values[i] * factor;  // running sum",
        "  }",
        "  if (status != 0) return \"Fehler beim Lesen\";",
        "/* Block comment that opens here",
        "   and closes here */ int x = 42;",
        "static const char* name = \"/* not a comment */\";",
        "",
        "  while (next) { next = next->link; }",
        "#include \"platform/file/File.h\"",
    };
    for (int32_t i = 0; i < kLines; ++i) l.AddCopy(shapes[random() % std::size(shapes)]);
    return l;
  }();
  return lines;
}

TSyntaxColorInfo CInfo() {
  TSyntaxColorInfo info;
  info.StringChar = '"';
  info.LineComment = "//";
  info.BlockBegin = "/*";
  info.BlockEnd = "*/";
  info.KeyCase = true;
  info.KeyWords = "char const for if int return static while #include";
  return info;
}

void BM_ColorTopToBottom(benchmark::State& state) {
  const TTextLines& lines = Document();
  for (auto _ : state) {
    TSyntaxColoring coloring(lines, CInfo());
    size_t runs = 0;
    for (int32_t i = 0; i < kLines; ++i) runs += coloring.ColorLine(i).size();
    benchmark::DoNotOptimize(runs);
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(kLines) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColorTopToBottom)->Unit(benchmark::kMillisecond);

// Each jump paints one screen (50 lines) at a random place of a freshly opened window,
// so every jump starts without remembered states.
void BM_ColorRandomJumps(benchmark::State& state) {
  const TTextLines& lines = Document();
  std::mt19937 random(11);
  for (auto _ : state) {
    size_t runs = 0;
    for (int jump = 0; jump < 1000; ++jump) {
      TSyntaxColoring coloring(lines, CInfo());
      int32_t top = static_cast<int32_t>(random() % (kLines - 50));
      for (int32_t i = top; i < top + 50; ++i) runs += coloring.ColorLine(i).size();
    }
    benchmark::DoNotOptimize(runs);
  }
  state.counters["jumps/s"] = benchmark::Counter(1000.0 * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ColorRandomJumps)->Unit(benchmark::kMillisecond);

// Jumps within one window: the states found on the way are kept.
void BM_ColorRandomJumpsSameWindow(benchmark::State& state) {
  const TTextLines& lines = Document();
  std::mt19937 random(13);
  for (auto _ : state) {
    TSyntaxColoring coloring(lines, CInfo());
    size_t runs = 0;
    for (int jump = 0; jump < 1000; ++jump) {
      int32_t top = static_cast<int32_t>(random() % (kLines - 50));
      for (int32_t i = top; i < top + 50; ++i) runs += coloring.ColorLine(i).size();
    }
    benchmark::DoNotOptimize(runs);
  }
}
BENCHMARK(BM_ColorRandomJumpsSameWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
