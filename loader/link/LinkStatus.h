// What the link needs of the loader's status window: text fields, progress, messages and
// the cancel flag. The window implements it; tests record the calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

namespace krlad {

// Text fields of the status window.
enum TStatusField : uint32_t {
  sfStatus = 101,
  sfAction = 102,
  sfConnectedTo = 103,
  sfPort = 104,
  sfSpeed = 105,
};

class TLinkStatus {
 public:
  virtual ~TLinkStatus() = default;

  virtual void SetText(TStatusField field, std::string_view text) = 0;
  // Shows the progress bar at 0 of `total` steps.
  virtual void ProgressStart(int32_t total) = 0;
  // Moves the bar to step `n` of the total.
  virtual void ProgressStep(int32_t n) = 0;
  virtual void ProgressHide() = 0;
  // A message for the user: kind 'E' (error) or 'W' (warning), the string id and the
  // formatted text.
  virtual void Message(char kind, uint32_t id, std::string_view text) = 0;

  // The window thread sets the flag; every wait of the link polls it.
  void SetCancel() { Cancel_.store(true, std::memory_order_relaxed); }
  bool Cancelled() const { return Cancel_.load(std::memory_order_relaxed); }
  void ClearCancel() { Cancel_.store(false, std::memory_order_relaxed); }
  const std::atomic<bool>& CancelFlag() const { return Cancel_; }

 private:
  std::atomic<bool> Cancel_{false};
};

}  // namespace krlad
