// Runs a comparison while the user interface stays alive: pending messages are
// dispatched between steps, Escape or a vanished owner cancels, the wait cursor shows.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/views/CompareEngine.h"
#include "platform/ui/UiTypes.h"

struct TCompareRunHooks {
  // Extra condition to go on (a window closed meanwhile answers false); may be empty.
  std::function<bool()> GoOn;
  // Units of engine work between two dispatches; tests make it small.
  uint32_t Interval = 0;  // 0: the default
};

// The engine's status; csCancelled after Escape, a WM_QUIT (posted again), a closed
// `owner` or a GoOn that answered false.
int32_t RunComparison(TCompareEngine& engine, const TDiffExtraData& extra,
                      platform::TWindow owner, const TCompareRunHooks& hooks = {});

// The interval all later runs use when their hooks leave it 0 (tests and benchmarks).
void SetDefaultCompareInterval(uint32_t interval);
