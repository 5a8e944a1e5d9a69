// Access to text windows by handle.
#include "editor/text/TextAccess.h"

#include "editor/text/ChildWindowProc.h"
#include "editor/text/RangePieces.h"

TTextChildData* GetTextChildData(platform::TWindow window) {
  return dynamic_cast<TTextChildData*>(GetChildData(window));
}

int32_t TextCaretColumn(platform::TWindow window) {
  TTextChildData* d = GetTextChildData(window);
  return d ? d->Caret.Column : 0;
}

int32_t TextCaretLine(platform::TWindow window) {
  TTextChildData* d = GetTextChildData(window);
  return d ? d->Caret.Line : 0;
}

int32_t TextLineCount(platform::TWindow window) {
  TTextChildData* d = GetTextChildData(window);
  return d ? d->Lines.Count() : 0;
}

bool TextLineText(platform::TWindow window, int32_t line, std::string& text) {
  TTextChildData* d = GetTextChildData(window);
  return d && d->GetLineText(line, text);
}

TTextRange TextSelection(platform::TWindow window) {
  TTextChildData* d = GetTextChildData(window);
  return d ? d->Selection : TTextRange{};
}

size_t TextRangeText(platform::TWindow window, const TTextRange& range, char* buffer) {
  TTextChildData* d = GetTextChildData(window);
  if (!d) return 0;
  return GetRangeText(d->Lines, range, d->ColumnBlockActive(), buffer, d->Caret.Line,
                      d->Caret.Column);
}
