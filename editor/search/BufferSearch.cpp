// Hit-by-hit search of a byte block.
#include "editor/search/BufferSearch.h"

#include <algorithm>
#include <cstring>

#include "editor/search/SearchEngine.h"

namespace {

bool ExactForward(std::string_view data, std::string_view bytes, int32_t start,
                  TSearchMatch* match) {
  if (bytes.empty() || start < 0 || static_cast<size_t>(start) > data.size()) return false;
  const void* hit = memmem(data.data() + start, data.size() - static_cast<size_t>(start),
                           bytes.data(), bytes.size());
  if (!hit) return false;
  *match = TSearchMatch{static_cast<int32_t>(static_cast<const char*>(hit) - data.data()),
                        static_cast<int32_t>(bytes.size())};
  return true;
}

bool ExactBackward(std::string_view data, std::string_view bytes, int32_t start,
                   TSearchMatch* match) {
  if (bytes.empty() || bytes.size() > data.size() || start < 0) return false;
  int64_t p = std::min<int64_t>(int64_t{start} - static_cast<int64_t>(bytes.size()) + 1,
                                static_cast<int64_t>(data.size() - bytes.size()));
  for (; p >= 0; --p) {
    if (std::memcmp(data.data() + p, bytes.data(), bytes.size()) == 0) {
      *match = TSearchMatch{static_cast<int32_t>(p), static_cast<int32_t>(bytes.size())};
      return true;
    }
  }
  return false;
}

}  // namespace

template <typename TSearchOnce>
bool TBufferSearch::Run(int64_t size, bool backward, int64_t start, int64_t low, int64_t high,
                        TSearchMatch* hit, TSearchOnce searchOnce) {
  // The engine counts in 32 bits; a larger block is not searched rather than misread.
  if (size < 0 || size > INT32_MAX) return NotFound();
  low = std::clamp<int64_t>(low, 0, size);
  high = std::clamp<int64_t>(high, low, size);
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
    if (!searchOnce(static_cast<int32_t>(start), &found)) return NotFound();
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

bool TBufferSearch::Find(const char* data, int64_t size, const TEngineRequest& request,
                         int64_t start, TSearchMatch* hit, int64_t low, int64_t high,
                         const TRegExp& regExp) {
  const bool backward = request.Backward && !request.RegularExpression;
  return Run(size, backward, start, low, high, hit, [&](int32_t from, TSearchMatch* found) {
    return SearchText(data ? data : "", static_cast<int32_t>(size), request, from, found,
                      regExp);
  });
}

bool TBufferSearch::FindBytes(const char* data, int64_t size, std::string_view bytes,
                              bool backward, int64_t start, TSearchMatch* hit, int64_t low,
                              int64_t high) {
  return Run(size, backward, start, low, high, hit, [&](int32_t from, TSearchMatch* found) {
    const std::string_view view(data ? data : "", data ? static_cast<size_t>(size) : 0);
    return backward ? ExactBackward(view, bytes, from, found)
                    : ExactForward(view, bytes, from, found);
  });
}
