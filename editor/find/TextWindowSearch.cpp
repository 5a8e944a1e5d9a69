// Search and replace inside a text window.
#include "editor/find/TextWindowSearch.h"

#include <algorithm>

#include "editor/search/LineSearch.h"
#include "editor/search/SearchEngine.h"
#include "editor/text/ChildTypes.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "editor/text/TextChars.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

TTextChildData* TextOf(TWindow window) {
  return dynamic_cast<TTextChildData*>(GetChildData(window));
}

bool TextSearch(TWindow window, TFindState& state, bool select, TFindPosition* position) {
  TTextChildData* text = TextOf(window);
  TLineSearch& driver = ProgramLineSearch();
  if (!text) return false;
  TSearchRequest& request = state.Request;
  bool backward = false;
  TTextPos start;
  if (request.FirstSearch) {
    request.FirstSearch = false;
    request.ReverseOnce = false;
    if (!TakeOverRequest(state, false)) {
      driver.Forget();
      return false;
    }
    const bool has = text->HasSelection();
    if (!FirstSearchStart(text->Lines, request, text->Caret, has ? &text->Selection : nullptr,
                          &start)) {
      driver.Forget();
      return false;
    }
    if (request.SelectionOnly) {
      request.BlockStartLine = text->Selection.StartLine;
      request.BlockStartColumn = text->Selection.StartColumn;
      request.BlockEndLine = text->Selection.EndLine;
      request.BlockEndColumn = text->Selection.EndColumn;
    }
    backward = state.Engine.Backward;
  } else {
    backward = state.Engine.Backward;
    if (request.ReverseOnce && !state.Engine.RegularExpression) backward = !backward;
    request.ReverseOnce = false;
    if (position) {
      start = TTextPos{static_cast<int32_t>(position->Column), static_cast<int32_t>(position->Line)};
    } else if (text->HasSelection() && !text->ColumnBlockActive()) {
      // From the hit shown: a search that turns round does not find it again.
      const TTextRange& s = text->Selection;
      start = backward ? TTextPos{s.StartColumn - 1, s.StartLine} : TTextPos{s.EndColumn, s.EndLine};
    } else {
      start = text->Caret;
      if (backward) --start.Column;
    }
  }
  TEngineRequest engine = state.Engine;
  engine.Backward = backward;
  TSearchHit hit;
  bool found = false;
  if (request.SelectionOnly) {
    TSearchBlock block{MakeTextRange(request.BlockStartLine, request.BlockStartColumn,
                                     request.BlockEndLine, request.BlockEndColumn),
                       text->ColumnBlockActive()};
    found = driver.FindInBlock(text->Lines, engine, block, start, &hit, state.RegExp);
  } else {
    found = driver.Find(text->Lines, engine, start, &hit, state.RegExp);
  }
  if (!found) return false;
  if (select) {
    const TCursorKind old = SetCursor(TCursorKind::Wait);
    TTextRange range = MakeTextRange(hit.Line, hit.Column, hit.Line, hit.Column + hit.Length);
    // Forward the caret ends behind the hit, backward before it.
    text->SetSelection(&range, backward ? 2 : 1);
    SetCursor(old);
  }
  if (position) *position = TFindPosition{hit.Line, hit.Column, hit.Length};
  return true;
}

bool TextReplace(TWindow window, bool first, bool confirm, std::string_view replacement,
                 const TFindPosition& position) {
  auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window));
  if (!edit || edit->ReadOnly || !edit->Editor) return false;
  const auto line = static_cast<int32_t>(position.Line);
  const auto column = static_cast<int32_t>(position.Column);
  // The first replacement of a command opens an undo group the others join.
  const int32_t length =
      edit->Editor->ReplaceText(line, column, !first, replacement, position.Length);
  if (length < 0) return false;
  edit->WidenRangeX(length);
  if (confirm) {
    edit->AfterEdit(line, false);
    edit->InvalidateLines(line, line);
  }
  return true;
}

bool TextReplaceAllInLine(TWindow window, bool first, const TFindState& state,
                          std::string_view replacement, const TFindPosition& hit,
                          TFindPosition* end) {
  auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window));
  if (!edit || edit->ReadOnly || !edit->Editor) return false;
  const auto line = static_cast<int32_t>(hit.Line);
  const std::string_view text = edit->Lines.Text(line);
  const auto length = static_cast<int32_t>(text.size());
  // A plain hit depends only on its own bytes, so the rest of the original line is searched
  // exactly as the changed line would be behind each replacement.
  const auto from = static_cast<int32_t>(hit.Column);
  std::string built;
  int32_t at = from;
  int32_t matchEnd = from + hit.Length;
  built.reserve(static_cast<size_t>(length - from) + replacement.size() * 2);
  for (;;) {
    built += replacement;
    at = matchEnd;
    TSearchMatch next;
    if (at >= length || !SearchText(text.data(), length, state.Engine, at, &next, state.RegExp) ||
        next.Length == 0) {
      break;
    }
    built.append(text.substr(static_cast<size_t>(at), static_cast<size_t>(next.Offset - at)));
    matchEnd = next.Offset + next.Length;
  }
  const int32_t r = edit->Editor->ReplaceText(line, from, !first, built, at - from);
  if (r < 0) return false;
  edit->WidenRangeX(r);
  *end = TFindPosition{hit.Line, from + static_cast<int64_t>(built.size()), 0};
  return true;
}

void TextPlaceCursor(TWindow window, const TFindPosition& position) {
  TTextChildData* text = TextOf(window);
  if (!text) return;
  text->RemoveSelection(true);
  text->CollapseSelection();
  text->SetCaret(static_cast<int32_t>(position.Column), static_cast<int32_t>(position.Line),
                 false, false);
}

void TextRefresh(TWindow window) {
  if (auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window))) {
    edit->AfterEdit(0, true);
  }
  InvalidateRect(window, nullptr);
}

int64_t TextSelectionLength(TWindow window) {
  TTextChildData* text = TextOf(window);
  if (!text || !text->HasSelection()) return 0;
  return static_cast<int64_t>(text->SelectionText().size());
}

}  // namespace

const TWindowSearchOps& TextWindowSearchOps() {
  static const TWindowSearchOps ops{TextSearch,  TextReplace,         TextPlaceCursor,
                                    TextRefresh, TextSelectionLength, TextReplaceAllInLine};
  return ops;
}

void RegisterTextWindowSearch() { RegisterWindowSearch(wkEdit, TextWindowSearchOps()); }

TInitialSearch InitialSearchText(TTextChildData& window) {
  TInitialSearch result;
  const bool dos = window.DosMode != 0;
  const bool has = window.HasSelection();
  const TTextRange& s = window.Selection;
  if (has && s.StartLine == s.EndLine && s.EndColumn - s.StartColumn < kSearchTextMax &&
      !window.ColumnBlockActive()) {
    result.Text = window.SelectionText();
  } else {
    // Across more than two lines the selection is what to search in.
    if (has && s.EndLine - s.StartLine >= 2) result.SelectionOnly = true;
    const std::string_view line = window.Lines.Text(window.Caret.Line);
    const auto size = static_cast<int32_t>(line.size());
    int32_t from = std::min(window.Caret.Column, size);
    int32_t to = from;
    auto word = [&](int32_t i) { return IsWordChar(static_cast<uint8_t>(line[static_cast<size_t>(i)]), dos); };
    while (from > 0 && word(from - 1)) --from;
    while (to < size && word(to)) ++to;
    result.Text = std::string(line.substr(static_cast<size_t>(from),
                                          static_cast<size_t>(std::min(to - from, kSearchTextMax))));
  }
  if (result.Text.size() > static_cast<size_t>(kSearchTextMax)) result.Text.resize(kSearchTextMax);
  if (dos) {
    for (char& c : result.Text) c = static_cast<char>(DosToWinChar(static_cast<uint8_t>(c)));
  }
  return result;
}
