#include "editor/views/DiffBlocks.h"

#include <algorithm>

#include "editor/views/CompareKeepAlive.h"
#include "editor/views/DiffLineCompare.h"

namespace {

// The first line from `line` on that takes part in matching.
TDiffLine* NextSignificant(TDiffLine* line, const TDiffOptions& options) {
  while (line && IsIgnoredLine(*line, options))
    line = line->Next;
  return line;
}

TDiffBlock NewBlock(TDiffLine* first, TDiffLine* last, int32_t type) {
  TDiffBlock block;
  block.First = first;
  block.Last = last;
  block.Type = type;
  return block;
}

// The block of `blocks` (in file order) that holds `line`.
TDiffBlock* BlockOf(TDiffBlockList& blocks, const TDiffLine* line) {
  auto it =
      std::upper_bound(blocks.begin(), blocks.end(), line->Index,
                       [](int32_t index, const TDiffBlock& b) { return index < b.First->Index; });
  if (it == blocks.begin()) return nullptr;
  --it;
  return line->Index <= it->Last->Index ? &*it : nullptr;
}

}  // namespace

TDiffLine* TDiffBlock::FirstMatched() const {
  for (TDiffLine* line = First;; line = line->Next) {
    if (line->Partner) return line;
    if (line == Last) return nullptr;
  }
}

void CutIntoBlocks(TDiffLine* first, bool firstFile, const TDiffOptions& options,
                   TDiffBlockList& blocks) {
  blocks.clear();
  const int32_t gapType = firstFile ? dbtDeleted : dbtInserted;
  TDiffLine* leading = nullptr;      // ignored lines before the first block
  TDiffLine* lastPartner = nullptr;  // partner of the current common block's last match
  for (TDiffLine* line = first; line; line = line->Next) {
    CompareTick();
    if (IsIgnoredLine(*line, options)) {
      if (blocks.empty()) {
        if (!leading) leading = line;
      } else {
        blocks.back().Last = line;
      }
      continue;
    }
    TDiffLine* start = leading ? leading : line;
    leading = nullptr;
    if (line->Partner) {
      const bool continues = !blocks.empty() && blocks.back().Type == dbtCommon &&
                             NextSignificant(lastPartner->Next, options) == line->Partner;
      if (continues)
        blocks.back().Last = line;
      else
        blocks.push_back(NewBlock(start, line, dbtCommon));
      lastPartner = line->Partner;
    } else if (!blocks.empty() && blocks.back().Type == gapType) {
      blocks.back().Last = line;
    } else {
      blocks.push_back(NewBlock(start, line, gapType));
    }
  }
  if (leading) {
    // Nothing but ignored lines: one gap, so that they are still shown.
    TDiffLine* last = leading;
    while (last->Next)
      last = last->Next;
    blocks.push_back(NewBlock(leading, last, gapType));
  }
  for (TDiffBlock& block : blocks) {
    if (block.Type == dbtCommon) continue;
    (firstFile ? block.Line1 : block.Line2) = block.First->Index;
  }
}

void PairBlocks(TDiffBlockList& blocks1, TDiffBlockList& blocks2) {
  for (TDiffBlock& x : blocks1) {
    if (x.Type != dbtCommon) continue;
    TDiffLine* match = x.FirstMatched();
    TDiffBlock* y = BlockOf(blocks2, match->Partner);
    if (!y || y->Type != dbtCommon || y->FirstMatched() != match->Partner) continue;
    x.Partner = y;
    y->Partner = &x;
    x.Line1 = y->Line1 = x.First->Index;
    x.Line2 = y->Line2 = y->First->Index;
  }
}

bool RefineGaps(TDiffBlockList& blocks1, TDiffBlockList& blocks2, const TDiffOptions& options) {
  bool made = false;
  const size_t count2 = blocks2.size();
  for (size_t i = 0; i < blocks1.size(); ++i) {
    CompareTick();
    TDiffBlock& x = blocks1[i];
    if (x.Type != dbtDeleted) continue;
    const TDiffBlock* prev = i > 0 ? &blocks1[i - 1] : nullptr;
    const TDiffBlock* next = i + 1 < blocks1.size() ? &blocks1[i + 1] : nullptr;
    if (prev && (prev->Type != dbtCommon || !prev->Partner)) continue;
    if (next && (next->Type != dbtCommon || !next->Partner)) continue;

    // Y lies where X lies: between the partners of X's neighbours, and at a file's end
    // or start when X is.
    size_t y;
    if (prev) {
      y = static_cast<size_t>(prev->Partner - blocks2.data()) + 1;
      if (y >= count2) continue;
      if (next ? y + 1 >= count2 || &blocks2[y + 1] != next->Partner : y + 1 != count2) continue;
    } else if (next) {
      y = static_cast<size_t>(next->Partner - blocks2.data());
      if (y != 1) continue;
      y = 0;
    } else {
      y = 0;
      if (count2 == 0) continue;
    }
    TDiffBlock& gap = blocks2[y];
    if (gap.Type != dbtInserted) continue;
    x.GapLink = &gap;
    gap.GapLink = &x;
    made |= MatchBlockPair(x.Span(), gap.Span(), options);
  }
  return made;
}
