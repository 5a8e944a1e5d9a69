// Start and end of the window layer on the user-interface thread.
#pragma once

#include <memory>

#include "platform/ui/Backend.h"

namespace platform {

// Threads: every call belongs to the user-interface thread except SendMessage, PostMessage and
// PostQuitMessage, which any thread may use between InitUi and ShutdownUi (a worker must be
// finished before ShutdownUi).

// The calling thread becomes the user-interface thread. Ends a previous session first.
void InitUi(std::unique_ptr<TUiBackend> backend);
// Destroys every window, answers waiting cross-thread sends with 0, drops the back end.
void ShutdownUi();
// Null before InitUi.
TUiBackend* UiBackend();
bool IsUiThread();

// The desktop session is about to end: every top-level window is asked with
// WM_QUERYENDSESSION (an answer 0 refuses, for example after Cancel in a save prompt), then
// all of them hear the outcome in WM_ENDSESSION. True when the session may end.
bool QueryEndSession();

}  // namespace platform
