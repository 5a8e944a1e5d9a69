#include "editor/text/TextLimits.h"

#include <atomic>

namespace {

std::atomic<int32_t> gBufferSize{kDefaultTextBufferSize};

}  // namespace

int32_t TextReadBufferSize() {
  return gBufferSize.load(std::memory_order_relaxed);
}

int32_t TextLineLimit() {
  return TextReadBufferSize() - kLineLimitMargin;
}

void SetTextBufferSize(int32_t bufSizeKiB) {
  constexpr int32_t kMaxKiB = 1024 * 1024;  // 1 GiB
  int32_t size = kDefaultTextBufferSize;
  if (bufSizeKiB > 0) size = (bufSizeKiB > kMaxKiB ? kMaxKiB : bufSizeKiB) * 1024;
  gBufferSize.store(size, std::memory_order_relaxed);
}
