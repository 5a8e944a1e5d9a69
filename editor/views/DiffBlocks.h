// Cutting a compared file into common blocks and gaps, linking the blocks of both files
// and refining the gaps that lie between partner blocks.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/views/DiffLine.h"
#include "editor/views/DiffMatch.h"
#include "editor/views/DiffTypes.h"

enum TDiffBlockType : int32_t {
  dbtCommon = 1,    // a run of matched lines
  dbtDeleted = 7,   // lines only in file 1
  dbtInserted = 8,  // lines only in file 2
  dbtMovedOut = 9,  // a block of file 1 that moved
  dbtMovedIn = 10,  // a block of file 2 that moved
  dbtEmitted = 99,  // already in the result
};

struct TDiffBlock {
  TDiffLine* First = nullptr;  // inclusive; both in the same file
  TDiffLine* Last = nullptr;
  TDiffBlock* Partner = nullptr;  // the common block of the other file with the same lines
  TDiffBlock* GapLink = nullptr;  // the other file's gap this gap was refined with
  int32_t Type = dbtCommon;
  int32_t Line1 = -1;  // index of the first line in file 1 (-1: none)
  int32_t Line2 = -1;  // index of the first line in file 2 (-1: none)

  TLineSpan Span() const { return TLineSpan{First, Last}; }
  int32_t LineCount() const { return Last->Index - First->Index + 1; }
  // The first line with a partner (null for a gap).
  TDiffLine* FirstMatched() const;
};

// The blocks of one file in file order.
using TDiffBlockList = std::vector<TDiffBlock>;

// Cuts the lines from `first` on into blocks. A matched line starts a common block that
// runs on while each following matched line's partner is the next matched line after
// the previous partner; unmatched lines form gaps (type 7 in file 1, 8 in file 2). With
// IgnoreBlankLines blank lines join the block they follow (at the file's start: the
// first block), so that a block never consists of ignored lines only unless the whole
// file does, and that file is one gap.
void CutIntoBlocks(TDiffLine* first, bool firstFile, const TDiffOptions& options,
                   TDiffBlockList& blocks);

// Links each common block of file 1 with the block of file 2 that starts with the
// partner of its first matched line; fills Line1 and Line2.
void PairBlocks(TDiffBlockList& blocks1, TDiffBlockList& blocks2);

// Matches each gap of file 1 with the gap of file 2 that lies between the partners of
// its neighbours. True when a pair was made.
bool RefineGaps(TDiffBlockList& blocks1, TDiffBlockList& blocks2, const TDiffOptions& options);
