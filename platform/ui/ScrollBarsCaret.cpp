// Scroll bars of a window and the caret of the user-interface thread.
#include <algorithm>

#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

TScrollBarState* Bar(TWindow window, int32_t bar) {
  TWindowObject* w = Lookup(window);
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return &w->Bars[static_cast<size_t>(bar)];
}

// A position stays within the range less the page, as the Windows bars keep it.
void Clamp(TScrollBarState& b) {
  int32_t top = b.Max - std::max(b.Page - 1, 0);
  b.Pos = std::clamp(b.Pos, b.Min, std::max(b.Min, top));
}

void Changed(TWindow window, int32_t bar) {
  State()->Backend->WindowChanged(
      window, bar == SB_HORZ ? TWindowChange::HorzBar : TWindowChange::VertBar);
}

void CaretChanged() {
  TUiState* s = State();
  s->Backend->CaretChanged(s->Caret);
}

}  // namespace

void SetScrollRange(TWindow window, int32_t bar, int32_t min, int32_t max) {
  TScrollBarState* b = Bar(window, bar);
  if (!b) return;
  TScrollBarState old = *b;
  b->Min = min;
  b->Max = std::max(min, max);
  Clamp(*b);
  if (!(old == *b)) Changed(window, bar);
}

int32_t SetScrollPos(TWindow window, int32_t bar, int32_t pos) {
  TScrollBarState* b = Bar(window, bar);
  if (!b) return 0;
  int32_t old = b->Pos;
  b->Pos = pos;
  Clamp(*b);
  if (b->Pos != old) Changed(window, bar);
  return old;
}

int32_t GetScrollPos(TWindow window, int32_t bar) {
  TScrollBarState* b = Bar(window, bar);
  return b ? b->Pos : 0;
}

void SetScrollPage(TWindow window, int32_t bar, int32_t page) {
  TScrollBarState* b = Bar(window, bar);
  if (!b) return;
  TScrollBarState old = *b;
  b->Page = std::max(page, 0);
  Clamp(*b);
  if (!(old == *b)) Changed(window, bar);
}

TScrollBarState GetScrollBar(TWindow window, int32_t bar) {
  TScrollBarState* b = Bar(window, bar);
  return b ? *b : TScrollBarState{};
}

bool CreateCaret(TWindow window, int32_t width, int32_t height) {
  TUiState* s = State();
  if (!s || !Lookup(window)) return false;
  s->Caret = TCaretState{window, std::max(width, 1), std::max(height, 1), {}, 1};
  CaretChanged();
  return true;
}

bool DestroyCaret() {
  TUiState* s = State();
  if (!s || !s->Caret.Owner) return false;
  s->Caret = TCaretState{};
  CaretChanged();
  return true;
}

bool SetCaretPos(int32_t x, int32_t y) {
  TUiState* s = State();
  if (!s || !s->Caret.Owner) return false;
  if (s->Caret.Pos == TPoint{x, y}) return true;
  s->Caret.Pos = {x, y};
  CaretChanged();
  return true;
}

TPoint GetCaretPos() {
  TUiState* s = State();
  return s ? s->Caret.Pos : TPoint{};
}

bool ShowCaret(TWindow window) {
  TUiState* s = State();
  if (!s || !s->Caret.Owner || (window && window != s->Caret.Owner)) return false;
  if (s->Caret.HideCount == 0) return false;
  if (--s->Caret.HideCount == 0) CaretChanged();
  return true;
}

bool HideCaret(TWindow window) {
  TUiState* s = State();
  if (!s || !s->Caret.Owner || (window && window != s->Caret.Owner)) return false;
  if (s->Caret.HideCount++ == 0) CaretChanged();
  return true;
}

const TCaretState& GetCaretState() {
  static const TCaretState none;
  TUiState* s = State();
  return s ? s->Caret : none;
}

}  // namespace platform
