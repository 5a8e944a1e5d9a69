// The sorted change list.
#include "editor/hex/Changes.h"

#include <algorithm>

size_t TChanges::LowerBound(int64_t offset) const {
  auto it = std::lower_bound(Sorted_.begin(), Sorted_.end(), offset,
                             [](const TChangeRecord& r, int64_t o) { return r.Offset < o; });
  return static_cast<size_t>(it - Sorted_.begin());
}

size_t TChanges::Find(int64_t offset) const {
  size_t i = LowerBound(offset);
  return i < Sorted_.size() && Sorted_[i].Offset == offset ? i : Sorted_.size();
}

void TChanges::Set(int64_t offset, uint8_t value) {
  size_t i = LowerBound(offset);
  if (i < Sorted_.size() && Sorted_[i].Offset == offset) {
    Sorted_[i].Value = value;
    // It becomes the most recent change: out of its old place in the entry order.
    auto at = std::find(Order_.rbegin(), Order_.rend(), offset);
    if (at != Order_.rend()) Order_.erase(std::next(at).base());
  } else {
    Sorted_.insert(Sorted_.begin() + static_cast<std::ptrdiff_t>(i), TChangeRecord{offset, value, -1});
  }
  Order_.push_back(offset);
  Sorted_[LowerBound(offset)].Previous = static_cast<int32_t>(Order_.size()) - 2;
}

bool TChanges::Get(int64_t offset, uint8_t* value) const {
  size_t i = Find(offset);
  if (i == Sorted_.size()) return false;
  if (value) *value = Sorted_[i].Value;
  return true;
}

bool TChanges::RemoveLast(int64_t* offset) {
  if (Order_.empty()) return false;
  int64_t last = Order_.back();
  Order_.pop_back();
  size_t i = Find(last);
  if (i < Sorted_.size()) Sorted_.erase(Sorted_.begin() + static_cast<std::ptrdiff_t>(i));
  if (offset) *offset = last;
  return true;
}

int64_t TChanges::LastOffset() const { return Order_.empty() ? -1 : Order_.back(); }

void TChanges::Clear() {
  Sorted_.clear();
  Order_.clear();
}
