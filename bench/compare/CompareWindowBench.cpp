// The compare window on two files: from the dialog's OK (the comparison and the window) to
// both panes painted, next to `diff` on the same files; then Tab from difference to
// difference through the whole result, each step with both panes painted.
// Usage: compare_window_bench FILE1 FILE2
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "editor/compare/DiffChildData.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/Paint.h"
#include "tests/editor/compare/CompareTestHost.h"

using namespace platform;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double RunDiff(const char* a, const char* b) {
  const auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    if (!freopen("/dev/null", "w", stdout)) _exit(127);
    execlp("diff", "diff", a, b, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return Ms(start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: compare_window_bench FILE1 FILE2\n");
    return 2;
  }
  auto owned = std::make_unique<THeadlessBackend>();
  THeadlessBackend* backend = owned.get();
  InitUi(std::move(owned));
  std::vector<double> open, diff;
  int32_t differences = 0;
  std::vector<double> steps;
  {
    TCompareTestHost host;
    TDiffExtraData extra;
    extra.FirstFile = argv[1];
    extra.SecondFile = argv[2];
    for (int run = 0; run < 5; ++run) {
      const auto start = Clock::now();
      TWindow w = OpenCompareWindow(host.Host, extra);
      auto* d = dynamic_cast<TDiffChildData*>(GetChildData(w));
      if (!d) {
        std::fprintf(stderr, "the comparison failed\n");
        return 1;
      }
      UpdateWindow(w);
      UpdateWindow(d->Panes[0]);
      UpdateWindow(d->Panes[1]);
      open.push_back(Ms(start));
      diff.push_back(RunDiff(argv[1], argv[2]));
      differences = d->Engine->Rows().DifferenceRows();
      if (run < 4) {
        DestroyWindow(w);
        backend->Records.clear();
        continue;
      }
      // Tab until the beep: every step scrolls and paints both panes.
      for (;;) {
        const int32_t before = d->TopRow();
        const auto step = Clock::now();
        SendMessage(w, WM_KEYDOWN, VK_TAB, 0);
        UpdateWindow(d->Panes[0]);
        UpdateWindow(d->Panes[1]);
        const double ms = Ms(step);
        if (d->TopRow() == before) break;
        steps.push_back(ms);
        // The headless canvas records every drawing; its growth is no part of a step.
        backend->Records.clear();
      }
    }
  }
  ShutdownUi();
  double worst = steps.empty() ? 0 : *std::max_element(steps.begin(), steps.end());
  double sum = 0;
  for (double s : steps) sum += s;
  std::printf("difference rows: %d\n", differences);
  std::printf("OK to painted window: median %.1f ms (5 runs); diff: median %.1f ms; ratio %.2f\n",
              Median(open), Median(diff), Median(open) / Median(diff));
  std::printf("Tab steps: %zu, mean %.3f ms, worst %.3f ms\n", steps.size(),
              steps.empty() ? 0 : sum / static_cast<double>(steps.size()), worst);
  std::sort(steps.begin(), steps.end());
  if (!steps.empty()) {
    std::printf("steps above 5 ms: %zd; 99th percentile %.3f ms\n",
                std::count_if(steps.begin(), steps.end(), [](double s) { return s > 5; }),
                steps[steps.size() * 99 / 100]);
  }
  return 0;
}
