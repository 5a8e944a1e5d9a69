#include "editor/views/DiffMatch.h"

#include <cstdint>
#include <vector>

#include "editor/views/CompareKeepAlive.h"
#include "editor/views/DiffLineCompare.h"

namespace {

// Steps over blank lines on each side, not out of the span; false when neither moved.
template <TDiffLine* TDiffLine::*Step>
bool SkipBlankLines(TDiffLine*& a, TDiffLine*& b, const TLineSpan& spanA, const TLineSpan& spanB) {
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
    CompareTick();
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

// The hash of an unmatched line and the line's place among the collected lines.
struct THashEntry {
  uint32_t Hash;
  uint32_t Seq;
};

// Stable sort by hash, a byte at a time.
void SortByHash(std::vector<THashEntry>& entries, std::vector<THashEntry>& scratch) {
  scratch.resize(entries.size());
  for (int shift = 0; shift < 32; shift += 8) {
    size_t counts[257] = {};
    for (const THashEntry& e : entries)
      ++counts[((e.Hash >> shift) & 0xFF) + 1];
    if (counts[((entries.front().Hash >> shift) & 0xFF) + 1] == entries.size()) continue;
    for (int b = 0; b < 256; ++b)
      counts[b + 1] += counts[b];
    for (const THashEntry& e : entries)
      scratch[counts[(e.Hash >> shift) & 0xFF]++] = e;
    entries.swap(scratch);
  }
}

// The unmatched lines of a span that take part in matching, in order, and their hashes
// sorted (equal hashes in line order).
struct THashCount {
  std::vector<TDiffLine*> Lines;
  std::vector<THashEntry> Sorted;

  void Collect(const TLineSpan& span, const TDiffOptions& options,
               std::vector<THashEntry>& scratch) {
    for (TDiffLine* line = span.First;; line = line->Next) {
      CompareTick();
      if (!line->Partner && !IsIgnoredLine(*line, options)) {
        Sorted.push_back(THashEntry{LineHash(*line, options), static_cast<uint32_t>(Lines.size())});
        Lines.push_back(line);
      }
      if (line == span.Last) break;
    }
    if (!Sorted.empty()) SortByHash(Sorted, scratch);
  }
};

// For each collected line of A whose hash occurs exactly once on each side, the one line
// of B with that hash (null for the others), in A's order.
std::vector<TDiffLine*> UniqueAnchors(const THashCount& a, const THashCount& b) {
  std::vector<TDiffLine*> anchors(a.Lines.size(), nullptr);
  const std::vector<THashEntry>& x = a.Sorted;
  const std::vector<THashEntry>& y = b.Sorted;
  size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    const uint32_t h = x[i].Hash;
    if (h < y[j].Hash) {
      ++i;
      continue;
    }
    if (y[j].Hash < h) {
      ++j;
      continue;
    }
    size_t endI = i, endJ = j;
    while (endI < x.size() && x[endI].Hash == h)
      ++endI;
    while (endJ < y.size() && y[endJ].Hash == h)
      ++endJ;
    if (endI - i == 1 && endJ - j == 1) anchors[x[i].Seq] = b.Lines[y[j].Seq];
    i = endI;
    j = endJ;
  }
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

  std::vector<THashEntry> scratch;
  THashCount countA, countB;
  countA.Collect(spanA, options, scratch);
  if (countA.Lines.empty()) return made;
  countB.Collect(spanB, options, scratch);
  const std::vector<TDiffLine*> anchors = UniqueAnchors(countA, countB);
  for (size_t i = 0; i < anchors.size(); ++i) {
    CompareTick();
    TDiffLine* a = countA.Lines[i];
    // A line may have been taken by a match grown from an earlier anchor.
    if (anchors[i] && !a->Partner) made |= ExtendMatch(a, anchors[i], spanA, spanB, options);
  }
  return made;
}
