// The display rows of both panes of a compare window, and the navigation over them.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/views/DiffLinePool.h"
#include "editor/views/DiffMerge.h"

// Two row lists of equal length; an entry is a line record, a separator record or null
// (a filler row). Owns the separator records it made.
class TDiffRows {
 public:
  explicit TDiffRows(TDiffLinePool& pool) : Pool_(pool) {}
  ~TDiffRows() { Clear(); }
  TDiffRows(const TDiffRows&) = delete;
  TDiffRows& operator=(const TDiffRows&) = delete;

  // Builds both panes from a result list: every line appears once in its pane in file
  // order, common blocks side by side; in the only-differences view common lines are
  // left out and the alignment fillers become separator records. -41 when a separator
  // cannot be made (the rows are then empty); std::bad_alloc passes through.
  [[nodiscard]] int32_t Build(const std::vector<TDiffResult>& result, bool onlyDifferences,
                              const TDiffOptions& options);
  void Clear();

  int32_t RowCount() const { return static_cast<int32_t>(Pane_[0].size()); }
  // pane 0: file 1 (left or top), pane 1: file 2.
  TDiffLine* At(int pane, int32_t row) const;
  const std::vector<TDiffLine*>& Pane(int pane) const { return Pane_[pane]; }

  // A row shows a difference when a line on either side is marked changed. (Fillers are
  // only ever placed opposite changed lines, except beside ignored blank lines.)
  bool IsDifferenceRow(int32_t row) const;
  int32_t DifferenceRows() const { return DifferenceRows_; }
  // The highest line index shown (for the line-number gutter), -1 without rows.
  int32_t HighestLine() const { return HighestLine_; }
  // The length of the longest text shown (for the horizontal scroll range).
  int32_t LongestText() const { return LongestText_; }
  bool OnlyDifferences() const { return OnlyDifferences_; }

  // The first difference row below `top`, or -1.
  int32_t NextDifference(int32_t top) const;
  // The first difference row above `top`, searching upwards from the row above, or -1.
  int32_t PreviousDifference(int32_t top) const;
  // The line of a pane to go to for a row: the row's line; for a separator the line
  // before the left-out common lines; for a filler the nearest line above; else 0.
  int32_t GotoLine(int pane, int32_t row) const;

 private:
  void Append(int pane, TDiffLine* line, bool changed);
  [[nodiscard]] bool Align(int32_t index1, int32_t index2);
  void AppendCommon(const TDiffBlock& x, const TDiffBlock& y);

  TDiffLinePool& Pool_;
  std::vector<TDiffLine*> Pane_[2];
  std::vector<TDiffLine*> Separators_;
  TDiffOptions Options_;
  bool OnlyDifferences_ = false;
  int32_t DifferenceRows_ = 0;
  int32_t HighestLine_ = -1;
  int32_t LongestText_ = 0;
};
