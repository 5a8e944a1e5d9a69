// Keystrokes of the editor window: typing with overwrite and word wrap, Tab, Enter with
// auto-indent, Backspace, Delete, Insert and Ctrl+Y.
#include "editor/text/EditChildData.h"

#include <algorithm>
#include <string>

#include "editor/text/TabColumns.h"
#include "editor/text/WordWrap.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
constexpr uint8_t kCtrlY = 25;
constexpr uint8_t kDel = 127;
}  // namespace

int32_t TEditChildData::KeyDown(uint32_t key, bool shift, bool ctrl) {
  switch (key) {
    case VK_BACK:
      KeyBackspace(ctrl);
      return 0;
    case VK_RETURN:
      KeyEnter();
      return 0;
    case VK_INSERT:
      if (shift || ctrl) return 1;  // Shift+Insert and Ctrl+Insert are clipboard accelerators
      ToggleInsert();
      return 0;
    case VK_DELETE:
      // Shift+Delete is the Cut accelerator.
      if (!shift) KeyDelete(ctrl);
      return shift ? 1 : 0;
    default:
      return TTextChildData::KeyDown(key, shift, ctrl);
  }
}

int32_t TEditChildData::KeyChar(uint8_t ch) {
  if (ch == '\t') {
    if (ReadOnly) return 0;
    if (HasSelection()) {
      if (IsKeyDown(VK_SHIFT)) {
        ShiftBlockLeft();
        return 0;
      }
      if (Selection.StartLine != Selection.EndLine) {
        ShiftBlockRight();
        return 0;
      }
    }
    bool linked = PrepareTyping();
    if (TabsAsSpaces) {
      int32_t count = TabWidth - Caret.Column % TabWidth;
      for (int32_t i = 0; i < count; ++i) {
        TypeChar(' ', linked);
        linked = false;
      }
    } else {
      TypeChar('\t', linked);
    }
    return 0;
  }
  if (ch == kCtrlY) {
    DeleteCaretLine();
    return 0;
  }
  if (ch < 32) return 1;
  if (ch == kDel) return 0;
  bool linked = PrepareTyping();
  TypeChar(ch, linked);
  return 0;
}

int32_t TEditChildData::BreakLimitIndex(int32_t line, int32_t columns, bool atWindowEdge) {
  std::string_view text = Lines.Text(line);
  if (atWindowEdge) {
    int32_t width = GetClientRect(Window).Width() - GutterWidth() - CharWidth;
    if (FixedPitch) return ColumnToIndexBefore(text.data(), std::max(width / CharWidth, 1), TabWidth);
    return std::max(Measure().IndexAt(text, std::max(width, 1), false), 1);
  }
  return ColumnToIndexBefore(text.data(), std::max(columns, 1), TabWidth);
}

void TEditChildData::TypeChar(uint8_t ch, bool linked) {
  if (ReadOnly) return;
  const int32_t line = Caret.Line;
  const int32_t column = Caret.Column;
  const char c = static_cast<char>(ch);
  int32_t r = Overwrite && column < Lines.Length(line)
                  ? Editor->OverwriteChar(line, column, linked, c)
                  : Editor->InsertChar(line, column, linked, c);
  if (r < 0) {
    MessageBeep(0);
    return;
  }
  TTextPos caret{column + 1, line};
  if (WordWrap) {
    int32_t limit = BreakLimitIndex(line, WrapCol, WrapWin);
    int32_t at = FindBreakPosition(Lines.Text(line), limit);
    if (at >= 0 && caret.Column > at) {
      std::string block = "\r\n";
      if (AutoIndent) block.append(LeadingBlanks(Lines.Text(line), at));
      int32_t endLine = line, endColumn = at;
      if (Editor->InsertBlock(line, at, &endLine, &endColumn, true, false, block) >= 0) {
        caret = TTextPos{endColumn + (caret.Column - at), endLine};
        InvalidateLines(line, -1);
      }
    }
  }
  WidenRangeX(ScreenColumn(caret.Line, Lines.Length(caret.Line)));
  SetCaret(caret.Column, caret.Line, false, false);
  AfterEdit(line, caret.Line != line);
}

void TEditChildData::KeyEnter() {
  if (ReadOnly) return;
  bool linked = PrepareTyping();
  const int32_t line = Caret.Line;
  const int32_t column = std::min(Caret.Column, Lines.Length(line));
  std::string block = "\r\n";
  if (AutoIndent) block.append(LeadingBlanks(Lines.Text(line), column));
  int32_t endLine = line, endColumn = column;
  if (Editor->InsertBlock(line, column, &endLine, &endColumn, linked, false, block) < 0) {
    MessageBeep(0);
    return;
  }
  SetCaret(endColumn, endLine, false, false);
  AfterEdit(line, true);
}

void TEditChildData::KeyBackspace(bool ctrl) {
  if (ReadOnly) return;
  if (HasSelection()) {
    bool deleted = PrepareTyping();
    if (deleted) {
      AfterEdit(Caret.Line, true);
      return;
    }
  }
  const int32_t line = Caret.Line;
  const int32_t column = Caret.Column;
  const int32_t len = Lines.Length(line);
  if (ctrl && column > 0 && column <= len) {
    int32_t start = PrevWordStart(line, column);
    if (start >= 0 && start < column) {
      Editor->DeleteText(line, start, false, false, column - start);
      SetCaret(start, line, false, false);
      AfterEdit(line, false);
      return;
    }
  }
  if (column > len) {
    SetCaret(len, line, false, false);
  } else if (column > 0) {
    SetCaret(column - 1, line, false, false);
    Editor->DeleteChar(line, column - 1, false, false);
    AfterEdit(line, false);
  } else if (line > 0) {
    int32_t prevLen = Lines.Length(line - 1);
    Editor->DeleteRange(line, 0, false, false, false, MakeTextRange(line - 1, prevLen, line, 0));
    SetCaret(prevLen, line - 1, false, false);
    AfterEdit(line - 1, true);
  }
}

void TEditChildData::KeyDelete(bool ctrl) {
  if (ReadOnly) return;
  if (HasSelection()) {
    DeleteSelection(false);
    AfterEdit(Caret.Line, true);
    return;
  }
  const int32_t line = Caret.Line;
  const int32_t column = Caret.Column;
  const int32_t len = Lines.Length(line);
  if (ctrl && column < len) {
    int32_t next = NextWordBoundary(line, column, true);
    if (next > column) {
      Editor->DeleteText(line, column, true, false, next - column);
      InvalidateLines(line, line);
      AfterEdit(line, false);
      return;
    }
  }
  if (column < len) {
    Editor->DeleteChar(line, column, true, false);
    AfterEdit(line, false);
    return;
  }
  if (line + 1 >= Lines.Count()) return;
  bool linked = false;
  if (column > len) {
    // The gap up to the caret is filled, so the joined text lands where the caret stands.
    Editor->InsertText(line, len, false, std::string(static_cast<size_t>(column - len), ' '));
    linked = true;
  }
  Editor->DeleteRange(line, column, true, linked, false, MakeTextRange(line, column, line + 1, 0));
  SetCaret(column, line, false, false);
  AfterEdit(line, true);
}

void TEditChildData::ToggleInsert() {
  Overwrite = !Overwrite;
  if (GetFocus() == Window) {
    ShowCaret(false);
    ShowCaret(true);
  }
  NotifyFrame(cnInsertModeChanged, Overwrite ? 0 : 1);
}

void TEditChildData::DeleteCaretLine() {
  if (ReadOnly) return;
  RemoveSelection(true);
  const int32_t line = Caret.Line;
  if (line == Lines.Count() - 1) {
    int32_t len = Lines.Length(line);
    if (len == 0) return;
    Editor->DeleteText(line, 0, true, false, len);
  } else {
    Editor->DeleteRange(line, 0, true, false, false, MakeTextRange(line, 0, line + 1, 0));
  }
  SetCaret(0, line, false, false);
  AfterEdit(line, true);
}
