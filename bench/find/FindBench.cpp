// The replace loop and find next of a text window on big.txt, headless: replace all "e" by
// "ee" without confirmation and undo it in one step, replace all "Zielmarke" by "Ziel",
// and find a word that occurs once at the end. ZK_BENCH_FILE names the file, ZK_BENCH_WORD
// the word to find.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "editor/find/FindController.h"
#include "editor/find/TextWindowSearch.h"
#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

std::string BenchFile() {
  const char* f = std::getenv("ZK_BENCH_FILE");
  return f ? f : "/tmp/zkcorpus/big.txt";
}

intptr_t FrameProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) return 1;
  return DefWindowProc(w, m, wp, lp);
}

class TSession {
 public:
  TSession() {
    InitUi(std::make_unique<THeadlessBackend>());
    TWindowClass frame;
    frame.Name = "BenchFrame";
    frame.Proc = FrameProc;
    (void)RegisterWindowClass(frame);
    (void)RegisterChildClass(wkEdit, EditChildProc);
    RegisterTextWindowSearch();
    Frame = CreateWindowEx(0, "BenchFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 1000, 800}, 0,
                           nullptr);
    TLogFont log;
    log.Height = -16;
    log.FaceName = "Courier New";
    Font = CreateFontIndirect(log);
    Finder.Owner = Frame;
    Finder.Message = [this](std::string_view text, uint32_t, int32_t) { Said = std::string(text); };
    // No key is ever pressed here; the loop still looks at the input as it would.
    Window = Open();
    if (const int32_t r = Doc().LoadFile(); r != 0) std::fprintf(stderr, "cannot load %s: %d\n", BenchFile().c_str(), r);
  }
  ~TSession() { ShutdownUi(); }

  TWindow Open() {
    TChildCreateParams p{};
    p.FrameWindow = Frame;
    p.Kind = wkEdit;
    const std::string file = BenchFile();
    p.FileName = file.c_str();
    p.Font = Font;
    p.TabWidth = 8;
    p.LineEndMode = lemCrLf;
    return CreateWindowEx(0, "ZKEditEditWin", file,
                          WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, {0, 0, 960, 720},
                          Frame, &p);
  }
  TEditChildData& Doc() { return *dynamic_cast<TEditChildData*>(GetChildData(Window)); }

  TWindow Frame = 0;
  TFont Font = 0;
  TWindow Window = 0;
  TFindController Finder;
  std::string Said;
};

TSearchRequest Request(const char* search, const char* replace) {
  TSearchRequest r;
  std::snprintf(r.SearchText, sizeof r.SearchText, "%s", search);
  std::snprintf(r.ReplaceText, sizeof r.ReplaceText, "%s", replace);
  r.CaseSensitive = true;
  return r;
}

void BM_ReplaceAllEByEE(benchmark::State& state) {
  TSession s;
  for (auto _ : state) {
    s.Finder.RunReplace(s.Window, Request("e", "ee"));
    state.PauseTiming();
    const bool done = s.Said == "Suchen und Ersetzen beendet!";
    s.Said.clear();
    const auto start = std::chrono::steady_clock::now();
    s.Doc().Undo();
    state.counters["undo_ms"] = std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - start).count();
    state.ResumeTiming();
    if (!done || s.Doc().CanUndo()) {
      state.SkipWithError("replace or undo did not finish");
      break;
    }
  }
}
BENCHMARK(BM_ReplaceAllEByEE)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReplaceAllZielmarke(benchmark::State& state) {
  TSession s;
  for (auto _ : state) {
    s.Finder.RunReplace(s.Window, Request("Zielmarke", "Ziel"));
    state.PauseTiming();
    s.Doc().Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReplaceAllZielmarke)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindWordAtTheEnd(benchmark::State& state) {
  TSession s;
  const char* word = std::getenv("ZK_BENCH_WORD");
  for (auto _ : state) {
    s.Doc().SetCaret(0, 0, false, false);
    const bool found = s.Finder.RunFind(s.Window, Request(word ? word : "Schlusswort", ""));
    if (!found) state.SkipWithError("the word was not found");
  }
}
BENCHMARK(BM_FindWordAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
