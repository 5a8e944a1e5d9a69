// The loader's status window "KRLADWIN": the dialog on the window thread, and the calls by
// which the worker thread fills its fields, moves the progress bar, asks questions and
// learns of a cancel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "loader/LoaderBoxes.h"
#include "platform/ui/UiTypes.h"

namespace krlad {

// The status-window calls by number, as the worker issues them.
enum TStatusCall : int32_t {
  scAskCancel = 0,
  scStatus = 1,  // fields 1 to 5: status, action, connected-to, port, speed
  scAction = 2,
  scConnectedTo = 3,
  scPort = 4,
  scSpeed = 5,
  scSetCancel = 6,
  scProgressStart = 7,
  scProgressStep = 8,
  scProgressHide = 9,
};

class TStatusWindow {
 public:
  TStatusWindow() = default;
  // Window thread: the window goes with its object.
  ~TStatusWindow();
  TStatusWindow(const TStatusWindow&) = delete;
  TStatusWindow& operator=(const TStatusWindow&) = delete;

  // Window thread, after the layer is up: registers the class and creates the dialog,
  // hidden. False when the layer refuses. A second call keeps the first window.
  [[nodiscard]] bool Create();
  platform::TWindow Window() const { return Window_.load(); }

  // Window thread: shows the dialog, runs `work` on a worker thread and serves the window
  // until the worker has finished and its close request has closed the window. Returns what
  // `work` returned; -1 when the window cannot be made or `work` throws.
  [[nodiscard]] int32_t Run(const std::function<int32_t()>& work);
  bool WorkerRunning() const { return WorkerRunning_.load(); }

  // Runs on the window thread when the user cancels ("Abbruch" or closing) while the worker
  // runs, after the cancel flag is set. Without a handler the window reports 1002 itself in
  // an error box.
  void SetCancelHandler(std::function<void()> handler) { CancelHandler_ = std::move(handler); }

  // Any thread. Fields by control id (101 to 105); false for another id or without window.
  bool SetText(int32_t id, std::string_view text);
  // Shows the bar at 0 of `total` steps.
  void ProgressStart(int32_t total);
  // Moves the bar to n * 100 / total percent.
  void ProgressStep(int32_t n);
  void ProgressHide();
  // Shows the box on the window thread and waits for the answer (baOther without window).
  [[nodiscard]] int32_t ShowBox(TBoxKind kind, std::string_view text);
  void SetCancel() { Cancel_.store(true); }
  bool Cancelled() const { return Cancel_.load(); }
  // One of the numbered calls: the text for fields 1 to 5, the value for progress; returns
  // the cancel flag for scAskCancel, else 0.
  intptr_t StatusCall(int32_t call, int32_t value, std::string_view text);

 private:
  static intptr_t WindowProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam);
  intptr_t Handle(uint32_t message, uintptr_t wParam, intptr_t lParam);
  void CreateControls();
  void UserCancel();
  // The user's close: a cancel while the worker runs, else the end of the window.
  void CloseRequest();
  void SetProgress(uint32_t op, int32_t value);

  std::atomic<platform::TWindow> Window_{0};  // 0 before Create and once destroyed
  std::function<void()> CancelHandler_;
  std::atomic<bool> Cancel_{false};
  std::atomic<bool> WorkerRunning_{false};
  int32_t Total_ = 0;            // window thread: the steps of the progress shown
  bool CancelReported_ = false;  // window thread: the user's cancel is reported once
};

// The text of the caption: string 1501 filled with the version.
std::string StatusCaption();

}  // namespace krlad
