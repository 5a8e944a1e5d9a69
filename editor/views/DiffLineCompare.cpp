#include "editor/views/DiffLineCompare.h"

#include <cstring>

#include "editor/views/DiffCase.h"

namespace {

constexpr uint32_t kHashFactor = 6293815;  // 0x600937

inline bool IsBlank(uint8_t c) { return c == ' ' || c == '\t'; }

}  // namespace

uint32_t DiffTextHash(const char* text, int32_t length, const TDiffOptions& options) {
  uint32_t h = 0, m = kHashFactor, k = 1;
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  const auto* end = p + length;
  if (!options.IgnoreSpaces && !options.IgnoreCase) {
    for (; p != end; ++p) {
      h += *p * (m * k);
      m *= kHashFactor;
      ++k;
    }
    return h;
  }
  for (; p != end; ++p) {
    uint32_t c = *p;
    if (options.IgnoreSpaces && IsBlank(static_cast<uint8_t>(c))) continue;
    if (options.IgnoreCase) c = diff_case::Upper(static_cast<uint8_t>(c));
    h += c * (m * k);
    m *= kHashFactor;
    ++k;
  }
  return h;
}

bool DiffTextsEqual(const char* a, int32_t lengthA, const char* b, int32_t lengthB,
                    const TDiffOptions& options) {
  if (!options.IgnoreSpaces && !options.IgnoreCase)
    return lengthA == lengthB && std::memcmp(a, b, static_cast<size_t>(lengthA)) == 0;
  const auto* p = reinterpret_cast<const uint8_t*>(a);
  const auto* q = reinterpret_cast<const uint8_t*>(b);
  const auto* endP = p + lengthA;
  const auto* endQ = q + lengthB;
  for (;;) {
    if (options.IgnoreSpaces) {
      while (p != endP && IsBlank(*p)) ++p;
      while (q != endQ && IsBlank(*q)) ++q;
    }
    if (p == endP || q == endQ) return p == endP && q == endQ;
    uint8_t c = *p++, d = *q++;
    if (options.IgnoreCase) {
      c = diff_case::Upper(c);
      d = diff_case::Upper(d);
    }
    if (c != d) return false;
  }
}

bool LinesEqual(TDiffLine& a, TDiffLine& b, const TDiffOptions& options) {
  return LineHash(a, options) == LineHash(b, options) &&
         DiffTextsEqual(a.Text, a.Length, b.Text, b.Length, options);
}

bool IsBlankText(const char* text) {
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  while (IsBlank(*p)) ++p;
  return *p == 0 || *p == '\r' || *p == '\n';
}

bool PairLines(TDiffLine& a, TDiffLine& b, const TDiffOptions& options) {
  if (a.Partner || b.Partner) return false;
  if (IsIgnoredLine(a, options) || IsIgnoredLine(b, options)) return false;
  if (!LinesEqual(a, b, options)) return false;
  a.Partner = &b;
  b.Partner = &a;
  return true;
}
