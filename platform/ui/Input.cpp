// Input from the back end: key state, routing to focus and capture, sizes.
#include "platform/ui/Input.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

uintptr_t MouseKeyFlags() {
  uintptr_t flags = 0;
  if (IsKeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (IsKeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (IsKeyDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (IsKeyDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

}  // namespace

void InputKey(uint32_t virtualKey, bool down) {
  TUiState* s = State();
  if (!s || virtualKey >= 256) return;
  bool altHeld = s->Keys[VK_MENU];
  s->Keys[virtualKey] = down;
  if (!s->Focus) return;
  bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F10;
  uint32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN)
                          : (system ? WM_SYSKEYUP : WM_KEYUP);
  intptr_t keyData = 1 | (altHeld ? kKeyDataAltDown : 0);
  PostMessage(s->Focus, message, virtualKey, keyData);
}

void InputChar(uint8_t character) {
  TUiState* s = State();
  if (!s || !s->Focus) return;
  bool alt = s->Keys[VK_MENU];
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
      s->Keys[VK_LBUTTON] = true;
      break;
    case WM_LBUTTONUP:
      s->Keys[VK_LBUTTON] = false;
      break;
    case WM_RBUTTONDOWN:
      s->Keys[VK_RBUTTON] = true;
      break;
    case WM_RBUTTONUP:
      s->Keys[VK_RBUTTON] = false;
      break;
    default:
      break;
  }
  TWindow target = s->Capture ? s->Capture : window;
  if (message == WM_LBUTTONDBLCLK && !(GetClassStyle(target) & CS_DBLCLKS)) {
    message = WM_LBUTTONDOWN;
  }
  TPoint p = ScreenToClient(target, screen);
  PostMessage(target, message, MouseKeyFlags(), MakeLParam(p.X, p.Y));
}

void InputSize(TWindow window, int32_t width, int32_t height) {
  TRect r = GetWindowRect(window);
  MoveWindow(window, TRect{r.Left, r.Top, r.Left + width, r.Top + height});
}

void InputFocus(TWindow window) { SetFocus(window); }

}  // namespace platform
