// Movable memory blocks behind handles: the form in which text goes to the clipboard.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/HandleTable.h"

namespace platform {

constexpr uint32_t GMEM_MOVEABLE = 0x0002;
constexpr uint32_t GMEM_ZEROINIT = 0x0040;

// 0 on failure. The block is zero-filled with GMEM_ZEROINIT.
THandle GlobalAlloc(uint32_t flags, size_t bytes);
// Null for an invalid handle. Locks nest; the address stays fixed while the block lives.
void* GlobalLock(THandle block);
// False once the lock count reaches zero (or for an invalid handle), as the Windows call.
bool GlobalUnlock(THandle block);
// 0 for an invalid handle.
size_t GlobalSize(THandle block);
// Returns 0 on success, the handle itself on failure.
THandle GlobalFree(THandle block);

}  // namespace platform
