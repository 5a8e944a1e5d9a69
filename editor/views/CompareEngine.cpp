#include "editor/views/CompareEngine.h"

#include <new>

#include "editor/views/CompareKeepAlive.h"
#include "editor/views/DiffMatch.h"

TCompareEngine::TCompareEngine(TDiffLinePool& pool)
    : Pool_(pool), File1_(pool), File2_(pool), Rows_(pool) {}

TCompareEngine::~TCompareEngine() {
  Reset();
}

void TCompareEngine::Reset() {
  DropResults();
  Passes_ = 0;
}

void TCompareEngine::DropResults() {
  Rows_.Clear();
  Result_.clear();
  Blocks1_.clear();
  Blocks2_.clear();
  File1_.Clear();
  File2_.Clear();
}

int32_t TCompareEngine::Compare(const std::string& file1, const std::string& file2,
                                const TDiffOptions& options, bool onlyDifferences) {
  Reset();
  Options_ = options;
  OnlyDifferences_ = onlyDifferences;
  FailedFile_ = -1;
  int32_t status;
  try {
    // The names are kept even when loading fails, so that a refresh can try again.
    status = File1_.Load(file1);
    if (status == csOk) {
      status = File2_.Load(file2);
      if (status == csCannotRead) FailedFile_ = 1;
    } else {
      if (status == csCannotRead) FailedFile_ = 0;
      File2_.SetName(file2);
    }
    if (status == csOk) status = Run();
  } catch (const std::bad_alloc&) {
    status = csNoMemory;
  } catch (const TCompareCancelled&) {
    status = csCancelled;
  }
  if (status != csOk) DropResults();
  return status;
}

int32_t TCompareEngine::Refresh() {
  const std::string name1 = File1_.Name(), name2 = File2_.Name();
  return Compare(name1, name2, Options_, OnlyDifferences_);
}

int32_t TCompareEngine::SetOnlyDifferences(bool onlyDifferences) {
  OnlyDifferences_ = onlyDifferences;
  try {
    return Rows_.Build(Result_, OnlyDifferences_, Options_);
  } catch (const std::bad_alloc&) {
    Rows_.Clear();
    return csNoMemory;
  }
}

void TCompareEngine::MatchAll() {
  const TLineSpan whole1{File1_.First(), File1_.Last()};
  const TLineSpan whole2{File2_.First(), File2_.Last()};
  bool made;
  do {
    ++Passes_;
    made = MatchBlockPair(whole1, whole2, Options_);
    CutIntoBlocks(File1_.First(), true, Options_, Blocks1_);
    CutIntoBlocks(File2_.First(), false, Options_, Blocks2_);
    PairBlocks(Blocks1_, Blocks2_);
    made |= RefineGaps(Blocks1_, Blocks2_, Options_);
  } while (made);
}

int32_t TCompareEngine::Run() {
  try {
    MatchAll();
    // The last pass made no pair, so its blocks are the final cut.
    Result_ = MergeBlocks(Blocks1_, Blocks2_);
    return Rows_.Build(Result_, OnlyDifferences_, Options_);
  } catch (const std::bad_alloc&) {
    return csNoMemory;
  }
}

TGotoDiffParam TCompareEngine::GotoRequest(int32_t row, int pane) const {
  TGotoDiffParam request;
  request.FirstFile = File1_.Name();
  request.SecondFile = File2_.Name();
  if (pane != 1) request.FirstLine = Rows_.GotoLine(0, row);
  if (pane != 0) request.SecondLine = Rows_.GotoLine(1, row);
  return request;
}
