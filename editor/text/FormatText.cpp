// The format command of the editor window: break long lines at blanks and join the lines
// of a paragraph, as one undo step.
#include "editor/text/EditChildData.h"

#include <algorithm>

#include "editor/text/TextChars.h"
#include "editor/text/WordWrap.h"

void TEditChildData::FormatText(const TFormatOptions& options) {
  if (ReadOnly) return;
  int32_t first = 0, last = Lines.Count() - 1;
  if (options.MarkedLines) {
    if (!HasSelection()) return;
    first = Selection.StartLine;
    last = Selection.EndColumn == 0 && Selection.EndLine > first ? Selection.EndLine - 1
                                                                 : Selection.EndLine;
    last = std::min(last, Lines.Count() - 1);
  }
  while (last >= first && Lines.Length(last) == 0) --last;
  if (last < first) return;
  RemoveSelection(true);
  Scroller->ScrollTo(0, Scroller->PosY);

  bool linked = false;
  int32_t line = first;
  while (line <= last && line < Lines.Count()) {
    std::string_view text = Lines.Text(line);
    const int32_t len = static_cast<int32_t>(text.size());
    int32_t at = FindBreakPosition(text, BreakLimitIndex(line, options.Columns, options.AtWindowEdge));
    if (at >= 0 && at < len && IsBlank(text[static_cast<size_t>(at)])) ++at;  // no blank starts the new line
    if (at > 0 && at < len) {
      int32_t endLine = line, endColumn = at;
      if (Editor->InsertBlock(line, at, &endLine, &endColumn, linked, false, "\r\n") < 0) break;
      linked = true;
      ++last;
      ++line;
      continue;
    }
    if (options.JoinLines && line < last) {
      if (len == 0) {
        ++line;
        continue;
      }
      if (Lines.Length(line + 1) == 0) {
        line += 2;  // an empty line ends the paragraph
        continue;
      }
      int32_t joinAt = len;
      if (!IsBlank(text.back())) {
        if (Editor->InsertText(line, len, linked, " ") < 0) break;
        linked = true;
        ++joinAt;
      }
      if (Editor->DeleteRange(line, joinAt, true, linked, false,
                              MakeTextRange(line, joinAt, line + 1, 0)) < 0) {
        break;
      }
      linked = true;
      --last;
      continue;  // the longer line is looked at again
    }
    ++line;
  }
  if (!linked) return;
  UpdateRanges(true);
  TTextPos caret = options.MarkedLines ? TTextPos{0, first} : Caret;
  caret.Line = std::min(caret.Line, Lines.Count() - 1);
  caret.Column = std::min(caret.Column, Lines.Length(caret.Line));
  SetCaret(caret.Column, caret.Line, false, false);
  InvalidateLines(first, -1);
  AfterEdit(first, true);
}
