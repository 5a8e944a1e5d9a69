// Sending and posting messages, the message loop with its idle step, and timers.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

// Calls the window procedure at once. From another thread the message is handed to the
// user-interface thread and the call waits for its answer (0 when the window is gone or
// the layer shuts down).
intptr_t SendMessage(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Queues the message (any thread); false for an invalid window.
bool PostMessage(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// WM_QUIT with the code is retrieved once the queue is empty.
void PostQuitMessage(int32_t code);

// Waits for the next message: posted ones first, then paints, then due timers.
// False when it is WM_QUIT.
bool GetMessage(TMsg& msg);
// Like GetMessage without waiting; false when nothing is pending.
bool PeekMessage(TMsg& msg, bool remove);
intptr_t DispatchMessage(const TMsg& msg);

struct TLoopHooks {
  // True when the message was handled before dispatch (dialogs, accelerators).
  std::function<bool(const TMsg&)> PreTranslate;
  // Runs when the queue is empty; true asks to be called again before waiting.
  std::function<bool()> Idle;
};
// Runs until WM_QUIT and returns its code.
int32_t RunMessageLoop(const TLoopHooks& hooks = {});
// Lets one pending message run; false when there was none (a WM_QUIT stays queued).
bool PumpOneMessage();

// A message number for a name, the same for every caller in the process (without regard to
// case), from 0xC000 up; 0 for an empty name or when the numbers are used up.
uint32_t RegisterWindowMessage(std::string_view name);

// Replaces a timer with the same window and id. Returns the id, 0 on failure.
uintptr_t SetTimer(TWindow window, uintptr_t id, uint32_t periodMs);
bool KillTimer(TWindow window, uintptr_t id);

}  // namespace platform
