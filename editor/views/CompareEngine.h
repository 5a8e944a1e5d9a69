// The file compare without its window: loads two files, matches their lines, finds
// common, changed and moved blocks and builds the display rows of both panes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/views/DiffBlocks.h"
#include "editor/views/DiffLine.h"
#include "editor/views/DiffMerge.h"
#include "editor/views/DiffRows.h"
#include "editor/views/DiffTypes.h"

class TCompareEngine {
 public:
  explicit TCompareEngine(TDiffLinePool& pool = TDiffLinePool::Shared());
  ~TCompareEngine();
  TCompareEngine(const TCompareEngine&) = delete;
  TCompareEngine& operator=(const TCompareEngine&) = delete;

  // Reads both files and compares them: 0, -40 (FailedFile tells which file), -41 or
  // -42. After a failure there are no rows.
  [[nodiscard]] int32_t Compare(const std::string& file1, const std::string& file2,
                                const TDiffOptions& options, bool onlyDifferences);
  // Reads both files again and compares them with the same options.
  [[nodiscard]] int32_t Refresh();
  // Rebuilds the rows for the other view without comparing again.
  [[nodiscard]] int32_t SetOnlyDifferences(bool onlyDifferences);

  const TDiffRows& Rows() const { return Rows_; }
  const TDiffFile& File(int which) const { return which == 0 ? File1_ : File2_; }
  const TDiffOptions& Options() const { return Options_; }
  // The result list of the last comparison (blocks in display order).
  const std::vector<TDiffResult>& Result() const { return Result_; }
  // The file (0 or 1) that made the last comparison fail with -40, else -1.
  int32_t FailedFile() const { return FailedFile_; }
  // Passes of the match-cut-refine loop the last comparison took.
  int32_t Passes() const { return Passes_; }

  // The go-to request for a row: the lines of both files (pane -1), or of one pane.
  TGotoDiffParam GotoRequest(int32_t row, int pane = -1) const;

 private:
  [[nodiscard]] int32_t Run();
  void MatchAll();
  void Reset();
  // Rows, result, blocks and lines go; the file names stay for a refresh.
  void DropResults();

  TDiffLinePool& Pool_;
  TDiffFile File1_;
  TDiffFile File2_;
  TDiffOptions Options_;
  bool OnlyDifferences_ = false;
  TDiffBlockList Blocks1_;
  TDiffBlockList Blocks2_;
  std::vector<TDiffResult> Result_;
  TDiffRows Rows_;
  int32_t FailedFile_ = -1;
  int32_t Passes_ = 0;
};
