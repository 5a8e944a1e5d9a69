// Stream and column-block selection of the text view: setting, extending with the caret,
// showing it inverted, double-click words.
#include "editor/text/TextChildData.h"

#include <algorithm>

#include "editor/text/RangePieces.h"
#include "editor/text/TextChars.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
bool Before(TTextPos a, TTextPos b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Column < b.Column);
}
}  // namespace

bool TTextChildData::HasSelection() {
  return Selection.StartLine != Selection.EndLine || Selection.StartColumn != Selection.EndColumn;
}

void TTextChildData::CollapseSelection() {
  Selection = MakeTextRange(Caret.Line, Caret.Column, Caret.Line, Caret.Column);
}

void TTextChildData::RemoveSelection(bool notify) {
  if (!HasSelection()) return;
  TTextRange old = Selection;
  CollapseSelection();
  InvalidateLines(old.StartLine, old.EndLine);
  if (notify) NotifyFrame(cnSelectionChanged, 0);
}

TTextPos TTextChildData::SelectionAnchor() const {
  TTextPos start{Selection.StartColumn, Selection.StartLine};
  TTextPos end{Selection.EndColumn, Selection.EndLine};
  if (start == end) return Caret;
  return Caret == start ? end : start;
}

TTextRange TTextChildData::NormalizedSelection(TTextPos anchor, TTextPos caret) const {
  TTextPos a = anchor, b = caret;
  if (Before(b, a)) std::swap(a, b);
  return MakeTextRange(a.Line, a.Column, b.Line, b.Column);
}

void TTextChildData::SetSelectionRaw(const TTextRange& range) { Selection = range; }

void TTextChildData::InvalidateStretch(TTextPos a, TTextPos b) {
  InvalidateLines(std::min(a.Line, b.Line), std::max(a.Line, b.Line));
}

void TTextChildData::UpdateSelection(int32_t oldColumn, int32_t oldLine, bool extend) {
  if (!extend) {
    RemoveSelection(true);
    CollapseSelection();
    return;
  }
  const TTextPos old{oldColumn, oldLine};
  const bool had = HasSelection();
  TTextPos anchor = old;
  if (had) {
    TTextPos start{Selection.StartColumn, Selection.StartLine};
    TTextPos end{Selection.EndColumn, Selection.EndLine};
    anchor = old == start ? end : start;
  }
  Selection = NormalizedSelection(anchor, Caret);
  if (ColumnBlockActive()) {
    // The block's columns follow the caret's screen column in every row it spans.
    int32_t first = std::min({anchor.Line, old.Line, Caret.Line});
    int32_t last = std::max({anchor.Line, old.Line, Caret.Line});
    InvalidateLines(first, last);
  } else {
    // Only the stretch between the old and the new caret changes.
    InvalidateStretch(old, Caret);
  }
  if (had != HasSelection()) NotifyFrame(cnSelectionChanged, had ? 0 : 1);
}

void TTextChildData::SetSelection(const TTextRange* range, int32_t mode) {
  const int32_t last = Lines.Count() - 1;
  TTextRange r = range ? *range : MakeTextRange(0, 0, last, Lines.Length(last));
  r.StartLine = std::clamp(r.StartLine, 0, last);
  r.StartColumn = std::max(r.StartColumn, 0);
  r.EndColumn = std::max(r.EndColumn, 0);
  if (r.EndLine < r.StartLine) r.EndLine = r.StartLine;
  if (!ColumnBlockActive() && r.EndLine > last) {
    r.EndLine = last;
    r.EndColumn = Lines.Length(last);
  }
  r.EndLine = std::min(r.EndLine, last);
  if (!CaretBeyondEnd()) {
    // Neither end may stand where the caret cannot.
    r.StartColumn = std::min(r.StartColumn, Lines.Length(r.StartLine));
    r.EndColumn = std::min(r.EndColumn, Lines.Length(r.EndLine));
  }
  if (mode == 1 || mode == 2) {
    TTextPos from{r.StartColumn, r.StartLine}, to{r.EndColumn, r.EndLine};
    if (mode == 2) std::swap(from, to);
    SetCaret(from.Column, from.Line, false, false);
    SetCaret(to.Column, to.Line, false, true);
    return;
  }
  const bool had = HasSelection();
  const TTextPos oldCaret = Caret;
  if (had) InvalidateLines(Selection.StartLine, Selection.EndLine);
  Selection = r;
  Caret = TTextPos{r.EndColumn, r.EndLine};
  InvalidateLines(r.StartLine, r.EndLine);
  if (!had && HasSelection()) NotifyFrame(cnSelectionChanged, 1);
  CaretMoved(oldCaret.Column, oldCaret.Line);
}

void TTextChildData::InvertRange(TCanvas* dc, const TTextRange& range) {
  if (IsEmptyRange(range)) return;
  std::unique_ptr<TCanvas> own;
  const int32_t gutter = GutterWidth();
  if (!dc) {
    own = GetWindowCanvas(Window);
    if (!own) return;
    dc = own.get();
    dc->ExcludeClipRect(TRect{0, 0, gutter, GetClientRect(Window).Bottom});
  }
  const int64_t originX = gutter - static_cast<int64_t>(Scroller->PosX) * CharWidth;
  const int32_t first = std::max(range.StartLine, Scroller->PosY);
  const int32_t last = std::min({range.EndLine, Lines.Count() - 1,
                                 Scroller->PosY + VisibleLineCount()});
  const bool column = ColumnBlockActive();
  int32_t left = 0, right = 0;
  if (column) ColumnBlockEdges(Lines, range, Caret.Line, Caret.Column, &left, &right);
  for (int32_t line = first; line <= last; ++line) {
    int64_t x0, x1;
    if (column) {
      x0 = static_cast<int64_t>(left) * CharWidth;
      x1 = static_cast<int64_t>(right) * CharWidth;
    } else {
      x0 = line == range.StartLine ? LineX(line, range.StartColumn) : 0;
      // A selected line end shows as one character width.
      x1 = line == range.EndLine ? LineX(line, range.EndColumn)
                                 : LineX(line, Lines.Length(line)) + CharWidth;
    }
    x0 = std::max<int64_t>(x0 + originX, gutter);
    x1 = std::min<int64_t>(x1 + originX, INT32_MAX / 2);
    if (x1 <= x0) continue;
    int32_t y = (line - Scroller->PosY) * CharHeight;
    dc->InvertRect(TRect{static_cast<int32_t>(x0), y, static_cast<int32_t>(x1), y + CharHeight});
  }
}

void TTextChildData::DoubleClick(int32_t, int32_t) {
  const int32_t line = Caret.Line;
  const int32_t len = Lines.Length(line);
  if (Caret.Column == 0) {
    TTextRange whole = line + 1 < Lines.Count() ? MakeTextRange(line, 0, line + 1, 0)
                                                : MakeTextRange(line, 0, line, len);
    SetSelection(&whole, 1);
    return;
  }
  if (Caret.Column > len) return;
  std::string_view text = Lines.Text(line);
  int32_t start = Caret.Column;
  // The word under the caret; a caret just behind a word takes that word.
  if (IsWordChar(static_cast<uint8_t>(text[static_cast<size_t>(start - 1)]), DosMode)) {
    start = std::max(PrevWordStart(line, start), 0);
  }
  int32_t end = NextWordBoundary(line, Caret.Column, false);
  if (end < 0) end = Caret.Column;
  if (end == start) return;
  TTextRange word = MakeTextRange(line, start, line, end);
  SetSelection(&word, 1);
}
