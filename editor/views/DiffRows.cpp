#include "editor/views/DiffRows.h"

#include <algorithm>

#include "editor/views/DiffLineCompare.h"

void TDiffRows::Clear() {
  for (TDiffLine* separator : Separators_)
    FreeDiffLine(Pool_, separator);
  Separators_.clear();
  Pane_[0].clear();
  Pane_[1].clear();
  DifferenceRows_ = 0;
  HighestLine_ = -1;
  LongestText_ = 0;
}

TDiffLine* TDiffRows::At(int pane, int32_t row) const {
  const auto& rows = Pane_[pane & 1];
  return row >= 0 && row < static_cast<int32_t>(rows.size()) ? rows[static_cast<size_t>(row)]
                                                             : nullptr;
}

void TDiffRows::Append(int pane, TDiffLine* line, bool changed) {
  // Ignored blank lines are never shown as changes.
  if (changed && !IsIgnoredLine(*line, Options_))
    line->Flags |= dlfChanged;
  else
    line->Flags &= ~dlfChanged;
  Pane_[pane].push_back(line);
  HighestLine_ = std::max(HighestLine_, line->Index);
  LongestText_ = std::max(LongestText_, line->Length);
}

// Before a common block both panes are brought to the same length; in the
// only-differences view the filler rows are separators carrying the line before.
bool TDiffRows::Align(int32_t index1, int32_t index2) {
  for (int pane = 0; pane < 2; ++pane) {
    auto& rows = Pane_[pane];
    const size_t other = Pane_[1 - pane].size();
    while (rows.size() < other) {
      TDiffLine* filler = nullptr;
      if (OnlyDifferences_) {
        filler = NewDiffLine(Pool_, "", 0, (pane == 0 ? index1 : index2) - 1);
        if (!filler) return false;
        filler->Flags |= dlfSeparator;
        Separators_.push_back(filler);
      }
      rows.push_back(filler);
    }
  }
  return true;
}

void TDiffRows::AppendCommon(const TDiffBlock& x, const TDiffBlock& y) {
  TDiffLine* p = x.First;
  TDiffLine* q = y.First;
  const TLineSpan spanX = x.Span(), spanY = y.Span();
  while (spanX.Holds(p) || spanY.Holds(q)) {
    if (spanX.Holds(p) && spanY.Holds(q) && p->Partner == q) {
      Append(0, p, false);
      Append(1, q, false);
      p = p->Next;
      q = q->Next;
      continue;
    }
    // Lines without a partner here (ignored blank lines): side by side as they come,
    // fillers opposite the surplus.
    size_t before0 = Pane_[0].size(), before1 = Pane_[1].size();
    while (spanX.Holds(p) && !(p->Partner && spanY.Holds(p->Partner))) {
      Append(0, p, false);
      p = p->Next;
    }
    while (spanY.Holds(q) && !(q->Partner && spanX.Holds(q->Partner))) {
      Append(1, q, false);
      q = q->Next;
    }
    if (Pane_[0].size() == before0 && Pane_[1].size() == before1) {
      // Partners inside both blocks but out of step: cannot come from the cutting;
      // show one line alone rather than lose or repeat a line.
      if (spanX.Holds(p)) {
        Append(0, p, false);
        p = p->Next;
      } else {
        Append(1, q, false);
        q = q->Next;
      }
    }
    const size_t rows = std::max(Pane_[0].size(), Pane_[1].size());
    Pane_[0].resize(rows, nullptr);
    Pane_[1].resize(rows, nullptr);
  }
}

int32_t TDiffRows::Build(const std::vector<TDiffResult>& result, bool onlyDifferences,
                         const TDiffOptions& options) {
  Clear();
  Options_ = options;
  OnlyDifferences_ = onlyDifferences;
  for (const TDiffResult& entry : result) {
    const TDiffBlock& block = *entry.Block;
    switch (entry.Type) {
      case dbtCommon: {
        const TDiffBlock& partner = *block.Partner;
        if (!Align(block.First->Index, partner.First->Index)) {
          Clear();
          return csNoLineRecord;
        }
        if (!onlyDifferences) AppendCommon(block, partner);
        break;
      }
      case dbtDeleted:
      case dbtMovedOut:
      case dbtInserted:
      case dbtMovedIn: {
        const int pane = entry.Type == dbtDeleted || entry.Type == dbtMovedOut ? 0 : 1;
        for (TDiffLine* line = block.First;; line = line->Next) {
          Append(pane, line, true);
          if (line == block.Last) break;
        }
        break;
      }
      default:
        break;
    }
  }
  const size_t rows = std::max(Pane_[0].size(), Pane_[1].size());
  Pane_[0].resize(rows, nullptr);
  Pane_[1].resize(rows, nullptr);
  for (int32_t row = 0; row < RowCount(); ++row)
    DifferenceRows_ += IsDifferenceRow(row);
  return csOk;
}

bool TDiffRows::IsDifferenceRow(int32_t row) const {
  const TDiffLine* a = At(0, row);
  const TDiffLine* b = At(1, row);
  return (a && a->Changed()) || (b && b->Changed());
}

int32_t TDiffRows::NextDifference(int32_t top) const {
  for (int32_t row = std::max(top + 1, 0); row < RowCount(); ++row)
    if (IsDifferenceRow(row)) return row;
  return -1;
}

int32_t TDiffRows::PreviousDifference(int32_t top) const {
  for (int32_t row = std::min(top, RowCount()) - 1; row >= 0; --row)
    if (IsDifferenceRow(row)) return row;
  return -1;
}

int32_t TDiffRows::GotoLine(int pane, int32_t row) const {
  for (row = std::min(row, RowCount() - 1); row >= 0; --row) {
    const TDiffLine* line = At(pane, row);
    if (line) return std::max(line->Index, 0);
  }
  return 0;
}
