// A receiver of synchronous messages: what a lower layer needs of "its window".
#pragma once

#include <cstdint>

namespace platform {

// The window layer implements this for window handles; tests implement it to record calls.
class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  virtual intptr_t SendMsg(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace platform
