#include "editor/views/DiffMerge.h"

#include <cstdint>

namespace {

// Chooses the partner pairs that stay in place: the largest set (by lines) of pairs
// that are in the same order in both files; the others are shown as moved. On equal
// sizes the pair that comes first in file 1 stays, so of two equally long crossing
// blocks the file-2 one counts as moved. Comparing only the two blocks at hand would
// let one moved block mark every shorter block it jumps over as moved as well.
std::vector<bool> StayingPairs(const TDiffBlockList& blocks1, const TDiffBlockList& blocks2) {
  struct TBest {
    int64_t Lines = 0;
    int32_t Pair = -1;  // the index in `pairs` of the chain's last pair
    bool Better(const TBest& other) const {
      return Lines > other.Lines ||
             (Lines == other.Lines && Pair >= 0 && (other.Pair < 0 || Pair < other.Pair));
    }
  };
  std::vector<size_t> pairs;  // indexes of blocks1 with a partner, in file-1 order
  for (size_t i = 0; i < blocks1.size(); ++i)
    if (blocks1[i].Partner) pairs.push_back(i);
  // Fenwick tree over the file-2 block index: the best chain ending below an index.
  std::vector<TBest> tree(blocks2.size() + 1);
  std::vector<int32_t> previous(pairs.size(), -1);
  TBest overall;
  for (size_t p = 0; p < pairs.size(); ++p) {
    const TDiffBlock& x = blocks1[pairs[p]];
    const size_t y = static_cast<size_t>(x.Partner - blocks2.data());
    TBest before;
    for (size_t k = y; k > 0; k -= k & (~k + 1))
      if (tree[k].Better(before)) before = tree[k];
    TBest chain{before.Lines + x.LineCount() + x.Partner->LineCount(), static_cast<int32_t>(p)};
    previous[p] = before.Pair;
    if (chain.Better(overall)) overall = chain;
    for (size_t k = y + 1; k < tree.size(); k += k & (~k + 1))
      if (chain.Better(tree[k])) tree[k] = chain;
  }
  std::vector<bool> stays(blocks1.size(), false);
  for (int32_t p = overall.Pair; p >= 0; p = previous[static_cast<size_t>(p)])
    stays[pairs[static_cast<size_t>(p)]] = true;
  return stays;
}

class TMerger {
 public:
  std::vector<TDiffResult> Result;

  void Emit(TDiffBlock& block, int32_t type) {
    Result.push_back(TDiffResult{&block, type});
    block.Type = dbtEmitted;
  }
  void EmitCommon(TDiffBlock& x, TDiffBlock& y) {
    Result.push_back(TDiffResult{&x, dbtCommon});
    x.Type = y.Type = dbtEmitted;
  }
  // A block left over once the other list is done.
  void EmitAlone(TDiffBlock& block, bool firstFile) {
    if (block.Partner)
      Emit(block, firstFile ? dbtMovedOut : dbtMovedIn);
    else
      Emit(block, firstFile ? dbtDeleted : dbtInserted);
  }
};

}  // namespace

std::vector<TDiffResult> MergeBlocks(TDiffBlockList& blocks1, TDiffBlockList& blocks2) {
  const std::vector<bool> stays = StayingPairs(blocks1, blocks2);
  auto staying = [&](const TDiffBlock& x) {
    return stays[static_cast<size_t>(&x - blocks1.data())];
  };
  TMerger m;
  m.Result.reserve(blocks1.size() + blocks2.size());
  size_t x = 0, y = 0;
  while (x < blocks1.size() && y < blocks2.size()) {
    TDiffBlock& bx = blocks1[x];
    TDiffBlock& by = blocks2[y];
    if (bx.Type == dbtDeleted || !bx.Partner) {
      m.Emit(bx, dbtDeleted);
      ++x;
    } else if (bx.Partner->Type == dbtEmitted || !staying(bx)) {
      m.Emit(bx, dbtMovedOut);
      ++x;
    } else if (!by.Partner) {
      m.Emit(by, dbtInserted);
      ++y;
    } else if (by.Partner->Type == dbtEmitted || !staying(*by.Partner)) {
      m.Emit(by, dbtMovedIn);
      ++y;
    } else if (bx.Partner == &by) {
      m.EmitCommon(bx, by);
      ++x;
      ++y;
    } else if (by.LineCount() <= bx.LineCount()) {
      // Staying pairs keep their order, so this is not reached; kept as the safe side.
      m.Emit(by, dbtMovedIn);
      ++y;
    } else {
      m.Emit(bx, dbtMovedOut);
      ++x;
    }
  }
  for (; x < blocks1.size(); ++x)
    m.EmitAlone(blocks1[x], true);
  for (; y < blocks2.size(); ++y)
    m.EmitAlone(blocks2[y], false);
  return m.Result;
}
