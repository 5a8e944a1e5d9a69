// The editor's side of drag and drop: where a drag starts, and dropping text with copy or
// move, a move inside the window being one undo step.
#include "editor/text/EditChildData.h"
#include "editor/text/ChildWindowProc.h"

#include <algorithm>

#include "editor/text/RangePieces.h"
#include "editor/text/TabColumns.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

bool Before(TTextPos a, TTextPos b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Column < b.Column);
}

// Where p stands after text from `from` to `to` was deleted (p at or after `to`).
TTextPos AfterDeletion(TTextPos p, TTextPos from, TTextPos to) {
  if (p.Line == to.Line) return {from.Column + (p.Column - to.Column), from.Line};
  return {p.Column, p.Line - (to.Line - from.Line)};
}

// Where p stands after text was inserted at `at`, ending at `end` (p at or after `at`).
TTextPos AfterInsertion(TTextPos p, TTextPos at, TTextPos end) {
  if (p.Line == at.Line) return {end.Column + (p.Column - at.Column), end.Line};
  return {p.Column, p.Line + (end.Line - at.Line)};
}

}  // namespace

static bool InSelection(TEditChildData& d, TTextPos p) {
  if (!d.HasSelection()) return false;
  const TTextRange& s = d.Selection;
  if (p.Line < s.StartLine || p.Line > s.EndLine) return false;
  if (d.ColumnBlockActive()) {
    int32_t left = 0, right = 0;
    ColumnBlockEdges(d.Lines, s, d.Caret.Line, d.Caret.Column, &left, &right);
    int32_t col = d.ScreenColumn(p.Line, p.Column);
    return col >= left && col < right;
  }
  TTextPos start{s.StartColumn, s.StartLine}, end{s.EndColumn, s.EndLine};
  return !Before(p, start) && Before(p, end);
}

bool TEditChildData::DragStarting(int32_t x, int32_t y) {
  return DragDrop && InSelection(*this, PixelToPos(x, y));
}

int32_t TEditChildData::DropText(int32_t x, int32_t y, std::string_view text, bool choose,
                                 bool move, bool fromSelf) {
  if (ReadOnly || text.empty()) return 0;
  TTextPos pos = PixelToPos(x, y);
  if (fromSelf && InSelection(*this, pos)) return 0;
  int32_t effect = move ? 2 : 1;
  if (choose) {
    intptr_t answer = NotifyFrame(cnDropChoice);
    if (answer == 0) return 0;
    effect = answer == 2 ? 2 : 1;
  }
  const bool column = ColumnBlockActive();
  const bool moveHere = fromSelf && effect == 2 && HasSelection();
  const TTextRange old = Selection;
  const TTextPos caret = Caret;
  const TTextPos oldStart{old.StartColumn, old.StartLine}, oldEnd{old.EndColumn, old.EndLine};
  if (moveHere && column) {
    // A block moved onto its own rows would tear itself apart: only other rows take it.
    int32_t rows = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (pos.Line <= old.EndLine && pos.Line + rows > old.StartLine) return 0;
  }
  RemoveSelection(true);
  bool linked = false;
  if (moveHere && !Before(pos, oldEnd)) {
    // The drop lies behind the old text: that goes first, the drop point moves up.
    if (Editor->DeleteRange(caret.Line, caret.Column, false, false, column, old) < 0) return 0;
    linked = true;
    if (!column) pos = AfterDeletion(pos, oldStart, oldEnd);
  }
  int32_t endLine = pos.Line, endColumn = pos.Column;
  if (Editor->InsertBlock(pos.Line, pos.Column, &endLine, &endColumn, linked, column, text) < 0) {
    MessageBeep(0);
    return 0;
  }
  TTextPos end{endColumn, endLine};
  if (moveHere && Before(pos, oldEnd) && !linked) {
    TTextRange shifted = old;
    if (!column) {
      TTextPos s = AfterInsertion(oldStart, pos, end);
      TTextPos e = AfterInsertion(oldEnd, pos, end);
      shifted = MakeTextRange(s.Line, s.Column, e.Line, e.Column);
    }
    Editor->DeleteRange(shifted.EndLine, shifted.EndColumn, false, true, column, shifted);
  }
  WidenRangeX(ScreenColumn(end.Line, Lines.Length(end.Line)));
  UpdateRanges(false);
  InvalidateRect(Window, nullptr);
  TTextRange inserted = MakeTextRange(pos.Line, pos.Column, end.Line, end.Column);
  if (column) {
    inserted.EndLine = end.Line;
    inserted.EndColumn = end.Column;
  }
  SetSelection(&inserted, 0);
  SetModified(true);
  if (!fromSelf) ActivateWindow(FrameWindow);
  return moveHere ? 3 : effect;
}

void TEditChildData::DragEndedWithMove() {
  if (HasSelection()) Delete();
  if (GetFocus() == Window) {
    ShowCaret(false);
    ShowCaret(true);
    NotifyFrame(cnCaretColumnChanged, ScreenColumn(Caret.Line, Caret.Column));
    NotifyFrame(cnCaretLineChanged);
  }
}

void TEditChildData::ShowDropPoint(int32_t x, int32_t y) {
  DropPoint = PixelToPos(x, y);
  DropPointShown = 1;
  if (!CaretWanted) return;
  int64_t px = LineX(DropPoint.Line, DropPoint.Column) + GutterWidth() -
               static_cast<int64_t>(Scroller->PosX) * Scroller->UnitX;
  int64_t py = static_cast<int64_t>(DropPoint.Line - Scroller->PosY) * Scroller->UnitY;
  auto clamp32 = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
  };
  // The one caret of the thread moves here for the drag, even into a window without focus.
  TSize size = GetCaretSize();
  if (GetCaretState().Owner != Window || GetCaretState().Width != size.Width ||
      GetCaretState().Height != size.Height) {
    if (!CreateCaret(Window, size.Width, size.Height)) return;
  }
  SetCaretPos(clamp32(px), clamp32(py));
  if (!GetCaretState().Visible()) platform::ShowCaret(Window);
}

void TEditChildData::HideDropPoint() {
  if (!DropPointShown) return;
  DropPointShown = 0;
  if (GetCaretState().Owner == Window) {
    HideCaret(Window);
    DestroyCaret();
  }
  // The focused window, this or another document, shows its own caret again where its
  // document has it.
  if (TScrlChildData* focused = GetChildData(GetFocus())) focused->ShowCaret(true);
}
