// Hit-by-hit search of a byte block.
#include "editor/search/BufferSearch.h"

#include <algorithm>

#include "editor/search/SearchEngine.h"

bool TBufferSearch::Find(const char* data, int64_t size, const TEngineRequest& request,
                         int64_t start, TSearchMatch* hit, int64_t low, int64_t high,
                         const TRegExp& regExp) {
  // The engine counts in 32 bits; a larger block is not searched rather than misread.
  if (size < 0 || size > INT32_MAX) return NotFound();
  low = std::clamp<int64_t>(low, 0, size);
  high = std::clamp<int64_t>(high, low, size);
  const bool backward = request.Backward && !request.RegularExpression;
  if (HasLast_ && start == Last_.Offset && (backward || Last_.Length == 0))
    start += backward ? -1 : 1;
  TSearchMatch found;
  for (;;) {
    if (backward) {
      start = std::min(start, high - 1);
      if (start < low) return NotFound();
    } else {
      start = std::max(start, low);
      if (start > high) return NotFound();
    }
    if (!SearchText(data, static_cast<int32_t>(size), request, static_cast<int32_t>(start), &found,
                    regExp))
      return NotFound();
    const int64_t end = int64_t{found.Offset} + found.Length;
    if (backward) {
      if (found.Offset < low) return NotFound();
      if (end <= high) break;
      start = found.Offset - 1;  // straddles the upper bound: look further left
    } else {
      if (end > high) return NotFound();
      break;  // started at or after low, so inside
    }
  }
  Last_ = found;
  HasLast_ = true;
  if (hit) *hit = found;
  return true;
}
