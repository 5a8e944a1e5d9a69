// The status window of a print run ("Druckerstatus"): what is printed, the page, the total,
// and the button that cancels.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

class TPrintStatus {
 public:
  enum : int32_t { idcTitle = 101, idcPage = 102, idcOfLabel = 103, idcTotal = 104 };

  // Opens the window over `owner` (it may be 0); without a user interface it stays closed and
  // the run goes on without it.
  explicit TPrintStatus(platform::TWindow owner);
  ~TPrintStatus();
  TPrintStatus(const TPrintStatus&) = delete;
  TPrintStatus& operator=(const TPrintStatus&) = delete;

  void SetTitle(std::string_view title);
  void SetPage(int32_t page);
  // Shows "von" and the total; a negative total hides both.
  void SetTotal(int32_t total);
  // Lets pending messages run (the cancel button among them).
  void Pump();
  bool Cancelled() const { return Cancelled_; }
  platform::TWindow Window() const { return Window_; }

 private:
  static intptr_t Proc(platform::TWindow dialog, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
  platform::TWindow Window_ = 0;
  bool Cancelled_ = false;
};
