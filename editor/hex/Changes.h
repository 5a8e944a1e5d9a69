// The change list of the hex editor's normal mode: new byte values by offset, kept sorted,
// one record per offset, each remembering the change entered before it (for undo).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TChangeRecord {
  int64_t Offset = 0;
  uint8_t Value = 0;
  int32_t Previous = -1;  // index (in entry order) of the change entered before, -1 none
};

class TChanges {
 public:
  // Enters a value; an offset that has one already gets the new value and becomes the
  // most recent change.
  void Set(int64_t offset, uint8_t value);
  // The value at an offset; false when the offset has none.
  bool Get(int64_t offset, uint8_t* value) const;
  // Removes the most recent change; false when there is none. Its offset in `offset`.
  bool RemoveLast(int64_t* offset);
  // The offset of the most recent change, -1 for none.
  int64_t LastOffset() const;
  void Clear();
  bool Empty() const { return Sorted_.empty(); }
  size_t Count() const { return Sorted_.size(); }
  // The records in offset order.
  const std::vector<TChangeRecord>& Records() const { return Sorted_; }
  // The first record at or after an offset (index into Records()).
  size_t LowerBound(int64_t offset) const;

 private:
  size_t Find(int64_t offset) const;

  // Sorted by offset; Previous links form the entry order.
  std::vector<TChangeRecord> Sorted_;
  // Offsets in the order they were (last) entered; the last is the most recent change.
  std::vector<int64_t> Order_;
};
