// What the find commands need of a document window, per window kind: the search state they
// hand over and the table of operations each kind registers.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "editor/search/RegExp.h"
#include "editor/search/SearchRequest.h"
#include "platform/ui/UiTypes.h"

// The frame's one request, and what the window made of it at its first search.
struct TFindState {
  TSearchRequest Request;
  TEngineRequest Engine;  // taken over from Request at the first search
  TRegExp RegExp;         // compiled at the first search when Engine has a regular expression
  bool RegExpError = false;  // the first search failed because the expression is faulty
};

// Takes text and flags of the request over into the engine request and compiles a regular
// expression (its escapes expanded); false, with RegExpError, for a faulty expression.
// `literal` keeps the text as it stands (hex input is never an expression).
bool TakeOverRequest(TFindState& state, bool literal);

// Where a search starts and what it found: line (hex windows: 0), column or byte offset,
// and the length of the hit.
struct TFindPosition {
  int64_t Line = 0;
  int64_t Column = 0;
  int32_t Length = 0;
};

// Operations of one window kind. Every pointer may be null: the command then does nothing
// in such a window.
struct TWindowSearchOps {
  // Runs the search of the request: at the first search the window takes over text and
  // flags; `select` selects and shows the hit; `position` (may be null) gives the start of
  // a continued search and receives the hit. True when found.
  bool (*Search)(platform::TWindow window, TFindState& state, bool select,
                 TFindPosition* position) = nullptr;
  // Replaces the hit at `position` (length `position.Length`) by `replacement`; the first
  // replacement of a command starts a new undo group. False when the window refuses
  // (read-only, memory): the replace loop then stops.
  bool (*Replace)(platform::TWindow window, bool first, bool confirm,
                  std::string_view replacement, const TFindPosition& position) = nullptr;
  // Puts the cursor at `position` without a selection (after a replace loop).
  void (*PlaceCursor)(platform::TWindow window, const TFindPosition& position) = nullptr;
  // The display is refreshed once after a replace loop without confirmation.
  void (*Refresh)(platform::TWindow window) = nullptr;
  // Bytes or characters selected (what presets a selection-only search), 0 for none.
  int64_t (*SelectionLength)(platform::TWindow window) = nullptr;
  // Optional, for a replace without confirmation of a plain forward search: replaces the
  // hit and every further hit of the same line at once (as one undo entry, joined to the
  // group unless `first`), each next one searched behind the one before as the loop would.
  // `end` receives the place behind the last replacement. False when the window refuses.
  bool (*ReplaceAllInLine)(platform::TWindow window, bool first, const TFindState& state,
                           std::string_view replacement, const TFindPosition& hit,
                           TFindPosition* end) = nullptr;
};

// Registers the operations of a window kind (replacing earlier ones); the hex editor
// registers itself for wkHex, the text windows are registered by RegisterTextWindowSearch.
void RegisterWindowSearch(uint8_t kind, const TWindowSearchOps& ops);
// The operations of the window's kind, or null for a kind without any.
const TWindowSearchOps* WindowSearchOps(platform::TWindow window);
