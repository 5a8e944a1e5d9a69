// Turns window messages into calls of the document object; runs the mouse drag.
#include "editor/text/ChildWindowProc.h"

#include "platform/ui/CodePages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

uint32_t LowWord(uintptr_t v) { return static_cast<uint32_t>(v & 0xFFFF); }
int32_t HighWord(uintptr_t v) { return static_cast<int32_t>((v >> 16) & 0xFFFF); }

intptr_t OnCreate(TWindow window, intptr_t lParam) {
  auto* object =
      reinterpret_cast<TScrlChildData*>(SendMessage(window, wm_CreateChildObject, 0, lParam));
  if (!object || object->ConstructionFailed) {
    delete object;
    return -1;
  }
  SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(object));
  SetWindowExStyle(window, GetWindowExStyle(window) | WS_EX_CLIENTEDGE);
  SetFocus(window);
  return 0;
}

void OnPaint(TWindow window, TScrlChildData& d) {
  TPaintStruct ps;
  TCanvas* dc = BeginPaint(window, ps);
  if (!dc) return;
  d.Scroller->ApplyOrigin(*dc);
  dc->SetBkMode(TRANSPARENT);
  TFont oldFont = dc->SelectFont(d.Font);
  dc->SetTextColor(d.TextColor);
  d.Paint(*dc, ps.Paint);
  dc->SelectFont(oldFont);
  d.Scroller->UpdateThumbs();
  EndPaint(window, ps);
}

void OnScroll(TWindow window, TScrlChildData& d, bool vertical, uintptr_t wParam) {
  HideCaret(window);
  if (vertical) {
    d.Scroller->VScroll(LowWord(wParam), HighWord(wParam));
  } else {
    d.Scroller->HScroll(LowWord(wParam), HighWord(wParam));
  }
  TPoint p = d.GetCaretPixelPos();
  SetCaretPos(p.X, p.Y);
  platform::ShowCaret(window);
}

intptr_t OnSysKeyDown(TWindow window, uintptr_t key, intptr_t lParam, bool& handled) {
  handled = true;
  if (!(lParam & kKeyDataAltDown) && !IsKeyDown(VK_MENU)) {
    handled = false;
    return 0;
  }
  switch (key) {
    case VK_UP:
      return SendMessage(window, WM_VSCROLL, SB_LINEUP, 0);
    case VK_DOWN:
      return SendMessage(window, WM_VSCROLL, SB_LINEDOWN, 0);
    case VK_PRIOR:
      return SendMessage(window, WM_VSCROLL, SB_PAGEUP, 0);
    case VK_NEXT:
      return SendMessage(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    case VK_LEFT:
      return SendMessage(window, WM_HSCROLL, SB_LINELEFT, 0);
    case VK_RIGHT:
      return SendMessage(window, WM_HSCROLL, SB_LINERIGHT, 0);
    case VK_F10: {
      TPoint p = ScreenToClient(window, GetCursorPos());
      return SendMessage(window, WM_RBUTTONDOWN, 0, MakeLParam(p.X, p.Y));
    }
    default:
      handled = false;
      return 0;
  }
}

// The button is down: capture the mouse and step the view towards it on every timer tick
// until the button comes up or the capture goes elsewhere.
void DragLoop(TWindow window) {
  SetCapture(window);
  TMsg msg;
  while (IsWindow(window) && GetCapture() == window) {
    if (!GetMessage(msg)) {
      PostQuitMessage(static_cast<int32_t>(msg.WParam));
      break;
    }
    DispatchMessage(msg);
    TScrlChildData* d = GetChildData(window);
    if (!d) return;  // destroyed meanwhile
    if (msg.Window == window && msg.Message == WM_LBUTTONUP) break;
    if (msg.Window == window && msg.Message == WM_TIMER && msg.WParam == kDragTimerId &&
        d->DragTimerTicked) {
      d->DragTimerTicked = 0;
      TPoint moved = d->Scroller->AutoScrollStep();
      if (moved.X != 0 || moved.Y != 0) d->MoveCaretBy(moved.X, moved.Y, true);
    }
  }
  if (GetCapture() == window) ReleaseCapture();
  KillTimer(window, kDragTimerId);
  if (TScrlChildData* d = GetChildData(window)) d->DragTimerRunning = 0;
}

void OnLButtonDown(TWindow window, TScrlChildData& d, uintptr_t keys, intptr_t lParam) {
  TTextPos pos = d.PixelToPos(LParamX(lParam), LParamY(lParam));
  d.SetCaret(pos.Column, pos.Line, false, (keys & MK_SHIFT) != 0);
  d.IgnoreNextMouseMove = 1;
  SetTimer(window, kDragTimerId, kDragTimerPeriodMs);
  d.DragTimerRunning = 1;
  d.DragTimerTicked = 0;
  if (d.Scroller->AutoScrollOn) DragLoop(window);
}

void OnMouseMove(TWindow window, TScrlChildData& d, intptr_t lParam) {
  if (GetCapture() != window) return;
  if (d.IgnoreNextMouseMove) {
    d.IgnoreNextMouseMove = 0;
    return;
  }
  int32_t x = LParamX(lParam);
  int32_t y = LParamY(lParam);
  if (y < 0) return;
  if (y > (d.Scroller->PageStepY + 1) * d.CharHeight && d.DragTimerRunning) return;
  TTextPos pos = d.PixelToPos(x, y);
  d.SetCaret(pos.Column, pos.Line, false, true);
}

}  // namespace

TScrlChildData* GetChildData(TWindow window) {
  return reinterpret_cast<TScrlChildData*>(GetWindowExtra(window, 0));
}

intptr_t ChildWindowProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) return OnCreate(window, lParam);
  TScrlChildData* d = GetChildData(window);
  if (!d) return DefMdiChildProc(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      // Posted, so no record can outlive the call: lParam names the window instead.
      PostMessage(d->FrameWindow, wm_ChildNotify, cnDestroyed, static_cast<intptr_t>(window));
      SetWindowExtra(window, 0, 0);
      delete d;
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        d->Scroller->UpdatePageSteps();
        d->SizeChanged(LParamX(lParam) & 0xFFFF, LParamY(lParam) & 0xFFFF);
        d->Scroller->UpdateScrollBars();
      }
      return 0;
    case WM_SETFOCUS:
      d->ShowCaret(true);
      return 0;
    case WM_KILLFOCUS:
      d->ShowCaret(false);
      return 0;
    case WM_PAINT:
      OnPaint(window, *d);
      return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
      if (d->NotifyFrame(cnQueryClose) == 0) return 0;
      break;
    case WM_KEYDOWN:
      if (!IsIconic(window) &&
          d->KeyDown(static_cast<uint32_t>(wParam), IsKeyDown(VK_SHIFT),
                     IsKeyDown(VK_CONTROL)) == 0) {
        return 0;
      }
      break;
    case WM_CHAR:
      if (IsIconic(window)) break;
      if (d->AltKeySeen) {
        d->AltKeySeen = 0;
        return 0;
      } else {
        uint8_t ch = static_cast<uint8_t>(wParam);
        if (d->DosMode) ch = WinToDos(ch);
        if (d->KeyChar(ch) == 0) return 0;
      }
      break;
    case WM_SYSKEYDOWN: {
      bool handled = false;
      intptr_t result = OnSysKeyDown(window, wParam, lParam, handled);
      if (handled) return result;
      break;
    }
    case WM_SYSCHAR:
      if (lParam & kKeyDataAltDown) d->AltKeySeen = 1;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      OnScroll(window, *d, message == WM_VSCROLL, wParam);
      return 0;
    case WM_MENUSELECT:
      return SendMessage(d->FrameWindow, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      OnLButtonDown(window, *d, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(window, *d, lParam);
      return 0;
    case WM_LBUTTONUP:
      KillTimer(window, kDragTimerId);
      d->DragTimerRunning = 0;
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimerId) d->DragTimerTicked = 1;
      return 0;
    case WM_LBUTTONDBLCLK:
      d->DoubleClick(LParamX(lParam), LParamY(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      SetFocus(window);
      if (TScrlChildData* still = GetChildData(window)) {
        still->NotifyFrame(cnRightButton, static_cast<int32_t>(wParam),
                           static_cast<int32_t>(lParam));
      }
      return 0;
    case WM_MDIACTIVATE:
      if (static_cast<TWindow>(lParam) == window) {
        UpdateWindow(window);
        if (TScrlChildData* still = GetChildData(window)) still->NotifyFrame(cnActivated);
      }
      return 0;
    case wm_FileLoaded:
      InvalidateRect(window, nullptr);
      UpdateWindow(window);
      return 0;
    default:
      break;
  }
  return DefMdiChildProc(window, message, wParam, lParam);
}
