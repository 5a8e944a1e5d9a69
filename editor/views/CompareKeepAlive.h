// Keeps the user interface alive during a long comparison: the engine's loops tick, and
// every so many ticks the callback of the innermost live TCompareKeepAlive runs; it may
// dispatch pending messages and answers false to cancel the comparison.
#pragma once

#include <cstdint>
#include <functional>

// Thrown by CompareTick once the callback asked to stop; the engine catches it at its
// boundary and reports csCancelled.
struct TCompareCancelled {};

class TCompareKeepAlive {
 public:
  static constexpr uint32_t kDefaultInterval = 4096;

  // Active on this thread while it lives; nests (the previous one returns afterwards).
  explicit TCompareKeepAlive(std::function<bool()> callback,
                             uint32_t interval = kDefaultInterval);
  ~TCompareKeepAlive();
  TCompareKeepAlive(const TCompareKeepAlive&) = delete;
  TCompareKeepAlive& operator=(const TCompareKeepAlive&) = delete;

  // How often the callback ran.
  uint32_t Calls() const { return Calls_; }
  bool Cancelled() const { return Cancelled_; }

 private:
  friend void CompareTick();
  void Fire();

  std::function<bool()> Callback_;
  uint32_t Interval_;
  uint32_t Count_ = 0;
  uint32_t Calls_ = 0;
  bool Cancelled_ = false;
  TCompareKeepAlive* Previous_;
};

// One unit of work done; cheap when no keep-alive is active.
void CompareTick();
