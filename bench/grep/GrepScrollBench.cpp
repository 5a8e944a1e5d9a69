// The hit list with 50,000 lines on the headless back end: the search that fills it, and
// going to its end and back with a repaint each time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "tests/editor/grep/GrepTestHost.h"

using namespace platform;

namespace {

// A directory with one file of `lines` hit lines, removed at the end.
struct TTree {
  std::string Path;
  explicit TTree(int lines) {
    char pattern[] = "/tmp/zkgrepbench-XXXXXX";
    Path = mkdtemp(pattern);
    std::string text;
    for (int i = 0; i < lines; ++i) text += "eine Zeile mit Zielmarke Nummer " + std::to_string(i) + "\r\n";
    FILE* f = std::fopen((Path + "/hits.txt").c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  ~TTree() { std::system(("rm -rf " + Path).c_str()); }
};

TGrepParam OrderFor(const TTree& tree) {
  TGrepParam order;
  SetGrepField(order.SearchText, "Zielmarke");
  SetGrepField(order.FileMasks, "*.txt");
  order.Dirs.push_back(tree.Path);
  return order;
}

void SearchFiftyThousandLines(benchmark::State& state) {
  InitUi(std::make_unique<THeadlessBackend>());
  TTree tree(60000);
  {
    TGrepTestHost host;
    for (auto _ : state) {
      TWindow w = OpenGrepWindow(host.Host, OrderFor(tree));
      benchmark::DoNotOptimize(w);
      state.PauseTiming();
      if (w) SendMessage(host.Client, WM_MDIDESTROY, static_cast<uintptr_t>(w), 0);
      RunPendingMessages();
      state.ResumeTiming();
    }
  }
  ShutdownUi();
}
BENCHMARK(SearchFiftyThousandLines)->Unit(benchmark::kMillisecond);

void ScrollToEndAndBack(benchmark::State& state) {
  InitUi(std::make_unique<THeadlessBackend>());
  TTree tree(60000);
  {
    TGrepTestHost host;
    TWindow w = OpenGrepWindow(host.Host, OrderFor(tree));
    TGrepChildData* d = GrepChildOf(w);
    if (!d || d->Lines.Count() < kGrepMaxLines) state.SkipWithError("no full hit list");
    for (auto _ : state) {
      if (!d) break;
      d->MoveCaretTo(VK_END, 3, false);
      UpdateWindow(w);
      d->MoveCaretTo(VK_HOME, 3, false);
      UpdateWindow(w);
    }
  }
  ShutdownUi();
}
BENCHMARK(ScrollToEndAndBack)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
