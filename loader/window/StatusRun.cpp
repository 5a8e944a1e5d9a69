// The run of the status window: the worker thread and the window thread's loop, which ends
// once the worker has finished and its close request has come.
#include <exception>
#include <system_error>
#include <thread>

#include "loader/window/StatusMessages.h"
#include "loader/window/StatusWindow.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace krlad {

using namespace platform;
using status_detail::wm_WorkerDone;

int32_t TStatusWindow::Run(const std::function<int32_t()>& work) {
  if (!Create()) return -1;
  TWindow window = Window_.load();
  ShowWindow(window, true);
  // Every run starts uncancelled.
  Cancel_.store(false);
  CancelReported_ = false;
  std::atomic<int32_t> result{-1};
  WorkerRunning_.store(true);
  std::thread worker;
  try {
    worker = std::thread([&] {
      int32_t r = -1;
      try {
        r = work();
      } catch (...) {
        r = -1;  // nothing escapes the worker
      }
      result.store(r);
      WorkerRunning_.store(false);
      PostMessage(0, wm_WorkerDone, 0, 0);
    });
  } catch (const std::system_error&) {
    WorkerRunning_.store(false);
    DestroyWindow(window);
    return -1;
  }

  // The worker's close request is a message to this loop rather than to the window, so that
  // it is seen even when the window has gone early.
  TMsg msg;
  bool quit = false;
  int32_t quitCode = 0;
  for (bool done = false; !done && UiBackend();) {
    if (!GetMessage(msg)) {
      // A quit during the run: the worker is told to stop; its calls are answered until then.
      quit = true;
      quitCode = static_cast<int32_t>(msg.WParam);
      SetCancel();
    } else if (msg.Window == 0 && msg.Message == wm_WorkerDone) {
      done = true;
    } else if (msg.Message == WM_KEYDOWN && msg.WParam == VK_ESCAPE && IsWindow(window) &&
               (msg.Window == window || GetParent(msg.Window) == window)) {
      // Escape in the dialog is "Abbruch", as in every dialog.
      CloseRequest();
    } else {
      DispatchMessage(msg);
    }
  }
  worker.join();
  if (IsWindow(window)) DestroyWindow(window);
  if (quit) PostQuitMessage(quitCode);
  return result.load();
}

}  // namespace krlad
