// Caret placement and movement of the text view: keys, words, pixels and scrolling into view.
#include "editor/text/TextChildData.h"

#include <algorithm>

#include "editor/text/TabColumns.h"
#include "editor/text/TextChars.h"
#include "platform/ui/Window.h"

using namespace platform;

void TTextChildData::SetCaret(int32_t column, int32_t line, bool screenColumn, bool extend) {
  const TTextPos old = Caret;
  if (line < 0) line = Caret.Line;
  line = std::clamp(line, 0, Lines.Count() - 1);
  if (column < 0) {
    column = Caret.Column;
  } else if (screenColumn) {
    column = ColumnToIndexBefore(Lines.At(line), column, TabWidth);
  }
  int64_t x = LineX(line, column);
  if (x > kCaretPixelLimit) {
    MessageBeep(0);
    column = Measure().IndexAt(Lines.Text(line), kCaretPixelLimit, false);
  }
  if (!CaretBeyondEnd()) column = std::min(column, Lines.Length(line));
  Caret = TTextPos{column, line};
  UpdateSelection(old.Column, old.Line, extend);
  CaretMoved(old.Column, old.Line);
}

void TTextChildData::MoveCaretBy(int32_t columns, int32_t lines, bool extend) {
  const int32_t last = Lines.Count() - 1;
  if ((lines < 0 && Caret.Line == 0) || (lines > 0 && Caret.Line >= last)) return;
  int32_t line = std::clamp(Caret.Line + lines, 0, last);
  int32_t column = Caret.Column;
  if (lines != 0) {
    // Keep the caret's pixel position: proportional fonts and tabs keep it in place.
    int64_t x = LineX(Caret.Line, Caret.Column);
    column = Measure().IndexAt(Lines.Text(line), x, false);
  }
  column += columns;
  if (!CaretBeyondEnd()) {
    if (column < 0) {
      if (line > 0) {
        --line;
        column = Lines.Length(line);
      } else {
        column = 0;
      }
    } else if (column > Lines.Length(line)) {
      // Stepping past the end goes on to the next line; a vertical move stops at the end.
      if (lines == 0 && line < last) {
        ++line;
        column = 0;
      } else {
        column = Lines.Length(line);
      }
    }
  } else if (column < 0) {
    column = 0;
  }
  SetCaret(column, line, false, extend);
}

void TTextChildData::MoveCaretTo(uint32_t key, int32_t scope, bool extend) {
  const int32_t last = Lines.Count() - 1;
  if (last == 0 && Lines.Length(0) == 0) {
    SetCaret(0, 0, false, extend);
    return;
  }
  if (key == VK_HOME) {
    switch (scope) {
      case 1:
        SetCaret(0, Caret.Line, false, extend);
        break;
      case 2:
        SetCaret(Caret.Column, Scroller->PosY, false, extend);
        break;
      default:
        if (ColumnBlockActive()) {
          SetCaret(ScreenColumn(Caret.Line, Caret.Column), 0, true, extend);
        } else {
          SetCaret(0, 0, false, extend);
        }
        break;
    }
    return;
  }
  switch (scope) {
    case 1:
      SetCaret(Lines.Length(Caret.Line), Caret.Line, false, extend);
      break;
    case 2:
      SetCaret(Caret.Column, std::min(Scroller->PosY + Scroller->PageStepY, last), false, extend);
      break;
    default:
      if (ColumnBlockActive()) {
        int32_t line = last > 0 && Lines.Length(last) == 0 ? last - 1 : last;
        SetCaret(ScreenColumn(Caret.Line, Caret.Column), line, true, extend);
      } else {
        SetCaret(Lines.Length(last), last, false, extend);
      }
      break;
  }
}

int32_t TTextChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  if (ctrl && key == VK_LEFT) {
    if (Caret.Column == 0) {
      if (Caret.Line > 0) SetCaret(Lines.Length(Caret.Line - 1), Caret.Line - 1, false, shift);
    } else {
      int32_t start = PrevWordStart(Caret.Line, std::min(Caret.Column, Lines.Length(Caret.Line)));
      SetCaret(std::max(start, 0), Caret.Line, false, shift);
    }
    return 0;
  }
  if (ctrl && key == VK_RIGHT) {
    if (Caret.Column >= Lines.Length(Caret.Line)) {
      if (Caret.Line < Lines.Count() - 1) SetCaret(0, Caret.Line + 1, false, shift);
    } else {
      int32_t next = NextWordBoundary(Caret.Line, Caret.Column, true);
      SetCaret(next < 0 ? Lines.Length(Caret.Line) : next, Caret.Line, false, shift);
    }
    return 0;
  }
  return TScrlChildData::KeyDown(key, shift, ctrl);
}

int32_t TTextChildData::PrevWordStart(int32_t line, int32_t column) {
  std::string_view text = Lines.Text(line);
  if (text.empty() || column < 1) return -1;
  int32_t i = std::min(column, static_cast<int32_t>(text.size())) - 1;
  auto word = [&](int32_t k) { return IsWordChar(static_cast<uint8_t>(text[static_cast<size_t>(k)]), DosMode); };
  while (i >= 0 && !word(i)) --i;
  while (i >= 0 && word(i)) --i;
  return i + 1;
}

int32_t TTextChildData::NextWordBoundary(int32_t line, int32_t column, bool skip) {
  std::string_view text = Lines.Text(line);
  const int32_t len = static_cast<int32_t>(text.size());
  if (column < 0) return -1;
  auto word = [&](int32_t k) { return IsWordChar(static_cast<uint8_t>(text[static_cast<size_t>(k)]), DosMode); };
  int32_t i = column;
  while (i < len && word(i)) ++i;
  if (skip) {
    while (i < len && !word(i)) ++i;
  }
  return i > column ? i : -1;
}

void TTextChildData::CaretMoved(int32_t, int32_t) {
  const int32_t screenColumn = ScreenColumn(Caret.Line, Caret.Column);
  if (screenColumn != LastShownColumn_) WidenRangeX(screenColumn);
  // Vertically: the caret line becomes visible.
  int32_t posY = Scroller->PosY;
  if (Caret.Line < posY) {
    posY = Caret.Line;
  } else if (Caret.Line > posY + Scroller->PageStepY) {
    posY = Caret.Line - Scroller->PageStepY;
  }
  // Horizontally, with a quarter page of room, unless the mouse is dragging.
  int32_t posX = Scroller->PosX;
  if (GetCapture() != Window) {
    TRect client = GetClientRect(Window);
    int64_t textWidth = std::max<int64_t>(client.Width() - GutterWidth(), CharWidth);
    int64_t x = LineX(Caret.Line, Caret.Column);
    int64_t left = static_cast<int64_t>(posX) * CharWidth;
    int32_t room = Scroller->PageStepX / 4;
    if (x < left) {
      posX = static_cast<int32_t>(std::max<int64_t>(x / CharWidth - room, 0));
    } else if (x + CharWidth > left + textWidth) {
      posX = static_cast<int32_t>((x + CharWidth - textWidth + CharWidth - 1) / CharWidth + room);
      WidenRangeX(posX);
    }
  }
  if (posX != Scroller->PosX || posY != Scroller->PosY) Scroller->ScrollTo(posX, posY);
  if (GetCaretState().Owner == Window) {
    TPoint p = GetCaretPixelPos();
    SetCaretPos(p.X, p.Y);
  }
  if (screenColumn != LastShownColumn_) {
    LastShownColumn_ = screenColumn;
    NotifyFrame(cnCaretColumnChanged, screenColumn);
  }
  if (Caret.Line != LastShownLine_) {
    LastShownLine_ = Caret.Line;
    NotifyFrame(cnCaretLineChanged);
  }
}

TPoint TTextChildData::GetCaretPixelPos() {
  int64_t x = LineX(Caret.Line, Caret.Column) + GutterWidth() -
              static_cast<int64_t>(Scroller->PosX) * Scroller->UnitX;
  int64_t y = static_cast<int64_t>(Caret.Line - Scroller->PosY) * Scroller->UnitY;
  auto clamp32 = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
  };
  return {clamp32(x), clamp32(y)};
}

TTextPos TTextChildData::PixelToPos(int32_t x, int32_t y) {
  int32_t row = y >= 0 ? y / CharHeight : -((-y + CharHeight - 1) / CharHeight);
  int32_t line = std::clamp(row + Scroller->PosY, 0, Lines.Count() - 1);
  int64_t tx = static_cast<int64_t>(x) - GutterWidth() + static_cast<int64_t>(Scroller->PosX) * CharWidth;
  int32_t column = Measure().IndexAt(Lines.Text(line), tx, FixedPitch != 0);
  // A click right of the line's end means its end where the caret cannot stand beyond it.
  if (!CaretBeyondEnd()) column = std::min(column, Lines.Length(line));
  return {column, line};
}
