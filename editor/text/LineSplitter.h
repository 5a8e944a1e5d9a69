// Splitting text into lines at the line ends of a TLineEndMode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "editor/text/TextLimits.h"
#include "editor/text/TextTypes.h"

enum TSplitStatus : int32_t {
  splitOk = 0,
  splitLineTooLong = -1,
  splitTooManyLineEnds = -2,
  splitNoMemory = -3,
};

// Counters that run across the chunks of one file.
struct TSplitCounters {
  int32_t LineEnds = 0;
  int32_t Longest = 0;
  int32_t Kinds = 0;  // the line ends taken: leCrLf, leLf, leCr or'ed
};

inline bool IsLineEndByte(char c, int32_t mode) {
  return mode == lemLf ? c == '\n' : mode == lemAny ? (c == '\r' || c == '\n') : c == '\r';
}

// Bit i of the result is set when p[i] (0 <= i < 64) is one of the mode's line-end
// bytes. Reads exactly 64 bytes.
inline uint64_t LineEndMask64(const char* p, int32_t mode) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  uint64_t mask = 0;
  for (int k = 0; k < 4; ++k) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    __m128i hit = mode == lemLf    ? _mm_cmpeq_epi8(v, lf)
                  : mode == lemAny ? _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))
                                   : _mm_cmpeq_epi8(v, cr);
    mask |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(hit))) << (16 * k);
  }
  return mask;
#else
  uint64_t mask = 0;
  for (int i = 0; i < 64; ++i)
    if (IsLineEndByte(p[i], mode)) mask |= uint64_t{1} << i;
  return mask;
#endif
}

// Splits text[0..size) (text[size] is NUL, no NUL inside) into complete lines and calls
// onLine(start, length, lineEnd) for each, where lineEnd points at the first byte of the
// line end; onLine returns false when memory runs out. The unterminated rest is handed
// back as the remainder (its offset; length 0 when the text ends with a line end).
template <class OnLine>
int32_t SplitLines(char* text, size_t size, int32_t mode, int32_t lineLimit,
                   TSplitCounters& counters, OnLine&& onLine, size_t* remainderStart,
                   size_t* remainderLength) {
  mode = NormalizeLineEndMode(mode);
  size_t start = 0;   // start of the current line
  size_t resume = 0;  // candidates before this belong to a line end already taken
  // Takes the candidate at p (a CR or LF of the mode); false ends the split with `status`.
  int32_t status = splitOk;
  auto candidate = [&](size_t p) -> bool {
    if (p < resume) return true;  // the LF of a CR LF pair
    const bool crlf = text[p] == '\r' && text[p + 1] == '\n';
    if (mode == lemCrLf && !crlf) return true;  // a lone CR stays in the line
    const size_t length = p - start;
    if (length > static_cast<size_t>(lineLimit)) {
      status = splitLineTooLong;
      return false;
    }
    counters.Kinds |= crlf && mode != lemCr ? leCrLf : text[p] == '\n' ? leLf : leCr;
    if (++counters.LineEnds > kMaxLineEnds) {
      status = splitTooManyLineEnds;
      return false;
    }
    if (!onLine(text + start, length, text + p)) {
      status = splitNoMemory;
      return false;
    }
    if (static_cast<int32_t>(length) > counters.Longest)
      counters.Longest = static_cast<int32_t>(length);
    start = p + ((crlf && (mode == lemCrLf || mode == lemAny)) ? 2 : 1);
    resume = start;
    return true;
  };
  size_t base = 0;
  for (; base + 64 <= size; base += 64) {
    for (uint64_t mask = LineEndMask64(text + base, mode); mask != 0; mask &= mask - 1) {
      if (!candidate(base + static_cast<size_t>(__builtin_ctzll(mask)))) return status;
    }
  }
  for (; base < size; ++base)
    if (IsLineEndByte(text[base], mode) && !candidate(base)) return status;
  const size_t rest = size - start;
  if (rest > static_cast<size_t>(lineLimit)) return splitLineTooLong;
  if (static_cast<int32_t>(rest) > counters.Longest) counters.Longest = static_cast<int32_t>(rest);
  *remainderStart = start;
  *remainderLength = rest;
  return splitOk;
}
