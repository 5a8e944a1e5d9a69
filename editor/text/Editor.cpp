#include "editor/text/Editor.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>

#include "editor/text/LineSplitter.h"
#include "editor/text/RangePieces.h"
#include "editor/text/TabColumns.h"
#include "editor/text/TextLimits.h"

namespace {

bool gRecording = true;

// One piece of a line being composed: a text, or that many blanks.
struct TPiece {
  std::string_view Text;
  int64_t Blanks = 0;
};

// Builds a new line text from pieces. Lines never hold NUL: a NUL that arrives in
// inserted text becomes a blank rather than silently cutting the line short.
TLineText ComposeLine(std::initializer_list<TPiece> pieces) {
  int64_t total = 0;
  for (const TPiece& p : pieces)
    total += static_cast<int64_t>(p.Text.size()) + p.Blanks;
  if (total > INT32_MAX - 1) throw std::bad_alloc();
  if (total == 0) return nullptr;
  char* out = static_cast<char*>(std::malloc(static_cast<size_t>(total) + 1));
  if (!out) throw std::bad_alloc();
  TLineText line(out);
  for (const TPiece& p : pieces) {
    if (!p.Text.empty()) std::memcpy(out, p.Text.data(), p.Text.size());
    out += p.Text.size();
    std::memset(out, ' ', static_cast<size_t>(p.Blanks));
    out += p.Blanks;
  }
  *out = '\0';
  for (char* p = line.get(); (p = static_cast<char*>(std::memchr(p, 0, out - p))) != nullptr;)
    *p++ = ' ';
  return line;
}

int32_t Len(std::string_view s) {
  return static_cast<int32_t>(s.size());
}

}  // namespace

bool UndoRecording() {
  return gRecording;
}
void SetUndoRecording(bool on) {
  gRecording = on;
}

TEditor::TEditor(platform::TMessageSink* window, TBookmarks* bookmarks, TTextLines* lines)
    : Window_(window), Bookmarks_(bookmarks), Lines_(lines), Target_(&Undo_) {}

// ---------------------------------------------------------------------------------------
// Notifications, recording, bookmarks

void TEditor::NotifyLine(int32_t line, bool before) {
  if (gRecording && Window_) Window_->SendMsg(wm_LineChange, before ? 1 : 0, line);
}

void TEditor::PutLine(int32_t line, TLineText text) {
  NotifyLine(line, true);
  Lines_->AtPut(line, std::move(text));
}

void TEditor::Record(uint8_t kind, int32_t startLine, int32_t startColumn, int32_t endLine,
                     int32_t endColumn, std::string_view text, bool columnMode, bool linked) {
  if (!gRecording) return;
  // Any new edit makes redo impossible.
  if (!Undoing_ && !Redoing_) Redo_.EmptyStack();
  try {
    auto entry = std::make_unique<TUndoEntry>();
    entry->Kind = kind;
    entry->StartLine = startLine;
    entry->StartColumn = startColumn;
    entry->EndLine = endLine;
    entry->EndColumn = endColumn;
    entry->Text.assign(text);
    entry->ColumnMode = columnMode;
    entry->Linked = linked;
    Target_->Push(std::move(entry));
  } catch (const std::bad_alloc&) {
    // The change stands; only its undo step is lost.
  }
}

void TEditor::MoveBookmark(int32_t index, int32_t line, int32_t column) {
  if (Window_) Window_->SendMsg(wm_BookmarkChange, static_cast<uintptr_t>(index), 0);
  (*Bookmarks_)[static_cast<size_t>(index)] = TBookmark{line, column};
  if (Window_) Window_->SendMsg(wm_BookmarkChange, static_cast<uintptr_t>(index), 0);
}

void TEditor::BookmarksInserted(int32_t firstLine, int32_t firstColumn, int32_t lastLine,
                                int32_t lastColumn) {
  if (!gRecording || !Bookmarks_) return;
  for (int32_t i = 0; i < kBookmarkCount; ++i) {
    TBookmark b = (*Bookmarks_)[static_cast<size_t>(i)];
    if (!b.IsSet()) continue;
    if (b.Line == firstLine && b.Column >= firstColumn) {
      MoveBookmark(i, b.Line + (lastLine - firstLine), b.Column + (lastColumn - firstColumn));
    } else if (b.Line > firstLine && lastLine != firstLine) {
      MoveBookmark(i, b.Line + (lastLine - firstLine), b.Column);
    }
  }
}

void TEditor::BookmarksDeleted(int32_t firstLine, int32_t firstColumn, int32_t lastLine,
                               int32_t lastColumn) {
  if (!gRecording || !Bookmarks_) return;
  auto before = [](int32_t l1, int32_t c1, int32_t l2, int32_t c2) {
    return l1 < l2 || (l1 == l2 && c1 < c2);
  };
  for (int32_t i = 0; i < kBookmarkCount; ++i) {
    TBookmark b = (*Bookmarks_)[static_cast<size_t>(i)];
    if (!b.IsSet() || before(b.Line, b.Column, firstLine, firstColumn)) continue;
    if (before(b.Line, b.Column, lastLine, lastColumn)) {
      MoveBookmark(i, -1, -1);  // its text is gone
    } else if (b.Line == lastLine) {
      MoveBookmark(i, firstLine, b.Column - (lastColumn - firstColumn));
    } else if (lastLine != firstLine) {
      MoveBookmark(i, b.Line - (lastLine - firstLine), b.Column);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Basic operations

int32_t TEditor::InsertText(int32_t line, int32_t column, bool group, std::string_view text) {
  if (line < 0 || line >= Lines_->Count() || column < 0) return -1;
  try {
    std::string_view old = Lines_->Text(line);
    const int32_t oldLen = Len(old);
    const int32_t at = std::min(column, oldLen);
    const int64_t fill = column > oldLen ? int64_t{column} - oldLen : 0;
    if (text.empty() && fill == 0) return oldLen;
    if (int64_t{column} + static_cast<int64_t>(text.size()) > INT32_MAX - 1) return -1;
    TLineText built = ComposeLine({{old.substr(0, static_cast<size_t>(at))},
                                   {{}, fill},
                                   {text},
                                   {old.substr(static_cast<size_t>(at))}});
    const int32_t end = column + Len(text);
    PutLine(line, std::move(built));
    Record(ukInserted, line, at, line, end, {}, false, group);
    BookmarksInserted(line, at, line, end);
    NotifyLine(line, false);
    return oldLen + static_cast<int32_t>(fill) + Len(text);
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int32_t TEditor::InsertChar(int32_t line, int32_t column, bool group, char ch) {
  return InsertText(line, column, group, std::string_view(&ch, 1));
}

int32_t TEditor::DeleteText(int32_t line, int32_t column, bool caretStays, bool group,
                            int32_t count) {
  if (line < 0 || line >= Lines_->Count()) return -1;
  try {
    std::string_view old = Lines_->Text(line);
    const int32_t oldLen = Len(old);
    if (column < 0 || column >= oldLen || count <= 0) return oldLen;
    const int32_t n = std::min(count, oldLen - column);
    std::string deleted(old.substr(static_cast<size_t>(column), static_cast<size_t>(n)));
    TLineText built = ComposeLine({{old.substr(0, static_cast<size_t>(column))},
                                   {old.substr(static_cast<size_t>(column + n))}});
    PutLine(line, std::move(built));
    Record(ukDeleted, line, column, line, caretStays ? column : column + n, deleted, false, group);
    BookmarksDeleted(line, column, line, column + n);
    NotifyLine(line, false);
    return oldLen - n;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int32_t TEditor::DeleteChar(int32_t line, int32_t column, bool caretStays, bool group) {
  return DeleteText(line, column, caretStays, group, 1);
}

int32_t TEditor::ReplaceText(int32_t line, int32_t column, bool group, std::string_view text,
                             int32_t count) {
  if (line < 0 || line >= Lines_->Count() || column < 0) return -1;
  try {
    std::string_view old = Lines_->Text(line);
    const int32_t oldLen = Len(old);
    // A column beyond the end is reached with blanks, which then belong to the new text.
    const int32_t start = std::min(column, oldLen);
    const int64_t fill = int64_t{column} - start;
    const int32_t n = column >= oldLen ? 0 : std::min(std::max(count, 0), oldLen - column);
    if (text.empty() && n == 0 && fill == 0) return oldLen;
    if (int64_t{column} + static_cast<int64_t>(text.size()) > INT32_MAX - 1) return -1;
    std::string replaced(old.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
    const int32_t newLen = oldLen + static_cast<int32_t>(fill) + Len(text) - n;

    NotifyLine(line, true);
    if (fill == 0 && n > 0 && Len(text) == n &&
        std::memchr(text.data(), 0, text.size()) == nullptr) {
      std::memcpy(Lines_->MutableAt(line) + column, text.data(), text.size());
    } else {
      TLineText built = ComposeLine({{old.substr(0, static_cast<size_t>(start))},
                                     {{}, fill},
                                     {text},
                                     {old.substr(static_cast<size_t>(start + n))}});
      Lines_->AtPut(line, std::move(built));
    }
    const int32_t end = column + Len(text);
    Record(ukOverwritten, line, start, line, end, replaced, false, group);
    const int32_t newSpan = end - start;
    if (newSpan > n) {
      BookmarksInserted(line, start + n, line, end);
    } else if (newSpan < n) {
      BookmarksDeleted(line, end, line, start + n);
    }
    NotifyLine(line, false);
    return newLen;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int32_t TEditor::OverwriteChar(int32_t line, int32_t column, bool group, char ch) {
  return ReplaceText(line, column, group, std::string_view(&ch, 1), 1);
}

// ---------------------------------------------------------------------------------------
// Blocks

int32_t TEditor::InsertBlock(int32_t line, int32_t column, int32_t* endLine, int32_t* endColumn,
                             bool group, bool columnMode, std::string_view text) {
  if (line < 0 || line >= Lines_->Count() || column < 0) return -1;
  std::vector<std::string_view> parts;
  std::string buffer;
  try {
    // Lines end only at CR LF here; a lone CR or LF stays in its line.
    buffer.assign(text);
    TSplitCounters counters;
    size_t restStart = 0, restLength = 0;
    int32_t status = SplitLines(
        buffer.data(), buffer.size(), lemCrLf, kDefaultLineLimit, counters,
        [&parts](char* start, size_t length, char*) {
          parts.emplace_back(start, length);
          return true;
        },
        &restStart, &restLength);
    if (status != splitOk) return status;
    parts.emplace_back(buffer.data() + restStart, restLength);
  } catch (const std::bad_alloc&) {
    return splitNoMemory;
  }

  int32_t result;
  if (parts.size() == 1) {
    result = InsertText(line, column, group, parts[0]);
  } else if (columnMode) {
    result = InsertColumnBlock(line, column, group, parts);
  } else {
    result = InsertLineBlock(line, column, group, columnMode, parts);
  }
  if (result >= 0) {
    if (endLine) *endLine = line + static_cast<int32_t>(parts.size()) - 1;
    if (endColumn) *endColumn = (parts.size() == 1 || columnMode ? column : 0) + Len(parts.back());
  }
  return result;
}

int32_t TEditor::InsertColumnBlock(int32_t line, int32_t column, bool group,
                                   const std::vector<std::string_view>& parts) {
  const int32_t anchor = IndexToColumn(Lines_->At(line), column, Lines_->TabSize);
  const int32_t lastNeeded = line + static_cast<int32_t>(parts.size()) - 1;
  int32_t longest = 0;
  bool first = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    const int32_t target = line + static_cast<int32_t>(i);
    if (target >= Lines_->Count()) {
      // The block reaches past the end: the missing lines come in one step.
      const int32_t oldLast = Lines_->Count() - 1;
      const int32_t oldLastLength = Lines_->Length(oldLast);
      int32_t added = 0;
      while (Lines_->Count() <= lastNeeded) {
        if (!Lines_->Add(nullptr)) {
          while (added-- > 0)
            Lines_->AtDelete(Lines_->Count() - 1);
          return -1;
        }
        ++added;
      }
      Record(ukInserted, oldLast, oldLastLength, lastNeeded, 0, {}, false, first ? group : true);
      BookmarksInserted(oldLast, oldLastLength, lastNeeded, 0);
      first = false;
    }
    if (parts[i].empty()) continue;  // nothing to put into this row
    const int32_t at = ColumnToIndexAfter(Lines_->At(target), anchor, Lines_->TabSize);
    int32_t length = InsertText(target, at, first ? group : true, parts[i]);
    if (length < 0) return length;
    first = false;
    longest = std::max(longest, length);
  }
  return longest;
}

int32_t TEditor::InsertLineBlock(int32_t line, int32_t column, bool group, bool columnMode,
                                 const std::vector<std::string_view>& parts) {
  const size_t n = parts.size();
  std::string old;
  std::vector<TLineText> built;
  int32_t at, fill;
  try {
    old.assign(Lines_->Text(line));
    const int32_t oldLen = Len(old);
    at = std::min(column, oldLen);
    fill = column - at;
    std::string_view oldView(old);
    // Everything is built before the document changes, so a failure changes nothing.
    built.reserve(n);
    built.push_back(
        ComposeLine({{oldView.substr(0, static_cast<size_t>(at))}, {{}, fill}, {parts[0]}}));
    for (size_t i = 1; i + 1 < n; ++i)
      built.push_back(ComposeLine({{parts[i]}}));
    built.push_back(ComposeLine({{parts[n - 1]}, {oldView.substr(static_cast<size_t>(at))}}));
  } catch (const std::bad_alloc&) {
    return splitNoMemory;
  }

  int32_t longest = 0;
  for (const TLineText& t : built)
    longest = std::max(longest, t ? static_cast<int32_t>(std::strlen(t.get())) : 0);
  Lines_->AtPut(line, std::move(built[0]));
  for (size_t i = 1; i < n; ++i) {
    if (!Lines_->AtInsert(line + static_cast<int32_t>(i), std::move(built[i]))) {
      // Out of memory half-way: take the block out again.
      for (size_t k = 1; k < i; ++k)
        Lines_->AtDelete(line + 1);
      Lines_->PutCopy(line, old);
      return splitNoMemory;
    }
  }
  const int32_t endLine = line + static_cast<int32_t>(n) - 1;
  const int32_t endColumn = Len(parts[n - 1]);
  Record(ukInserted, line, at, endLine, endColumn, {}, columnMode, group);
  BookmarksInserted(line, at, endLine, endColumn);
  return longest;
}

int32_t TEditor::DeleteRange(int32_t caretLine, int32_t caretColumn, bool caretAtStart, bool group,
                             bool columnMode, const TTextRange& range) {
  const int32_t count = Lines_->Count();
  if (range.StartLine < 0 || range.StartLine >= count || range.EndLine < range.StartLine) return -1;
  TTextRange r = range;
  if (r.EndLine >= count) {
    r.EndLine = count - 1;
    r.EndColumn = INT32_MAX;
  }
  if (r.StartLine == r.EndLine) {
    int32_t from = std::max(r.StartColumn, 0);
    int32_t to = std::max(r.EndColumn, from);
    return DeleteText(r.StartLine, from, caretAtStart, group, to - from);
  }
  return columnMode ? DeleteColumnBlock(caretLine, caretColumn, caretAtStart, group, r)
                    : DeleteLines(caretAtStart, group, r);
}

int32_t TEditor::DeleteColumnBlock(int32_t caretLine, int32_t caretColumn, bool caretAtStart,
                                   bool group, const TTextRange& r) {
  int32_t left, right;
  ColumnBlockEdges(*Lines_, r, caretLine, caretColumn, &left, &right);
  // From the caret's side, so that the caret's line is changed first.
  const bool down = caretLine == r.StartLine;
  int32_t longest = 0;
  bool first = true;
  for (int32_t k = 0; k <= r.EndLine - r.StartLine; ++k) {
    const int32_t i = down ? r.StartLine + k : r.EndLine - k;
    const char* text = Lines_->At(i);
    const int32_t from = ColumnToIndexAfter(text, left, Lines_->TabSize);
    const int32_t to = ColumnToIndexAfter(text, right, Lines_->TabSize);
    const int32_t length = Lines_->Length(i);
    if (from >= length) {
      longest = std::max(longest, length);
      continue;  // the line does not reach the block
    }
    int32_t result = DeleteText(i, from, caretAtStart, first ? group : true, to - from);
    if (result < 0) return result;
    first = false;
    longest = std::max(longest, result);
  }
  return longest;
}

int32_t TEditor::DeleteLines(bool caretAtStart, bool group, const TTextRange& range) {
  TTextRange r = range;
  // A start beyond the end of its line counts from the line's end, so that undo puts
  // back exactly what was there.
  r.StartColumn = std::clamp(r.StartColumn, 0, Lines_->Length(r.StartLine));
  try {
    std::string text(GetRangeText(*Lines_, r, false, nullptr, 0, 0), '\0');
    if (!text.empty()) {
      GetRangeText(*Lines_, r, false, text.data(), 0, 0);
      text.pop_back();  // the closing NUL
    }
    std::string_view startText = Lines_->Text(r.StartLine);
    std::string_view endText = Lines_->Text(r.EndLine);
    std::string_view tail = r.EndColumn < Len(endText)
                                ? endText.substr(static_cast<size_t>(std::max(r.EndColumn, 0)))
                                : std::string_view();
    TLineText joined =
        ComposeLine({{startText.substr(0, static_cast<size_t>(r.StartColumn))}, {tail}});
    const int32_t length = joined ? static_cast<int32_t>(std::strlen(joined.get())) : 0;
    const int32_t endColumn = r.EndColumn == INT32_MAX ? Len(endText) : r.EndColumn;

    Lines_->AtPut(r.StartLine, std::move(joined));
    for (int32_t i = r.StartLine + 1; i <= r.EndLine; ++i)
      Lines_->AtDelete(r.StartLine + 1);
    if (caretAtStart) {
      Record(ukDeleted, r.StartLine, r.StartColumn, r.StartLine, r.StartColumn, text, false, group);
    } else {
      Record(ukDeleted, r.StartLine, r.StartColumn, r.EndLine, endColumn, text, false, group);
    }
    BookmarksDeleted(r.StartLine, r.StartColumn, r.EndLine, endColumn);
    return length;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

bool TEditor::RemoveTrailingBlanks() {
  bool changed = false;
  for (int32_t i = 0; i < Lines_->Count(); ++i) {
    char* text = Lines_->MutableAt(i);
    if (!text) continue;
    size_t length = std::strlen(text);
    size_t keep = length;
    while (keep > 0 && (text[keep - 1] == ' ' || text[keep - 1] == '\t'))
      --keep;
    if (keep != length) {
      text[keep] = '\0';  // shortening in place needs no memory
      changed = true;
    }
  }
  return changed;
}

// ---------------------------------------------------------------------------------------
// Undo and redo

bool TEditor::ApplyStack(TUndoStack& stack, TUndoResult* result) {
  TUndoResult r;
  r.FirstLine = INT32_MAX;
  int32_t firstAppliedLine = -1;
  bool link = false;
  bool ok = true;
  while (std::unique_ptr<TUndoEntry> e = stack.Pop()) {
    const TTextRange range = MakeTextRange(e->StartLine, e->StartColumn, e->EndLine, e->EndColumn);
    int32_t status = 0;
    switch (e->Kind) {
      case ukInserted:
        status = DeleteRange(e->EndLine, e->EndColumn, false, link, e->ColumnMode, range);
        r.CaretLine = e->StartLine;
        r.CaretColumn = e->StartColumn;
        if (e->StartLine != e->EndLine) r.SeveralLines = true;
        break;
      case ukDeleted: {
        int32_t endLine = e->StartLine, endColumn = e->StartColumn;
        status = InsertBlock(e->StartLine, e->StartColumn, &endLine, &endColumn, link,
                             e->ColumnMode, e->Text);
        if (status >= 0 && endLine != e->StartLine) r.SeveralLines = true;
        r.CaretLine = e->EndLine;
        r.CaretColumn = e->EndColumn;
        break;
      }
      case ukOverwritten:
        status =
            ReplaceText(e->StartLine, e->StartColumn, link, e->Text, e->EndColumn - e->StartColumn);
        r.CaretLine = e->StartLine;
        r.CaretColumn = e->StartColumn;
        break;
      default:
        status = -1;
        break;
    }
    if (status < 0) {
      ok = false;
      break;
    }
    if (firstAppliedLine < 0) {
      firstAppliedLine = e->StartLine;
    } else if (e->StartLine != firstAppliedLine) {
      r.SeveralLines = true;
    }
    if (e->StartLine < r.FirstLine) {
      r.FirstLine = e->StartLine;
      r.FirstColumn = std::min(e->StartColumn, Lines_->Length(e->StartLine));
    }
    // The inverse entries are linked as the originals were.
    link = e->Linked;
    if (!e->Linked) break;
  }
  if (result) *result = r;
  return ok;
}

bool TEditor::Undo(TUndoResult* result) {
  Undoing_ = true;
  Target_ = &Redo_;
  bool ok = ApplyStack(Undo_, result);
  Target_ = &Undo_;
  Undoing_ = false;
  return ok;
}

bool TEditor::Redo(TUndoResult* result) {
  Redoing_ = true;
  bool ok = ApplyStack(Redo_, result);
  Redoing_ = false;
  return ok;
}
