#include "editor/views/DiffLineCompare.h"

#include <cstring>

#include "editor/views/DiffCase.h"

namespace {

constexpr uint32_t kHashFactor = 6293815;  // 0x600937

inline bool IsBlank(uint8_t c) {
  return c == ' ' || c == '\t';
}

// The weight of the k-th character (from 1): factor^k * k, wrapping. Kept as a table so
// that the characters of a line are weighed independently of each other.
constexpr int32_t kWeightTable = 2048;

struct TWeights {
  uint32_t W[kWeightTable + 1];
  TWeights() {
    uint32_t m = kHashFactor;
    for (uint32_t k = 1; k <= kWeightTable; ++k) {
      W[k] = m * k;
      m *= kHashFactor;
    }
  }
};

const TWeights& Weights() {
  static const TWeights weights;
  return weights;
}

// The weight of position k and of those after it, for lines beyond the table.
struct TWeightWalk {
  uint32_t M;  // factor^k
  uint32_t K;
  uint32_t Next() {
    uint32_t w = M * K;
    M *= kHashFactor;
    ++K;
    return w;
  }
};

TWeightWalk WalkFrom(uint32_t k) {
  uint32_t m = kHashFactor;
  for (uint32_t i = 1; i < k; ++i)
    m *= kHashFactor;
  return TWeightWalk{m, k};
}

}  // namespace

// Per option set: every byte's value as compared, 0 for a byte that is skipped (lines
// never hold NUL, so 0 is free).
struct TFoldTables {
  uint8_t T[4][256];
  TFoldTables() {
    for (int set = 0; set < 4; ++set) {
      for (int c = 0; c < 256; ++c) {
        uint8_t v = (set & 2) ? diff_case::Upper(static_cast<uint8_t>(c)) : static_cast<uint8_t>(c);
        if ((set & 1) && IsBlank(static_cast<uint8_t>(c))) v = 0;
        T[set][c] = v;
      }
    }
  }
};

const uint8_t* FoldTable(const TDiffOptions& options) {
  static const TFoldTables tables;
  return tables.T[(options.IgnoreSpaces ? 1 : 0) | (options.IgnoreCase ? 2 : 0)];
}

uint32_t DiffTextHash(const char* text, int32_t length, const TDiffOptions& options) {
  const uint32_t* w = Weights().W;
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  const int32_t n = length < kWeightTable ? length : kWeightTable;
  uint32_t h = 0;
  int32_t i = 0;
  uint32_t k = 0;  // characters weighed so far
  if (!options.IgnoreSpaces && !options.IgnoreCase) {
    uint32_t h1 = 0, h2 = 0, h3 = 0;
    for (; i + 4 <= n; i += 4) {
      h += p[i] * w[i + 1];
      h1 += p[i + 1] * w[i + 2];
      h2 += p[i + 2] * w[i + 3];
      h3 += p[i + 3] * w[i + 4];
    }
    for (; i < n; ++i)
      h += p[i] * w[i + 1];
    h += h1 + h2 + h3;
    k = static_cast<uint32_t>(n);
  } else {
    const uint8_t* fold = FoldTable(options);
    // k never passes i, so the table is large enough here.
    for (; i < n; ++i) {
      const uint32_t c = fold[p[i]];
      k += c != 0;
      h += c * w[k];
    }
  }
  if (i < length) {
    // Beyond the table the weights are carried on one by one.
    const uint8_t* fold = FoldTable(options);
    TWeightWalk walk = WalkFrom(k + 1);
    for (; i < length; ++i)
      if (const uint32_t c = fold[p[i]]) h += c * walk.Next();
  }
  return h;
}

bool DiffTextsEqual(const char* a, int32_t lengthA, const char* b, int32_t lengthB,
                    const TDiffOptions& options) {
  const bool same = lengthA == lengthB && std::memcmp(a, b, static_cast<size_t>(lengthA)) == 0;
  if (same || (!options.IgnoreSpaces && !options.IgnoreCase)) return same;
  const uint8_t* fold = FoldTable(options);
  const auto* p = reinterpret_cast<const uint8_t*>(a);
  const auto* q = reinterpret_cast<const uint8_t*>(b);
  const auto* endP = p + lengthA;
  const auto* endQ = q + lengthB;
  for (;;) {
    while (p != endP && !fold[*p])
      ++p;
    while (q != endQ && !fold[*q])
      ++q;
    if (p == endP || q == endQ) return p == endP && q == endQ;
    if (fold[*p++] != fold[*q++]) return false;
  }
}

bool LinesEqual(TDiffLine& a, TDiffLine& b, const TDiffOptions& options) {
  return LineHash(a, options) == LineHash(b, options) &&
         DiffTextsEqual(a.Text, a.Length, b.Text, b.Length, options);
}

bool IsBlankText(const char* text) {
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  while (IsBlank(*p))
    ++p;
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
