// Splitting text into lines at the line ends of a TLineEndMode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

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
};

// The position after the next line end at or after `p` (and where it starts), or false
// when the text up to `end` holds none. `end` must point at a NUL.
inline bool FindLineEnd(const char* p, const char* end, int32_t mode, const char** lineEnd,
                        const char** next) {
  switch (mode) {
    case lemLf:
    case lemCr: {
      const char* hit = static_cast<const char*>(
          std::memchr(p, mode == lemLf ? '\n' : '\r', static_cast<size_t>(end - p)));
      if (!hit) return false;
      *lineEnd = hit;
      *next = hit + 1;
      return true;
    }
    case lemAny: {
      const char* hit = p + std::strcspn(p, "\r\n");
      if (hit >= end) return false;
      *lineEnd = hit;
      *next = hit + (hit[0] == '\r' && hit[1] == '\n' ? 2 : 1);
      return true;
    }
    default:
      for (;;) {
        const char* hit =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
        if (!hit) return false;
        if (hit[1] == '\n') {
          *lineEnd = hit;
          *next = hit + 2;
          return true;
        }
        p = hit + 1;
      }
  }
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
  char* end = text + size;
  char* start = text;
  const char* lineEnd;
  const char* next;
  while (FindLineEnd(start, end, mode, &lineEnd, &next)) {
    size_t length = static_cast<size_t>(lineEnd - start);
    if (length > static_cast<size_t>(lineLimit)) return splitLineTooLong;
    if (++counters.LineEnds > kMaxLineEnds) return splitTooManyLineEnds;
    if (!onLine(start, length, const_cast<char*>(lineEnd))) return splitNoMemory;
    if (static_cast<int32_t>(length) > counters.Longest)
      counters.Longest = static_cast<int32_t>(length);
    start = const_cast<char*>(next);
  }
  size_t rest = static_cast<size_t>(end - start);
  if (rest > static_cast<size_t>(lineLimit)) return splitLineTooLong;
  if (static_cast<int32_t>(rest) > counters.Longest) counters.Longest = static_cast<int32_t>(rest);
  *remainderStart = static_cast<size_t>(start - text);
  *remainderLength = rest;
  return splitOk;
}
