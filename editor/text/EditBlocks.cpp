// Block commands of the editor window: shifting, case and character-set conversion, tabs to
// spaces, removing empty lines and inserting a file. Each is one undo step.
#include "editor/text/EditChildData.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/text/RangePieces.h"
#include "editor/text/TabColumns.h"
#include "editor/text/TextChars.h"
#include "editor/text/TextFile.h"
#include "platform/charset/Charset.h"
#include "platform/file/File.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

// One piece of a range, copied out before the lines change.
struct TPieceCopy {
  int32_t Line;
  int32_t Column;
  std::string Text;
};

std::vector<TPieceCopy> CopyPieces(const TTextLines& lines, const TTextRange& range, bool column,
                                   TTextPos caret) {
  std::vector<TPieceCopy> pieces;
  TRangeWalk walk;
  const char* piece = nullptr;
  int32_t length = 0;
  bool more = FirstRangePiece(walk, lines, range, column, caret.Line, caret.Column, &piece, &length);
  while (more) {
    int32_t line = walk.Line - 1;
    if (piece && length > 0) {
      int32_t col = static_cast<int32_t>(piece - lines.At(line));
      pieces.push_back({line, col, std::string(piece, static_cast<size_t>(length))});
    }
    more = NextRangePiece(walk, &piece, &length);
  }
  return pieces;
}

}  // namespace

// The selection widened to whole lines; false when nothing is selected. `last` is the last
// line included (a selection ending at column 0 leaves its end line out).
static bool WholeLines(TEditChildData& d, int32_t* first, int32_t* last) {
  if (!d.HasSelection()) return false;
  *first = d.Selection.StartLine;
  *last = d.Selection.EndColumn > 0 ? d.Selection.EndLine : d.Selection.EndLine - 1;
  if (*last < *first) *last = *first;
  *last = std::min(*last, d.Lines.Count() - 1);
  return true;
}

// Selects lines first..last as whole lines (to the start of the following line).
static void SelectWholeLines(TEditChildData& d, int32_t first, int32_t last) {
  TTextRange r = last + 1 < d.Lines.Count()
                     ? MakeTextRange(first, 0, last + 1, 0)
                     : MakeTextRange(first, 0, last, d.Lines.Length(last));
  d.SetSelection(&r, 0);
}

void TEditChildData::ShiftBlockRight() {
  if (ReadOnly || !HasSelection()) return;
  if (ColumnBlockActive()) {
    int32_t left = 0, right = 0;
    ColumnBlockEdges(Lines, Selection, Caret.Line, Caret.Column, &left, &right);
    TTextRange r = Selection;
    int32_t startCol = ScreenColumn(r.StartLine, r.StartColumn);
    int32_t endCol = ScreenColumn(r.EndLine, r.EndColumn);
    bool linked = false;
    for (int32_t line = r.StartLine; line <= r.EndLine; ++line) {
      // Lines that end before the block have nothing to move.
      if (ScreenColumn(line, Lines.Length(line)) <= left) continue;
      int32_t at = ColumnToIndexBefore(Lines.At(line), left, TabWidth);
      if (Editor->InsertText(line, at, linked, " ") < 0) break;
      linked = true;
    }
    r.StartColumn = ColumnToIndexBefore(Lines.At(r.StartLine), startCol + 1, TabWidth);
    r.EndColumn = ColumnToIndexBefore(Lines.At(r.EndLine), endCol + 1, TabWidth);
    bool caretAtStart = Caret.Line == Selection.StartLine && Caret.Column == Selection.StartColumn;
    SetSelection(&r, caretAtStart ? 2 : 0);
    InvalidateLines(r.StartLine, r.EndLine);
    AfterEdit(r.StartLine, true);
    return;
  }
  int32_t first = 0, last = 0;
  if (!WholeLines(*this, &first, &last)) return;
  bool linked = false;
  for (int32_t line = first; line <= last; ++line) {
    if (Editor->InsertText(line, 0, linked, " ") < 0) break;
    linked = true;
  }
  SelectWholeLines(*this, first, last);
  InvalidateLines(first, last);
  AfterEdit(first, true);
}

void TEditChildData::ShiftBlockLeft() {
  if (ReadOnly || !HasSelection()) return;
  if (ColumnBlockActive()) {
    int32_t left = 0, right = 0;
    ColumnBlockEdges(Lines, Selection, Caret.Line, Caret.Column, &left, &right);
    if (left <= 0) return;
    TTextRange r = Selection;
    // Every row needs the same blank just left of the block.
    char blank = 0;
    std::vector<int32_t> at;
    for (int32_t line = r.StartLine; line <= r.EndLine; ++line) {
      int32_t index = ColumnToIndexBefore(Lines.At(line), left, TabWidth);
      std::string_view text = Lines.Text(line);
      if (index < 1 || index > static_cast<int32_t>(text.size())) return;
      char c = text[static_cast<size_t>(index - 1)];
      if (c != ' ' && c != '\t') return;
      if (blank && c != blank) return;
      blank = c;
      at.push_back(index - 1);
    }
    int32_t startCol = ScreenColumn(r.StartLine, r.StartColumn);
    int32_t endCol = ScreenColumn(r.EndLine, r.EndColumn);
    bool linked = false;
    for (int32_t line = r.StartLine; line <= r.EndLine; ++line) {
      if (Editor->DeleteText(line, at[static_cast<size_t>(line - r.StartLine)], true, linked, 1) < 0) break;
      linked = true;
    }
    r.StartColumn = ColumnToIndexBefore(Lines.At(r.StartLine), std::max(startCol - 1, 0), TabWidth);
    r.EndColumn = ColumnToIndexBefore(Lines.At(r.EndLine), std::max(endCol - 1, 0), TabWidth);
    bool caretAtStart = Caret.Line == Selection.StartLine && Caret.Column == Selection.StartColumn;
    SetSelection(&r, caretAtStart ? 2 : 0);
    InvalidateLines(r.StartLine, r.EndLine);
    AfterEdit(r.StartLine, true);
    return;
  }
  int32_t first = 0, last = 0;
  if (!WholeLines(*this, &first, &last)) return;
  bool linked = false;
  for (int32_t line = first; line <= last; ++line) {
    std::string_view text = Lines.Text(line);
    if (text.empty() || (text[0] != ' ' && text[0] != '\t')) continue;
    if (Editor->DeleteText(line, 0, true, linked, 1) < 0) break;
    linked = true;
  }
  SelectWholeLines(*this, first, last);
  InvalidateLines(first, last);
  if (linked) AfterEdit(first, true);
}

void TEditChildData::ConvertCase(TCaseConversion kind) {
  if (ReadOnly || !HasSelection()) return;
  bool linked = false;
  for (TPieceCopy& p : CopyPieces(Lines, Selection, ColumnBlockActive(), Caret)) {
    std::string out = p.Text;
    for (size_t i = 0; i < out.size(); ++i) {
      uint8_t c = static_cast<uint8_t>(out[i]);
      switch (kind) {
        case ccUpper: c = UpperWin(c); break;
        case ccLower: c = LowerWin(c); break;
        case ccToggle: c = ToggleCaseChar(c); break;
        case ccCapitalize:
          c = (i == 0 || IsBlank(out[i - 1])) ? UpperWin(c) : LowerWin(c);
          break;
      }
      out[i] = static_cast<char>(c);
    }
    // Capitalising looks at the converted neighbour, which is a blank either way.
    if (Editor->ReplaceText(p.Line, p.Column, linked, out, static_cast<int32_t>(p.Text.size())) < 0) break;
    linked = true;
  }
  InvalidateLines(Selection.StartLine, Selection.EndLine);
  if (linked) AfterEdit(Selection.StartLine, true);
}

void TEditChildData::ConvertCharset(bool toDos) {
  if (ReadOnly || !HasSelection()) return;
  bool linked = false;
  for (TPieceCopy& p : CopyPieces(Lines, Selection, ColumnBlockActive(), Caret)) {
    std::string out = p.Text;
    for (char& ch : out) {
      uint8_t c = static_cast<uint8_t>(ch);
      if ((c >= 1 && c <= 31) || c >= 126) ch = static_cast<char>(toDos ? WinToDosChar(c) : DosToWinChar(c));
    }
    if (out == p.Text) continue;
    if (Editor->ReplaceText(p.Line, p.Column, linked, out, static_cast<int32_t>(p.Text.size())) < 0) break;
    linked = true;
  }
  InvalidateRect(Window, nullptr);
  AfterEdit(Selection.StartLine, true);
}

void TEditChildData::TabsToSpaces() {
  if (ReadOnly || !HasSelection() || ColumnBlockActive() || !FixedPitch) return;
  TTextRange r = Selection;
  const bool caretAtStart = Caret.Line == r.StartLine && Caret.Column == r.StartColumn;
  bool linked = false;
  const int32_t tab = std::max(TabWidth, 1);
  for (int32_t line = r.StartLine; line <= r.EndLine && line < Lines.Count(); ++line) {
    std::string_view text = Lines.Text(line);
    int32_t from = line == r.StartLine ? std::min(r.StartColumn, static_cast<int32_t>(text.size())) : 0;
    int32_t to = line == r.EndLine ? std::min(r.EndColumn, static_cast<int32_t>(text.size()))
                                   : static_cast<int32_t>(text.size());
    if (to <= from || text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)).find('\t') == std::string_view::npos) continue;
    std::string out;
    int32_t col = IndexToColumn(text.data(), from, tab);
    for (int32_t i = from; i < to; ++i) {
      char c = text[static_cast<size_t>(i)];
      if (c == '\t') {
        int32_t n = tab - col % tab;
        out.append(static_cast<size_t>(n), ' ');
        col += n;
      } else {
        out.push_back(c);
        ++col;
      }
    }
    if (Editor->ReplaceText(line, from, linked, out, to - from) < 0) break;
    linked = true;
    if (line == r.EndLine) r.EndColumn += static_cast<int32_t>(out.size()) - (to - from);
  }
  if (!linked) return;
  SetSelection(&r, caretAtStart ? 2 : 0);
  InvalidateLines(r.StartLine, r.EndLine);
  AfterEdit(r.StartLine, true);
}

void TEditChildData::RemoveEmptyLines() {
  if (ReadOnly || !HasSelection()) return;
  TCursorKind oldCursor = SetCursor(TCursorKind::Wait);
  TTextRange r = Selection;
  const bool caretAtEnd = !(Caret.Line == r.StartLine && Caret.Column == r.StartColumn);
  int32_t removed = 0;
  bool linked = false;
  for (int32_t line = std::min(r.EndLine, Lines.Count() - 1); line >= r.StartLine; --line) {
    if (Lines.Length(line) != 0 || line >= Lines.Count() - 1) continue;
    // One undo step for the whole command, and not a step more.
    if (Editor->DeleteRange(line, 0, true, linked, false, MakeTextRange(line, 0, line + 1, 0)) < 0) break;
    linked = true;
    ++removed;
  }
  SetCursor(oldCursor);
  if (removed == 0) return;
  r.EndLine -= removed;
  if (r.EndLine < r.StartLine) r = MakeTextRange(r.StartLine, r.StartColumn, r.StartLine, r.StartColumn);
  r.EndColumn = std::min(r.EndColumn, Lines.Length(r.EndLine));
  SetSelection(&r, caretAtEnd ? 0 : 2);
  InvalidateLines(r.StartLine, -1);
  AfterEdit(r.StartLine, true);
}

int32_t TEditChildData::InsertFile(const char* fileName, int32_t chunkSize) {
  if (ReadOnly) return 0;
  chunkSize = std::max(chunkSize, 2);
  int32_t h = FileOpen(fileName, TFileAccess::ReadOnly);
  if (h < 0) return tfsCannotOpen;
  std::string buffer;
  try {
    buffer.resize(static_cast<size_t>(chunkSize) + 1);
  } catch (...) {
    FileClose(h);
    return tfsNoMemory;
  }
  RemoveSelection(true);
  int32_t line = Caret.Line, column = Caret.Column;
  int32_t status = 0;
  bool linked = false;
  size_t carry = 0;  // a CR held back from the previous chunk
  while (true) {
    int32_t want = chunkSize - static_cast<int32_t>(carry);
    int32_t got = FileRead(h, buffer.data() + carry, want);
    if (got < 0) {
      status = tfsReadError;
      break;
    }
    size_t size = carry + static_cast<size_t>(got);
    std::string_view chunk(buffer.data(), size);
    if (chunk.find('\0') != std::string_view::npos) {
      status = tfsNotText;
      break;
    }
    const bool full = got == want;
    // A CR LF pair is never split: a full chunk's last CR waits for the next one.
    size_t keep = full && size > 0 && chunk.back() == '\r' ? 1 : 0;
    std::string_view part = chunk.substr(0, size - keep);
    if (!part.empty()) {
      int32_t endLine = line, endColumn = column;
      int32_t r = Editor->InsertBlock(line, column, &endLine, &endColumn, linked, false, part);
      if (r < 0) {
        status = kInsertFileFailed;
        break;
      }
      WidenRangeX(r);
      linked = true;
      line = endLine;
      column = endColumn;
    }
    if (keep) buffer[0] = '\r';
    carry = keep;
    if (!full) break;
  }
  if (status == 0 && carry) {
    int32_t endLine = line, endColumn = column;
    if (Editor->InsertBlock(line, column, &endLine, &endColumn, linked, false, "\r") >= 0) {
      line = endLine;
      column = endColumn;
      linked = true;
    }
  }
  FileClose(h);
  InvalidateRect(Window, nullptr);
  SetCaret(column, line, false, false);
  if (linked) AfterEdit(Caret.Line, true);
  return status;
}
