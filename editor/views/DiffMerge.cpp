#include "editor/views/DiffMerge.h"

namespace {

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
  // A block left over once the other list is done, or one whose partner went earlier.
  void EmitAlone(TDiffBlock& block, bool firstFile) {
    if (block.Partner)
      Emit(block, firstFile ? dbtMovedOut : dbtMovedIn);
    else
      Emit(block, firstFile ? dbtDeleted : dbtInserted);
  }
};

}  // namespace

std::vector<TDiffResult> MergeBlocks(TDiffBlockList& blocks1, TDiffBlockList& blocks2) {
  TMerger m;
  m.Result.reserve(blocks1.size() + blocks2.size());
  size_t x = 0, y = 0;
  while (x < blocks1.size() && y < blocks2.size()) {
    TDiffBlock& bx = blocks1[x];
    TDiffBlock& by = blocks2[y];
    if (bx.Type == dbtDeleted || !bx.Partner) {
      // A common block without partner is shown as deleted rather than dropped.
      m.Emit(bx, dbtDeleted);
      ++x;
    } else if (bx.Partner->Type == dbtEmitted) {
      m.Emit(bx, dbtMovedOut);
      ++x;
    } else if (!by.Partner) {
      m.Emit(by, dbtInserted);
      ++y;
    } else if (by.Partner->Type == dbtEmitted) {
      m.Emit(by, dbtMovedIn);
      ++y;
    } else if (bx.Partner == &by) {
      m.EmitCommon(bx, by);
      ++x;
      ++y;
    } else if (by.LineCount() <= bx.LineCount()) {
      m.Emit(by, dbtMovedIn);
      ++y;
    } else {
      m.Emit(bx, dbtMovedOut);
      ++x;
    }
  }
  for (; x < blocks1.size(); ++x) m.EmitAlone(blocks1[x], true);
  for (; y < blocks2.size(); ++y) m.EmitAlone(blocks2[y], false);
  return m.Result;
}
