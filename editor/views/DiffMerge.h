// Merging the block lists of both files into one result list in display order.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/views/DiffBlocks.h"

// One entry of the result: a block and what it is shown as. For a common block, Block
// is the file-1 block and its Partner the file-2 block.
struct TDiffResult {
  TDiffBlock* Block;
  int32_t Type;  // dbtCommon, dbtDeleted, dbtInserted, dbtMovedOut or dbtMovedIn
};

// Walks both lists once; every block is emitted exactly once and then marked dbtEmitted.
// Of crossing common blocks the ones outside the largest in-order set are moved; for
// two crossing blocks that is the shorter one (file 2's when equally long).
std::vector<TDiffResult> MergeBlocks(TDiffBlockList& blocks1, TDiffBlockList& blocks2);
