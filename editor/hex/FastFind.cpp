// The filtered exact search.
#include "editor/hex/FastFind.h"

#include <emmintrin.h>

#include <cstring>

int64_t FastFindForward(const char* data, int64_t from, int64_t to, std::string_view pattern) {
  const auto n = static_cast<int64_t>(pattern.size());
  if (n == 0 || from < 0 || to - from < n) return -1;
  const char* p = pattern.data();
  const int64_t lastStart = to - n;  // the last place a hit may start
  if (n == 1) {
    const void* hit = std::memchr(data + from, p[0], static_cast<size_t>(to - from));
    return hit ? static_cast<const char*>(hit) - data : -1;
  }
  const __m128i first = _mm_set1_epi8(p[0]);
  const __m128i last = _mm_set1_epi8(p[n - 1]);
  int64_t i = from;
  for (; i + 16 <= lastStart + 1; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + n - 1));
    auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    while (mask != 0) {
      const int bit = __builtin_ctz(mask);
      if (std::memcmp(data + i + bit + 1, p + 1, static_cast<size_t>(n - 2)) == 0) return i + bit;
      mask &= mask - 1;
    }
  }
  for (; i <= lastStart; ++i) {
    if (data[i] == p[0] && std::memcmp(data + i, p, static_cast<size_t>(n)) == 0) return i;
  }
  return -1;
}

bool PlainSearchIsExact(std::string_view pattern, bool caseSensitive, bool wholeWords, bool regExp) {
  if (!caseSensitive || wholeWords || regExp || pattern.empty()) return false;
  for (char c : pattern) {
    if (static_cast<uint8_t>(c) >= 0x80) return false;
  }
  return true;
}
