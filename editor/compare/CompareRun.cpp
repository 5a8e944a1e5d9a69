#include "editor/compare/CompareRun.h"

#include "editor/views/CompareKeepAlive.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
uint32_t DefaultInterval = TCompareKeepAlive::kDefaultInterval;
// Messages let through per keep-alive call, so that a flood of input cannot stall the
// comparison.
constexpr int kMessagesPerCall = 64;
}  // namespace

void SetDefaultCompareInterval(uint32_t interval) {
  DefaultInterval = interval ? interval : TCompareKeepAlive::kDefaultInterval;
}

int32_t RunComparison(TCompareEngine& engine, const TDiffExtraData& extra, TWindow owner,
                      const TCompareRunHooks& hooks) {
  TWaitCursor wait;
  auto keepAlive = [&]() -> bool {
    TMsg msg;
    for (int i = 0; i < kMessagesPerCall && PeekMessage(msg, true); ++i) {
      if (msg.Message == WM_QUIT) {
        PostQuitMessage(static_cast<int32_t>(msg.WParam));
        return false;
      }
      if (msg.Message == WM_KEYDOWN && msg.WParam == VK_ESCAPE) return false;
      if (IsAnyDialogMessage(msg)) continue;
      DispatchMessage(msg);
    }
    if (owner && !IsWindow(owner)) return false;
    return !hooks.GoOn || hooks.GoOn();
  };
  TCompareKeepAlive alive(keepAlive, hooks.Interval ? hooks.Interval : DefaultInterval);
  return engine.Compare(extra.FirstFile, extra.SecondFile, OptionsOf(extra),
                        extra.OnlyDifferences != 0);
}
