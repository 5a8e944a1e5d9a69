// Scripted drag and drop for tests on the headless back end: drops onto a window at a point
// with keys, and what the user does with the next drag a window starts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/DragDrop.h"

namespace platform {

struct TDragOutcome {
  enum class TKind : uint8_t { Cancel, Drop };
  TKind Kind = TKind::Cancel;  // Cancel: Escape before the drop
  TWindow Target = 0;          // Drop: onto this window's client point
  TPoint Client;
  uint32_t KeyState = MK_LBUTTON;  // held while dragging; the buttons are up at the drop
};

// Consumed in order by DoDragDrop on a back end without native drags; without one a drag is
// cancelled.
void QueueDragOutcome(const TDragOutcome& outcome);
// What the last drag started offered.
std::optional<TTransferData> LastDragData();

// Drags `data` onto `window` at `client` (enter, over, then the drop, or a leave when the
// effect is none) and returns the effect.
uint32_t ScriptDrop(TWindow window, const TTransferData& data, TPoint client,
                    uint32_t keyState = MK_LBUTTON,
                    uint32_t allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);
// Files from the desktop's file manager dropped onto `window`.
uint32_t ScriptDropFiles(TWindow window, const std::vector<std::string>& paths, TPoint client);

}  // namespace platform
