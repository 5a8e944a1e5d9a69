// Metrics of the screen, the program-wide wait cursor and window placement.
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

// The headless screen: what tests and layouts can count on without a desktop.
int32_t FixedMetric(int32_t index) {
  switch (index) {
    case SM_CXSCREEN: return 1024;
    case SM_CYSCREEN: return 768;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 20;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CYMENU: return 20;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_LOGPIXELSY: return 96;
    default: return 0;
  }
}

uint32_t StateBits(TShowState state) {
  switch (state) {
    case TShowState::Maximized: return WS_MAXIMIZE;
    case TShowState::Minimized: return WS_MINIMIZE;
    case TShowState::Normal: return 0;
  }
  return 0;
}

// Sets the state bits of a top-level window, keeping the normal rectangle.
void NoteState(TWindowObject& w, TShowState state) {
  if (!(w.Style & (WS_MAXIMIZE | WS_MINIMIZE))) w.NormalRect = w.Rect;
  w.Style = (w.Style & ~(WS_MAXIMIZE | WS_MINIMIZE)) | StateBits(state);
}

uintptr_t SizeKind(TShowState state) {
  switch (state) {
    case TShowState::Maximized: return SIZE_MAXIMIZED;
    case TShowState::Minimized: return SIZE_MINIMIZED;
    case TShowState::Normal: return SIZE_RESTORED;
  }
  return SIZE_RESTORED;
}

}  // namespace

int32_t GetSystemMetrics(int32_t index) {
  if (TUiState* s = State()) {
    int32_t value = s->Backend->SystemMetric(index);
    if (value >= 0) return value;
  }
  return FixedMetric(index);
}

TWaitCursor::TWaitCursor() : Previous_(SetCursor(TCursorKind::Wait)) {}

TWaitCursor::~TWaitCursor() { SetCursor(Previous_); }

void SetShowState(TWindow window, TShowState state) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  if (IsMdiChild(window)) {
    TWindow client = w->Parent;
    switch (state) {
      case TShowState::Maximized: SendMessage(client, WM_MDIMAXIMIZE, window, 0); break;
      case TShowState::Minimized: SendMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
      case TShowState::Normal: SendMessage(client, WM_MDIRESTORE, window, 0); break;
    }
    return;
  }
  if (GetShowState(window) == state) return;
  NoteState(*w, state);
  TRect target = w->Rect;
  if (state == TShowState::Maximized) {
    target = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  } else if (state == TShowState::Normal) {
    target = w->NormalRect;
  }
  State()->Backend->ShowStateChanged(window);
  TRect before = w->Rect;
  if (state != TShowState::Minimized) MoveWindow(window, target);
  w = Lookup(window);
  if (!w) return;
  bool resized = before.Width() != w->Rect.Width() || before.Height() != w->Rect.Height();
  // MoveWindow told a resized window its state already; the others learn it here.
  if (state == TShowState::Minimized) {
    SendMessage(window, WM_SIZE, SIZE_MINIMIZED, 0);
  } else if (!resized) {
    SendMessage(window, WM_SIZE, SizeKind(state), MakeLParam(w->Rect.Width(), w->Rect.Height()));
  }
}

TRect KeepOnScreen(TRect rect) {
  const int32_t right = GetSystemMetrics(SM_CXSCREEN), bottom = GetSystemMetrics(SM_CYSCREEN);
  const int32_t x = std::max(std::min(rect.Left, right - rect.Width()), 0);
  const int32_t y = std::max(std::min(rect.Top, bottom - rect.Height()), 0);
  return OffsetRect(rect, x - rect.Left, y - rect.Top);
}

TShowState GetShowState(TWindow window) {
  uint32_t style = GetWindowStyle(window);
  if (style & WS_MINIMIZE) return TShowState::Minimized;
  if (style & WS_MAXIMIZE) return TShowState::Maximized;
  return TShowState::Normal;
}

TWindowPlacement GetWindowPlacement(TWindow window) {
  TWindowPlacement p;
  TWindowObject* w = Lookup(window);
  if (!w) return p;
  p.State = GetShowState(window);
  if (IsMdiChild(window)) {
    p.NormalRect = MdiRestoreRect(window);
  } else {
    p.NormalRect = p.State == TShowState::Normal ? w->Rect : w->NormalRect;
  }
  return p;
}

bool SetWindowPlacement(TWindow window, const TWindowPlacement& placement) {
  TWindowObject* w = Lookup(window);
  if (!w || placement.NormalRect.IsEmpty()) return false;
  if (GetShowState(window) != TShowState::Normal) SetShowState(window, TShowState::Normal);
  MoveWindow(window, placement.NormalRect);
  SetShowState(window, placement.State);
  return true;
}

void InputShowState(TWindow window, TShowState state) {
  TWindowObject* w = Lookup(window);
  if (!w || GetShowState(window) == state) return;
  NoteState(*w, state);
  SendMessage(window, WM_SIZE, SizeKind(state), MakeLParam(w->Rect.Width(), w->Rect.Height()));
}

}  // namespace platform
