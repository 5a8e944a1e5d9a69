// The run of the status window: the worker thread and the window thread's loop, which ends
// once the worker has finished and its close request has closed the window.
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
      PostMessage(window, wm_WorkerDone, 0, 0);
    });
  } catch (const std::system_error&) {
    WorkerRunning_.store(false);
    DestroyWindow(window);
    return -1;
  }

  TMsg msg;
  bool quit = false;
  int32_t quitCode = 0;
  while (IsWindow(window)) {
    if (!GetMessage(msg)) {
      quit = true;
      quitCode = static_cast<int32_t>(msg.WParam);
      break;
    }
    DispatchMessage(msg);
  }
  // Left early (a quit, or the window destroyed from elsewhere): the worker is told to stop,
  // and its sends are answered until it has.
  if (WorkerRunning_.load()) SetCancel();
  while (WorkerRunning_.load() && UiBackend()) {
    if (PeekMessage(msg, true)) {
      if (msg.Message == WM_QUIT) {
        quit = true;
        quitCode = static_cast<int32_t>(msg.WParam);
      } else {
        DispatchMessage(msg);
      }
    } else {
      UiBackend()->WaitForEvents(-1);
    }
  }
  worker.join();
  if (IsWindow(window)) DestroyWindow(window);
  if (quit) PostQuitMessage(quitCode);
  return result.load();
}

}  // namespace krlad
