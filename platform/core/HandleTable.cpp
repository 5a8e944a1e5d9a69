// Slots carry a generation so that a freed handle that is used again is refused.
#include "platform/core/HandleTable.h"

#include <mutex>
#include <new>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kSlotBits = 24;
constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1;
constexpr uint32_t kGenerationMask = 0x7F;  // handles stay positive as 32-bit signed values

struct TSlot {
  std::unique_ptr<THandleObject> Object;
  uint32_t Generation = 1;
};

struct TTable {
  std::mutex Lock;
  std::vector<TSlot> Slots;
  std::vector<uint32_t> Free;
  uint32_t Live = 0;
};

TTable& Table() {
  static TTable table;
  return table;
}

THandle MakeHandle(uint32_t slot, uint32_t generation) {
  return (generation << kSlotBits) | (slot + 1);
}

TSlot* Resolve(TTable& table, THandle handle) {
  uint32_t index = handle & kSlotMask;
  if (index == 0 || index > table.Slots.size()) return nullptr;
  TSlot& slot = table.Slots[index - 1];
  if (!slot.Object || slot.Generation != (handle >> kSlotBits)) return nullptr;
  return &slot;
}

}  // namespace

THandle AddHandle(std::unique_ptr<THandleObject> object) {
  if (!object) return 0;
  TTable& table = Table();
  std::lock_guard guard(table.Lock);
  try {
    uint32_t index;
    if (!table.Free.empty()) {
      index = table.Free.back();
      table.Free.pop_back();
    } else {
      if (table.Slots.size() >= kSlotMask) return 0;
      table.Slots.emplace_back();
      index = static_cast<uint32_t>(table.Slots.size() - 1);
    }
    TSlot& slot = table.Slots[index];
    slot.Object = std::move(object);
    ++table.Live;
    return MakeHandle(index, slot.Generation);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

THandleObject* LookupHandle(THandle handle, THandleKind kind) {
  TTable& table = Table();
  std::lock_guard guard(table.Lock);
  TSlot* slot = Resolve(table, handle);
  if (!slot || slot->Object->Kind() != kind) return nullptr;
  return slot->Object.get();
}

bool RemoveHandle(THandle handle) {
  std::unique_ptr<THandleObject> doomed;
  TTable& table = Table();
  {
    std::lock_guard guard(table.Lock);
    TSlot* slot = Resolve(table, handle);
    if (!slot) return false;
    doomed = std::move(slot->Object);
    slot->Generation = (slot->Generation % kGenerationMask) + 1;
    uint32_t index = (handle & kSlotMask) - 1;
    try {
      table.Free.push_back(index);
    } catch (const std::bad_alloc&) {
      // The slot is merely not reused.
    }
    --table.Live;
  }
  // Destroyed outside the lock: a destructor may release handles of its own.
  return true;
}

uint32_t LiveHandleCount() {
  TTable& table = Table();
  std::lock_guard guard(table.Lock);
  return table.Live;
}

}  // namespace platform
