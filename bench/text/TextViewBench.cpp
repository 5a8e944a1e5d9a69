// The editor window on a 1,000,000-line file: open and paint the first screen (headless and
// Qt offscreen), a keystroke to its painted line at the end, a 27-column block over 187,616
// lines (select, delete, undo) and sorting all lines. ZK_BENCH_FILE names the file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "editor/text/ChildClasses.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#ifdef ZK_BENCH_QT
#include <QApplication>

#include "platform/qt/QtBackend.h"
#endif

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

// A user interface with a frame and the editor class, for the lifetime of one benchmark.
class TSession {
 public:
  explicit TSession(std::unique_ptr<TUiBackend> backend) {
    InitUi(std::move(backend));
    TWindowClass frame;
    frame.Name = "BenchFrame";
    frame.Proc = FrameProc;
    (void)RegisterWindowClass(frame);
    (void)RegisterChildClass(wkEdit, EditChildProc);
    Frame = CreateWindowEx(0, "BenchFrame", "Z&K Quellwerk", WS_VISIBLE, {0, 0, 1000, 800}, 0,
                           nullptr);
    TLogFont log;
    log.Height = -16;
    log.FaceName = "Courier New";
    Font = CreateFontIndirect(log);
  }
  ~TSession() { ShutdownUi(); }

  TWindow Open(const std::string& file) {
    TChildCreateParams p{};
    p.FrameWindow = Frame;
    p.Kind = wkEdit;
    p.FileName = file.c_str();
    p.Font = Font;
    p.TabWidth = 8;
    p.LineNumbers = 1;
    p.LineEndMode = lemCrLf;
    p.ColumnBlock = 1;
    TWindow w = CreateWindowEx(0, "ZKEditEditWin", file, WS_CHILD | WS_VISIBLE | WS_HSCROLL |
                               WS_VSCROLL, {0, 0, 960, 720}, Frame, &p);
    return w;
  }
  static TEditChildData& Doc(TWindow w) { return *dynamic_cast<TEditChildData*>(GetChildData(w)); }

  TWindow Frame = 0;
  TFont Font = 0;
};

void OpenAndPaint(benchmark::State& state, TSession& session) {
  for (auto _ : state) {
    TWindow w = session.Open(BenchFile());
    TEditChildData& d = TSession::Doc(w);
    if (d.LoadFile() != 0) state.SkipWithError("cannot load the file");
    UpdateWindow(w);
    state.PauseTiming();
    benchmark::DoNotOptimize(d.Lines.Count());
    DestroyWindow(w);
    RunPendingMessages();
    state.ResumeTiming();
  }
}

void BM_OpenAndPaintHeadless(benchmark::State& state) {
  TSession session(std::make_unique<THeadlessBackend>());
  OpenAndPaint(state, session);
}
BENCHMARK(BM_OpenAndPaintHeadless)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_KeystrokeAtTheEnd(benchmark::State& state) {
  TSession session(std::make_unique<THeadlessBackend>());
  TWindow w = session.Open(BenchFile());
  TEditChildData& d = TSession::Doc(w);
  (void)d.LoadFile();
  d.MoveCaretTo(VK_END, 3, false);
  UpdateWindow(w);
  for (auto _ : state) {
    SendMessage(w, WM_CHAR, 'x', 0);
    UpdateWindow(w);
    d.Undo();
    UpdateWindow(w);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KeystrokeAtTheEnd)->Unit(benchmark::kMicrosecond)->Iterations(10000);

// The block: columns 10 to 37 of the first 187,616 lines.
constexpr int32_t kBlockLines = 187616;
TTextRange Block() { return MakeTextRange(0, 10, kBlockLines - 1, 37); }

void BM_ColumnBlock(benchmark::State& state) {
  TSession session(std::make_unique<THeadlessBackend>());
  TWindow w = session.Open(BenchFile());
  TEditChildData& d = TSession::Doc(w);
  (void)d.LoadFile();
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    d.SetCaret(0, 0, false, false);
    TTextRange block = Block();
    if (step > 0) d.SetSelection(&block, 1);
    if (step > 1) d.Delete();
    UpdateWindow(w);
    state.ResumeTiming();
    if (step == 0) d.SetSelection(&block, 1);
    if (step == 1) d.Delete();
    if (step == 2) d.Undo();
    UpdateWindow(w);
    state.PauseTiming();
    if (step == 1) d.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ColumnBlock)->Arg(0)->Arg(1)->Arg(2)->ArgNames({"select0_delete1_undo2"})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortAllLines(benchmark::State& state) {
  TSession session(std::make_unique<THeadlessBackend>());
  TWindow w = session.Open(BenchFile());
  TEditChildData& d = TSession::Doc(w);
  (void)d.LoadFile();
  d.SetColumnBlock(false);
  const int mode = static_cast<int>(state.range(0));  // 0 ascending, 1 descending, 2 sorted
  if (mode == 2) {
    d.SetSelection(nullptr, 0);
    d.SortLines(TSortOptions{});
  }
  for (auto _ : state) {
    d.SetSelection(nullptr, 0);
    d.SortLines(TSortOptions{mode == 1, false, false});
    UpdateWindow(w);
    state.PauseTiming();
    if (mode != 2) d.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SortAllLines)->Arg(0)->Arg(1)->Arg(2)->ArgNames({"asc0_desc1_sorted2"})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef ZK_BENCH_QT
void BM_OpenAndPaintQtOffscreen(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TSession session(std::make_unique<TQtBackend>());
  OpenAndPaint(state, session);
}
BENCHMARK(BM_OpenAndPaintQtOffscreen)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace

BENCHMARK_MAIN();
