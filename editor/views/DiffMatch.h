// Growing matches between two runs of lines: around a start pair, from the heads and
// tails of two blocks, and around lines that are unique in both blocks.
#pragma once

#include "editor/views/DiffLine.h"
#include "editor/views/DiffTypes.h"

// An inclusive run of lines of one file.
struct TLineSpan {
  TDiffLine* First = nullptr;
  TDiffLine* Last = nullptr;
  bool Holds(const TDiffLine* line) const {
    return line && line->Index >= First->Index && line->Index <= Last->Index;
  }
};

// Pairs from (a, b) onwards while the lines pair up; with IgnoreBlankLines blank lines
// are stepped over. Stops when a side leaves its span. True when a pair was made.
bool WalkForward(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                 const TDiffOptions& options);
// The same towards the spans' first lines.
bool WalkBackward(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                  const TDiffOptions& options);

// Forward from (a, b), then, when a got a partner, backward from the lines before.
bool ExtendMatch(TDiffLine* a, TDiffLine* b, const TLineSpan& spanA, const TLineSpan& spanB,
                 const TDiffOptions& options);

// Common head, common tail, then matches grown around the lines whose hash occurs once
// among the unmatched lines of each span. True when a pair was made.
// Throws std::bad_alloc when the hash counts cannot be held.
bool MatchBlockPair(const TLineSpan& spanA, const TLineSpan& spanB, const TDiffOptions& options);
