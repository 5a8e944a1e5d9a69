// Hex editor timings on one large file: opening a hex window and jumping to the end,
// searching the mapped bytes for a pattern, and saving scattered changes in overwrite mode.
// Usage: hex_bench FILE PATTERN [CHANGES]; prints one line per measurement.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editor/hex/FastFind.h"
#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildClasses.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

intptr_t FrameProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == wm_ChildNotify) return wp == cnQueryClose ? 1 : 0;
  return DefWindowProc(w, m, wp, lp);
}

TWindow OpenHex(TWindow frame, const std::string& path) {
  TChildCreateParams p{};
  p.FrameWindow = frame;
  p.Kind = wkHex;
  p.FileName = path.c_str();
  p.TextColor = 0xFFFFFFFF;
  TWindow w = CreateWindowEx(0, "ZKEditHexWin", path, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                             {0, 0, 800, 600}, frame, &p);
  if (w && ChildLoad(w) != 0) {
    DestroyWindow(w);
    return 0;
  }
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: hex_bench FILE PATTERN [CHANGES]\n");
    return 2;
  }
  const std::string path = argv[1];
  const std::string pattern = argv[2];
  const int changes = argc > 3 ? std::atoi(argv[3]) : 10000;
  InitUi(std::make_unique<THeadlessBackend>());
  TWindowClass frameClass;
  frameClass.Name = "BenchFrame";
  frameClass.Proc = FrameProc;
  if (!RegisterWindowClass(frameClass) || !RegisterChildClass(wkHex, HexChildProc)) return 1;
  TWindow frame = CreateWindowEx(0, "BenchFrame", "bench", WS_VISIBLE, {0, 0, 1024, 768}, 0, nullptr);

  // Open and jump to the end, with the last line formatted as painting would.
  std::vector<double> open;
  std::string last;
  for (int run = 0; run < 7; ++run) {
    auto t = Clock::now();
    TWindow w = OpenHex(frame, path);
    if (!w) {
      std::fprintf(stderr, "cannot open %s\n", path.c_str());
      return 1;
    }
    THexChildData* d = HexChild(w);
    d->MoveCaretTo(VK_END, 3, false);
    (void)d->GetLineText(d->Caret.Line - 1, last);
    open.push_back(Ms(t));
    DestroyWindow(w);
  }
  std::printf("open+end: %.2f ms (median of 7), last full line \"%.9s...\"\n", Median(open), last.c_str());

  TWindow w = OpenHex(frame, path);
  THexChildData* d = HexChild(w);
  const int64_t size = d->FileSize();
  const auto* data = reinterpret_cast<const char*>(d->Cache.Data());
  // The exact scan of hex input and case-sensitive text, and the engine's folding search.
  for (int mode = 0; mode < 2; ++mode) {
    std::vector<double> times;
    int64_t at = -1;
    for (int run = 0; run < 3; ++run) {
      TBufferSearch search;
      TSearchMatch hit;
      auto t = Clock::now();
      bool found = false;
      if (mode == 0) {
        int64_t off = FastFindForward(data, 0, size, pattern);
        found = off >= 0;
        hit.Offset = static_cast<int32_t>(off);
      } else {
        TSearchRequest request;
        std::snprintf(request.SearchText, sizeof request.SearchText, "%s", pattern.c_str());
        found = search.Find(data, size, MakeEngineRequest(request), 0, &hit);
      }
      times.push_back(Ms(t));
      at = found ? hit.Offset : -1;
    }
    double ms = Median(times);
    std::printf("search %s: %.1f ms, %.2f GB/s, hit at %lld\n", mode == 0 ? "exact (hex input, case-sensitive text)" : "text ignoring case (engine)", ms,
                static_cast<double>(size) / 1e6 / ms, static_cast<long long>(at));
  }

  // Scattered changes in overwrite mode, saved without a backup.
  std::mt19937_64 random(12345);
  for (int i = 0; i < changes; ++i) {
    int64_t offset = static_cast<int64_t>(random() % static_cast<uint64_t>(size));
    d->Changes.Set(offset, static_cast<uint8_t>(d->ByteAt(offset) ^ 0x20));
  }
  d->SetModified(true);
  auto t = Clock::now();
  int32_t status = d->SaveHere(false);
  std::printf("save %d changes: %.1f ms, status %d\n", changes, Ms(t), status);
  DestroyWindow(w);
  DestroyWindow(frame);
  ShutdownUi();
  return status == 0 ? 0 : 1;
}
