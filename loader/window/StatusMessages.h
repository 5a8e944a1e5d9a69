// Messages between the worker's calls and the status window (private to the window).
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace krlad::status_detail {

// Sent, so that pointers in lParam stay valid and the calls arrive in the worker's order.
constexpr uint32_t wm_StatusText = platform::WM_USER + 1;      // wParam id, lParam std::string_view*
constexpr uint32_t wm_StatusProgress = platform::WM_USER + 2;  // wParam TProgressOp, lParam value
constexpr uint32_t wm_StatusBox = platform::WM_USER + 3;       // wParam kind, lParam std::string_view*
// Posted by the worker as its last act, to the run's loop (window 0).
constexpr uint32_t wm_WorkerDone = platform::WM_USER + 4;

enum TProgressOp : uintptr_t { poStart, poStep, poHide };

}  // namespace krlad::status_detail
