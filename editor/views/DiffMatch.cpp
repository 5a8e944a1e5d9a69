#include "editor/views/DiffMatch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/views/DiffLineCompare.h"

namespace {

// Steps over blank lines on each side, not out of the span; false when neither moved.
template <TDiffLine* TDiffLine::*Step>
bool SkipBlankLines(TDiffLine*& a, TDiffLine*& b, const TLineSpan& spanA,
                    const TLineSpan& spanB) {
  bool moved = false;
  while (spanA.Holds(a) && IsBlankText(a->Text)) {
    a = a->*Step;
    moved = true;
  }
  while (spanB.Holds(b) && IsBlankText(b->Text)) {
    b = b->*Step;
    moved = true;
  }
  return moved;
}

template <TDiffLine* TDiffLine::*Step>
bool Walk(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
          const TDiffOptions& options) {
  bool made = false;
  while (spanA.Holds(a) && spanB.Holds(b)) {
    if (PairLines(*a, *b, options)) {
      made = true;
      a = a->*Step;
      b = b->*Step;
      continue;
    }
    if (!options.IgnoreBlankLines || !SkipBlankLines<Step>(a, b, spanA, spanB)) break;
  }
  return made;
}

// Hash and line of one unmatched line; sorted by hash to count equal hashes.
struct THashEntry {
  uint32_t Hash;
  TDiffLine* Line;
};

void CollectUnmatched(const TLineSpan& span, const TDiffOptions& options,
                      std::vector<THashEntry>& out) {
  out.clear();
  for (TDiffLine* line = span.First;; line = line->Next) {
    if (!line->Partner && !IsIgnoredLine(*line, options))
      out.push_back(THashEntry{LineHash(*line, options), line});
    if (line == span.Last) break;
  }
  std::sort(out.begin(), out.end(), [](const THashEntry& x, const THashEntry& y) {
    return x.Hash < y.Hash || (x.Hash == y.Hash && x.Line->Index < y.Line->Index);
  });
}

struct TAnchor {
  TDiffLine* A;
  TDiffLine* B;
};

// The pairs (a, b) whose hash occurs exactly once on each side, in the order of a.
std::vector<TAnchor> UniqueAnchors(const std::vector<THashEntry>& a,
                                   const std::vector<THashEntry>& b) {
  std::vector<TAnchor> anchors;
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const uint32_t h = a[i].Hash;
    if (h < b[j].Hash) {
      ++i;
      continue;
    }
    if (b[j].Hash < h) {
      ++j;
      continue;
    }
    size_t endI = i, endJ = j;
    while (endI < a.size() && a[endI].Hash == h) ++endI;
    while (endJ < b.size() && b[endJ].Hash == h) ++endJ;
    if (endI - i == 1 && endJ - j == 1) anchors.push_back(TAnchor{a[i].Line, b[j].Line});
    i = endI;
    j = endJ;
  }
  std::sort(anchors.begin(), anchors.end(),
            [](const TAnchor& x, const TAnchor& y) { return x.A->Index < y.A->Index; });
  return anchors;
}

}  // namespace

bool WalkForward(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                 const TDiffOptions& options) {
  return Walk<&TDiffLine::Next>(a, b, spanA, spanB, options);
}

bool WalkBackward(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                  const TDiffOptions& options) {
  return Walk<&TDiffLine::Prev>(a, b, spanA, spanB, options);
}

bool ExtendMatch(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                 const TDiffOptions& options) {
  bool made = WalkForward(a, b, spanA, spanB, options);
  if (a->Partner && a != spanA.First && b != spanB.First)
    made |= WalkBackward(a->Prev, b->Prev, spanA, spanB, options);
  return made;
}

bool MatchBlockPair(const TLineSpan& spanA, const TLineSpan& spanB, const TDiffOptions& options) {
  bool made = ExtendMatch(spanA.First, spanB.First, spanA, spanB, options);
  // The tail grows backward from the last lines themselves.
  made |= WalkBackward(spanA.Last, spanB.Last, spanA, spanB, options);

  std::vector<THashEntry> countA, countB;
  CollectUnmatched(spanA, options, countA);
  if (countA.empty()) return made;
  CollectUnmatched(spanB, options, countB);
  for (const TAnchor& anchor : UniqueAnchors(countA, countB)) {
    if (anchor.A->Partner) continue;  // taken by a match grown from an earlier anchor
    made |= ExtendMatch(anchor.A, anchor.B, spanA, spanB, options);
  }
  return made;
}
