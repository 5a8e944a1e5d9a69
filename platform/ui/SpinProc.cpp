// The spin field: a value stepped by arrow keys or clicks within its range (or wrapping), the
// step offered to the parent first (UDN_DELTAPOS), shown in the buddy as a number and
// reported as WM_VSCROLL; the value is read back from the buddy, so typed numbers count.
#include <algorithm>
#include <charconv>

#include "platform/ui/ControlState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"

namespace platform::ctl_detail {

namespace {

struct TSpinState {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Pos = 0;
  TWindow Buddy = 0;
};

TSpinState* Spin(TWindow window) { return StateOf<TSpinState>(window); }

bool InRange(const TSpinState& s, int64_t value) {
  return value >= std::min(s.Min, s.Max) && value <= std::max(s.Min, s.Max);
}

void ShowInBuddy(TWindow window, const TSpinState& s) {
  if (s.Buddy && (GetWindowStyle(window) & UDS_SETBUDDYINT)) {
    SetWindowText(s.Buddy, std::to_string(s.Pos));
  }
}

// The buddy's text when it is a number in the range; else the last value set.
int32_t CurrentPos(TWindow window, TSpinState& s, bool* error) {
  bool bad = false;
  if (s.Buddy && (GetWindowStyle(window) & UDS_SETBUDDYINT)) {
    std::string text = GetWindowText(s.Buddy);
    std::erase(text, '.');  // thousands separators
    int32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && ptr == text.data() + text.size() && InRange(s, value)) {
      s.Pos = value;
    } else {
      bad = true;
    }
  }
  if (error) *error = bad;
  return s.Pos;
}

void SetPos(TWindow window, TSpinState& s, int32_t pos) {
  pos = std::clamp(pos, std::min(s.Min, s.Max), std::max(s.Min, s.Max));
  s.Pos = pos;
  ShowInBuddy(window, s);
  ValueChanged(window);
}

// One step up (+1) or down (-1), "up" meaning towards Max.
void Step(TWindow window, TSpinState& s, int32_t direction) {
  int32_t pos = CurrentPos(window, s, nullptr);
  int32_t delta = s.Max >= s.Min ? direction : -direction;
  TNmUpDown n;
  n.Pos = pos;
  n.Delta = delta;
  if (NotifyParentEx(window, UDN_DELTAPOS, &n.Header) != 0) return;
  int64_t next = int64_t{pos} + n.Delta;
  if (!InRange(s, next)) {
    if (!(GetWindowStyle(window) & UDS_WRAP)) {
      // At the end of the range nothing changes and nobody is told.
      if (pos == (n.Delta > 0 ? std::max(s.Min, s.Max) : std::min(s.Min, s.Max))) return;
      next = n.Delta > 0 ? std::max(s.Min, s.Max) : std::min(s.Min, s.Max);
    } else {
      next = n.Delta > 0 ? std::min(s.Min, s.Max) : std::max(s.Min, s.Max);
    }
  }
  SetPos(window, s, static_cast<int32_t>(next));
  SendMessage(GetParent(window), WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, s.Pos),
              static_cast<intptr_t>(window));
  SendMessage(GetParent(window), WM_VSCROLL, MakeScrollWParam(SB_ENDSCROLL, s.Pos),
              static_cast<intptr_t>(window));
}

// A right-aligned spin takes its place at the right end of the buddy, which gives up the room.
void Attach(TWindow window, TSpinState& s, TWindow buddy) {
  s.Buddy = buddy;
  if (!buddy) return;
  if (GetWindowStyle(window) & UDS_ALIGNRIGHT) {
    TRect b = GetWindowRect(buddy);
    int32_t width = std::max(GetWindowRect(window).Width(), 1);
    MoveWindow(buddy, TRect{b.Left, b.Top, b.Right - width, b.Bottom});
    MoveWindow(window, TRect{b.Right - width, b.Top, b.Right, b.Bottom});
  }
  ShowInBuddy(window, s);
}

void PaintSpin(TWindow window, TCanvas& dc) {
  TRect client = GetClientRect(window);
  int32_t half = client.Height() / 2;
  DrawFrame(dc, TRect{0, 0, client.Right, half});
  DrawFrame(dc, TRect{0, half, client.Right, client.Bottom});
  dc.DrawText("^", TRect{0, 0, client.Right, half}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.DrawText("v", TRect{0, half, client.Right, client.Bottom}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

TWindow SpinOfBuddy(TWindow buddy) {
  ui_detail::TWindowObject* parent = ui_detail::Lookup(GetParent(buddy));
  if (!parent || !buddy) return 0;
  for (TWindow child : parent->Children) {
    if (ControlKindOf(child) == TControlKind::Spin && Spin(child) && Spin(child)->Buddy == buddy) {
      return child;
    }
  }
  return 0;
}

intptr_t SpinProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSpinState* s = Spin(window);
  if (message == WM_CREATE) {
    TSpinState& state = AttachState<TSpinState>(window);
    if (GetWindowStyle(window) & UDS_AUTOBUDDY) {
      // The sibling created just before, which is the one before this in the list.
      ui_detail::TWindowObject* parent = ui_detail::Lookup(GetParent(window));
      if (parent) {
        auto it = std::find(parent->Children.begin(), parent->Children.end(), window);
        if (it != parent->Children.begin() && it != parent->Children.end()) Attach(window, state, *(it - 1));
      }
    }
    return 0;
  }
  if (!s) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      FreeState<TSpinState>(window);
      return 0;
    case WM_PAINT:
      return PaintControl(window, PaintSpin);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_UP) Step(window, *s, 1);
      if (wParam == VK_DOWN) Step(window, *s, -1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!IsWindowEnabled(window)) return 0;
      Step(window, *s, LParamY(lParam) < GetClientRect(window).Height() / 2 ? 1 : -1);
      return 0;
    case UDM_SETBUDDY: {
      TWindow old = s->Buddy;
      Attach(window, *s, static_cast<TWindow>(wParam));
      return static_cast<intptr_t>(old);
    }
    case UDM_GETBUDDY:
      return static_cast<intptr_t>(s->Buddy);
    case UDM_SETRANGE32:
      s->Min = static_cast<int32_t>(wParam);
      s->Max = static_cast<int32_t>(lParam);
      SetPos(window, *s, s->Pos);
      return 0;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int32_t*>(wParam) = s->Min;
      if (lParam) *reinterpret_cast<int32_t*>(lParam) = s->Max;
      return 0;
    case UDM_SETPOS32: {
      int32_t old = CurrentPos(window, *s, nullptr);
      SetPos(window, *s, static_cast<int32_t>(lParam));
      return old;
    }
    case UDM_GETPOS32:
      return CurrentPos(window, *s, reinterpret_cast<bool*>(lParam));
    case kCtlUserValue:
      if (static_cast<int32_t>(wParam) == s->Pos) return 0;
      SetPos(window, *s, static_cast<int32_t>(wParam));
      SendMessage(GetParent(window), WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, s->Pos),
                  static_cast<intptr_t>(window));
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform::ctl_detail
