// The process-wide table of 32-bit handles (memory blocks, windows, fonts, ...).
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// 0 is never a valid handle.
using THandle = uint32_t;

enum class THandleKind : uint8_t { Memory = 1, Window, Font, Brush, Bitmap, Other };

class THandleObject {
 public:
  virtual ~THandleObject() = default;
  virtual THandleKind Kind() const = 0;
};

// Takes ownership; returns 0 when the table is full or memory is exhausted.
THandle AddHandle(std::unique_ptr<THandleObject> object);

// Null when the handle is stale, unknown or of another kind.
THandleObject* LookupHandle(THandle handle, THandleKind kind);

// Destroys the object; false when the handle is not valid.
bool RemoveHandle(THandle handle);

// Number of live handles (for leak checks in tests).
uint32_t LiveHandleCount();

}  // namespace platform
