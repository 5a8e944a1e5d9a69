// The program-wide read-buffer size and the line limit that follows from it.
#pragma once

#include <cstdint>

constexpr int32_t kDefaultTextBufferSize = 524288;
// The line limit is always the buffer size less this margin, which guarantees that a
// partial line read again at the start of the next chunk always makes progress.
constexpr int32_t kLineLimitMargin = 100;
constexpr int32_t kDefaultLineLimit = kDefaultTextBufferSize - kLineLimitMargin;
constexpr int32_t kMaxLineEnds = 1000000;

int32_t TextReadBufferSize();
int32_t TextLineLimit();

// From the settings key BufSize (KiB); 0 restores the default. Values too small to hold
// the margin are raised to 1 KiB, values too large for 32-bit sizes are lowered.
void SetTextBufferSize(int32_t bufSizeKiB);
