#include "editor/views/CompareKeepAlive.h"

#include <algorithm>
#include <utility>

namespace {
thread_local TCompareKeepAlive* Active = nullptr;
}  // namespace

TCompareKeepAlive::TCompareKeepAlive(std::function<bool()> callback, uint32_t interval)
    : Callback_(std::move(callback)), Interval_(std::max<uint32_t>(interval, 1)), Previous_(Active) {
  Active = this;
}

TCompareKeepAlive::~TCompareKeepAlive() { Active = Previous_; }

void TCompareKeepAlive::Fire() {
  Count_ = 0;
  ++Calls_;
  // Once cancelled, every later tick stops again: a caller that swallowed the first
  // cancellation must not run on.
  if (Cancelled_ || (Callback_ && !Callback_())) {
    Cancelled_ = true;
    throw TCompareCancelled{};
  }
}

void CompareTick() {
  TCompareKeepAlive* a = Active;
  if (a && ++a->Count_ >= a->Interval_) a->Fire();
}
