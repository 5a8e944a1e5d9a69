// Input from the back end: key state, routing to focus and capture, sizes.
#include "platform/ui/Input.h"

#include <utility>

#include "platform/ui/Controls.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

uintptr_t MouseKeyFlags(const TUiState& s) {
  uintptr_t flags = 0;
  if (s.AsyncKeys[VK_LBUTTON]) flags |= MK_LBUTTON;
  if (s.AsyncKeys[VK_RBUTTON]) flags |= MK_RBUTTON;
  if (s.AsyncKeys[VK_SHIFT]) flags |= MK_SHIFT;
  if (s.AsyncKeys[VK_CONTROL]) flags |= MK_CONTROL;
  return flags;
}

}  // namespace

namespace ui_detail {

void TrackKeyState(const TMsg& msg) {
  TUiState* s = State();
  switch (msg.Message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (msg.WParam < 256) {
        s->Keys[msg.WParam] = msg.Message == WM_KEYDOWN || msg.Message == WM_SYSKEYDOWN;
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      s->Keys[VK_LBUTTON] = (msg.WParam & MK_LBUTTON) != 0;
      s->Keys[VK_RBUTTON] = (msg.WParam & MK_RBUTTON) != 0;
      s->Keys[VK_SHIFT] = (msg.WParam & MK_SHIFT) != 0;
      s->Keys[VK_CONTROL] = (msg.WParam & MK_CONTROL) != 0;
      break;
    default:
      break;
  }
}

}  // namespace ui_detail

void InputKey(uint32_t virtualKey, bool down) {
  TUiState* s = State();
  if (!s || virtualKey >= 256) return;
  bool altHeld = s->AsyncKeys[VK_MENU];
  s->AsyncKeys[virtualKey] = down;
  if (!s->Focus) {
    s->Keys[virtualKey] = down;
    return;
  }
  bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F10;
  uint32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN)
                          : (system ? WM_SYSKEYUP : WM_KEYUP);
  intptr_t keyData = 1 | (altHeld ? kKeyDataAltDown : 0);
  PostMessage(s->Focus, message, virtualKey, keyData);
}

void InputModifiers(bool shift, bool control, bool alt) {
  TUiState* s = State();
  if (!s) return;
  const std::pair<uint32_t, bool> keys[] = {{VK_SHIFT, shift}, {VK_CONTROL, control}, {VK_MENU, alt}};
  for (auto [key, down] : keys) {
    if (s->AsyncKeys[key] && !down) InputKey(key, false);
  }
}

void InputChar(uint8_t character) {
  TUiState* s = State();
  if (!s || !s->Focus) return;
  bool alt = s->AsyncKeys[VK_MENU];
  PostMessage(s->Focus, alt ? WM_SYSCHAR : WM_CHAR, character, 1 | (alt ? kKeyDataAltDown : 0));
}

void InputMouse(TWindow window, uint32_t message, TPoint client) {
  TUiState* s = State();
  if (!s || !Lookup(window)) return;
  TPoint screen = ClientToScreen(window, client);
  s->CursorScreen = screen;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      s->AsyncKeys[VK_LBUTTON] = true;
      break;
    case WM_LBUTTONUP:
      s->AsyncKeys[VK_LBUTTON] = false;
      break;
    case WM_RBUTTONDOWN:
      s->AsyncKeys[VK_RBUTTON] = true;
      break;
    case WM_RBUTTONUP:
      s->AsyncKeys[VK_RBUTTON] = false;
      break;
    default:
      break;
  }
  TWindow target = s->Capture ? s->Capture : window;
  // A disabled window (or one inside a disabled dialog owner) takes no clicks.
  if (message != WM_MOUSEMOVE && !IsWindowEnabled(target)) return;
  if (message == WM_LBUTTONDBLCLK && !(GetClassStyle(target) & CS_DBLCLKS)) {
    message = WM_LBUTTONDOWN;
  }
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN) {
    // A click into an inactive MDI child activates it first, as the system does.
    for (TWindow w = target; w; w = GetParent(w)) {
      if (!IsMdiChild(w)) continue;
      TWindow mdiClient = GetParent(w);
      if (MdiGetActive(mdiClient) != w) SendMessage(mdiClient, WM_MDIACTIVATE, w, 0);
      break;
    }
  }
  TPoint p = ScreenToClient(target, screen);
  PostMessage(target, message, MouseKeyFlags(*s), MakeLParam(p.X, p.Y));
}

void InputSize(TWindow window, int32_t width, int32_t height) {
  TRect r = GetWindowRect(window);
  MoveWindow(window, TRect{r.Left, r.Top, r.Left + width, r.Top + height});
}

void InputFocus(TWindow window) { SetFocus(window); }

}  // namespace platform
