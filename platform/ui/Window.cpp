// Window classes, creation and destruction, the tree, text, geometry, focus and capture.
#include "platform/ui/Window.h"

#include <algorithm>
#include <utility>

#include "platform/charset/Charset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/UiSystem.h"

namespace platform {

using namespace ui_detail;

namespace {

void Notify(TWindow window, TWindowChange what) {
  if (TUiState* s = State()) s->Backend->WindowChanged(window, what);
}

void ForgetWindow(TUiState& s, TWindowObject& w) {
  if (s.Focus == w.Handle) s.Focus = 0;
  if (s.Capture == w.Handle) {
    s.Capture = 0;
    s.Backend->CaptureChanged(0);
  }
  if (s.Caret.Owner == w.Handle) DestroyCaret();
  std::erase_if(s.Timers, [&](const TTimer& t) { return t.Window == w.Handle; });
  ForgetDropTarget(w.Handle);
  MdiChildGone(w.Parent, w.Handle);
  if (THandle menu = std::exchange(w.Menu, 0)) DestroyMenu(menu);
  std::erase(s.Windows, w.Handle);
  if (TWindowObject* parent = Lookup(w.Parent)) std::erase(parent->Children, w.Handle);
}

void SendDestroy(TWindow window) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  w->Destroying = true;
  SendMessage(window, WM_DESTROY, 0, 0);
  w = Lookup(window);
  if (!w) return;
  std::vector<TWindow> children = w->Children;
  for (TWindow child : children) SendDestroy(child);
}

void FreeWindow(TWindow window) {
  TUiState* s = State();
  TWindowObject* w = Lookup(window);
  if (!w) return;
  std::vector<TWindow> children = w->Children;
  for (TWindow child : children) FreeWindow(child);
  w = Lookup(window);
  if (!w) return;
  SendMessage(window, WM_NCDESTROY, 0, 0);
  ForgetWindow(*s, *w);
  s->Backend->WindowDestroyed(window);
  RemoveHandle(window);
}

}  // namespace

bool RegisterWindowClass(const TWindowClass& windowClass) {
  TUiState* s = State();
  if (!s || !windowClass.Proc || windowClass.Name.empty()) return false;
  std::string key = UpperCaseWin(windowClass.Name);
  if (s->Classes.contains(key)) return false;
  auto copy = std::make_shared<TWindowClass>(windowClass);
  copy->ExtraValues = std::max(copy->ExtraValues, 0);
  s->Classes.emplace(std::move(key), std::move(copy));
  return true;
}

bool UnregisterWindowClass(std::string_view name) {
  TUiState* s = State();
  return s && s->Classes.erase(UpperCaseWin(name)) > 0;
}

const TWindowClass* FindWindowClass(std::string_view name) {
  TUiState* s = State();
  if (!s) return nullptr;
  auto it = s->Classes.find(UpperCaseWin(name));
  return it == s->Classes.end() ? nullptr : it->second.get();
}

TWindow CreateWindowEx(uint32_t exStyle, std::string_view className, std::string_view caption,
                       uint32_t style, const TRect& rect, TWindow parent,
                       const void* createParams) {
  TUiState* s = State();
  if (!s || !IsUiThread()) return 0;
  auto it = s->Classes.find(UpperCaseWin(className));
  if (it == s->Classes.end()) return 0;
  if (parent && !Lookup(parent)) return 0;
  auto object = std::make_unique<TWindowObject>();
  TWindowObject* w = object.get();
  w->Class = it->second;
  w->Caption = std::string(caption);
  w->Style = style & ~WS_VISIBLE;
  w->ExStyle = exStyle;
  w->Parent = parent;
  w->Rect = rect;
  w->Extra.assign(static_cast<size_t>(w->Class->ExtraValues), 0);
  TWindow window = AddHandle(std::move(object));
  if (!window) return 0;
  w->Handle = window;
  s->Windows.push_back(window);
  if (TWindowObject* p = Lookup(parent)) p->Children.push_back(window);
  s->Backend->WindowCreated(window);

  std::string classNameCopy(className);
  TCreateStruct cs{createParams, parent, rect, style, exStyle, w->Caption.c_str(),
                   classNameCopy.c_str()};
  if (SendMessage(window, WM_CREATE, 0, reinterpret_cast<intptr_t>(&cs)) == -1) {
    // Creation refused: the window never existed for anybody but its procedure.
    FreeWindow(window);
    return 0;
  }
  if (!Lookup(window)) return 0;
  SendMessage(window, WM_SIZE, SIZE_RESTORED, MakeLParam(rect.Width(), rect.Height()));
  if (!Lookup(window)) return 0;
  if (style & WS_VISIBLE) ShowWindow(window, true);
  return window;
}

bool DestroyWindow(TWindow window) {
  TWindowObject* w = Lookup(window);
  if (!w || w->Destroying || !IsUiThread()) return false;
  // Dialogs owned by the window go first, as owned windows do.
  DestroyOwnedDialogs(window);
  w = Lookup(window);
  if (!w || w->Destroying) return false;
  TUiState* s = State();
  if (s->Capture == window) ReleaseCapture();
  if (w->Visible) {
    w->Visible = false;
    Notify(window, TWindowChange::Visibility);
  }
  SendDestroy(window);
  FreeWindow(window);
  return true;
}

bool IsWindow(TWindow window) { return Lookup(window) != nullptr; }

TWindow GetParent(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Parent : 0;
}

intptr_t DefWindowProc(TWindow window, uint32_t message, uintptr_t /*wParam*/,
                       intptr_t /*lParam*/) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_PAINT: {
      TPaintStruct ps;
      BeginPaint(window, ps);
      EndPaint(window, ps);
      return 0;
    }
    case WM_QUERYENDSESSION:
      return 1;
    case WM_ERASEBKGND:
      return 1;
    default:
      return 0;
  }
}

intptr_t GetWindowExtra(TWindow window, int32_t index) {
  TWindowObject* w = Lookup(window);
  if (!w || index < 0 || static_cast<size_t>(index) >= w->Extra.size()) return 0;
  return w->Extra[static_cast<size_t>(index)];
}

intptr_t SetWindowExtra(TWindow window, int32_t index, intptr_t value) {
  TWindowObject* w = Lookup(window);
  if (!w || index < 0 || static_cast<size_t>(index) >= w->Extra.size()) return 0;
  return std::exchange(w->Extra[static_cast<size_t>(index)], value);
}

std::string GetWindowText(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Caption : std::string();
}

void SetWindowText(TWindow window, std::string_view text) {
  TWindowObject* w = Lookup(window);
  if (!w || w->Caption == text) return;
  w->Caption = std::string(text);
  Notify(window, TWindowChange::Caption);
  MdiChildRetitled(w->Parent);
  // Controls show their text in the client area; fields learn of a text set from outside.
  if (ControlKindOf(window) != TControlKind::None) {
    InvalidateRect(window, nullptr);
    SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(w->Caption.c_str()));
  }
}

uint32_t GetWindowStyle(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Style | (w->Visible ? WS_VISIBLE : 0) : 0;
}

uint32_t GetWindowExStyle(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->ExStyle : 0;
}

void SetWindowStyle(TWindow window, uint32_t style) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  w->Style = style & ~WS_VISIBLE;
  Notify(window, TWindowChange::Style);
}

void SetWindowExStyle(TWindow window, uint32_t exStyle) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  w->ExStyle = exStyle;
  Notify(window, TWindowChange::Style);
}

std::string GetClassName(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Class->Name : std::string();
}

uint32_t GetClassStyle(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Class->Style : 0;
}

TCursorKind GetClassCursor(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Class->Cursor : TCursorKind::Arrow;
}

const TImageStrip* GetClassIcon(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Class->Icon : nullptr;
}

TBrush GetClassBackground(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Class->Background : 0;
}

void SetClassBackground(TWindow window, TBrush brush) {
  TWindowObject* w = Lookup(window);
  if (w) w->Class->Background = brush;
}

TRect GetClientRect(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? TRect{0, 0, w->Rect.Width(), w->Rect.Height()} : TRect{};
}

TRect GetWindowRect(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Rect : TRect{};
}

void MoveWindow(TWindow window, const TRect& rect) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  TRect old = w->Rect;
  w->Rect = TRect{rect.Left, rect.Top, rect.Left + std::max(rect.Width(), 0),
                  rect.Top + std::max(rect.Height(), 0)};
  if (old == w->Rect) return;
  Notify(window, TWindowChange::Geometry);
  if (old.Width() != w->Rect.Width() || old.Height() != w->Rect.Height()) {
    uint32_t cs = w->Class->Style;
    if ((cs & CS_HREDRAW && old.Width() != w->Rect.Width()) ||
        (cs & CS_VREDRAW && old.Height() != w->Rect.Height())) {
      InvalidateRect(window, nullptr);
    } else {
      // Newly exposed strips need painting.
      TRect right{old.Width(), 0, w->Rect.Width(), w->Rect.Height()};
      TRect bottom{0, old.Height(), w->Rect.Width(), w->Rect.Height()};
      if (!right.IsEmpty()) InvalidateRect(window, &right);
      if (!bottom.IsEmpty()) InvalidateRect(window, &bottom);
    }
    uintptr_t kind = (w->Style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                     : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                : SIZE_RESTORED;
    SendMessage(window, WM_SIZE, kind, MakeLParam(w->Rect.Width(), w->Rect.Height()));
  }
}

TPoint ClientToScreen(TWindow window, TPoint p) {
  for (TWindowObject* w = Lookup(window); w; w = Lookup(w->Parent)) {
    p.X += w->Rect.Left;
    p.Y += w->Rect.Top;
  }
  return p;
}

TPoint ScreenToClient(TWindow window, TPoint p) {
  TPoint origin = ClientToScreen(window, {});
  return {p.X - origin.X, p.Y - origin.Y};
}

void ShowWindow(TWindow window, bool show) {
  TWindowObject* w = Lookup(window);
  if (!w || w->Visible == show) return;
  w->Visible = show;
  Notify(window, TWindowChange::Visibility);
  if (show) InvalidateRect(window, nullptr);
}

bool IsWindowVisible(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w && w->Visible;
}

bool IsIconic(TWindow window) { return (GetWindowStyle(window) & WS_MINIMIZE) != 0; }

void ActivateWindow(TWindow window) {
  if (Lookup(window)) Notify(window, TWindowChange::Activate);
}

TWindow SetFocus(TWindow window) {
  TUiState* s = State();
  if (!s || (window && !Lookup(window))) return 0;
  TWindow old = s->Focus;
  if (old == window) return old;
  s->Focus = window;
  if (Lookup(old)) SendMessage(old, WM_KILLFOCUS, window, 0);
  // The focus may have moved on while the old window handled the loss.
  if (s->Focus == window && Lookup(window)) SendMessage(window, WM_SETFOCUS, old, 0);
  if (State()) s->Backend->FocusChanged(s->Focus);
  return old;
}

TWindow GetFocus() {
  TUiState* s = State();
  return s ? s->Focus : 0;
}

TWindow SetCapture(TWindow window) {
  TUiState* s = State();
  if (!s || !Lookup(window)) return 0;
  TWindow old = s->Capture;
  if (old == window) return old;
  s->Capture = window;
  s->Backend->CaptureChanged(window);
  if (Lookup(old)) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<intptr_t>(window));
  return old;
}

bool ReleaseCapture() {
  TUiState* s = State();
  if (!s || !s->Capture) return false;
  TWindow old = std::exchange(s->Capture, 0);
  s->Backend->CaptureChanged(0);
  if (Lookup(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return true;
}

TWindow GetCapture() {
  TUiState* s = State();
  return s ? s->Capture : 0;
}

TCursorKind SetCursor(TCursorKind cursor) {
  TUiState* s = State();
  if (!s) return TCursorKind::Arrow;
  TCursorKind old = std::exchange(s->Cursor, cursor);
  if (old != cursor) s->Backend->CursorChanged(cursor);
  return old;
}

int16_t GetKeyState(uint32_t virtualKey) { return IsKeyDown(virtualKey) ? -128 : 0; }

bool IsKeyDown(uint32_t virtualKey) {
  TUiState* s = State();
  return s && virtualKey < 256 && s->Keys[virtualKey];
}

TPoint GetCursorPos() {
  TUiState* s = State();
  return s ? s->CursorScreen : TPoint{};
}

void MessageBeep(uint32_t type) {
  if (TUiState* s = State()) s->Backend->Beep(type);
}

}  // namespace platform
