// Window procedures of static texts, buttons (push, check, radio, group) and progress bars:
// painting through the layer's canvas (what the headless back end records), clicks from mouse
// and keys, check states, progress-bar state; and the registration of every control class.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/ControlState.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

using ctl_detail::DrawFrame;

constexpr TBrush kFaceBrush = COLOR_BTNFACE + 1;

// Extra values of a progress bar and of a button.
enum : int32_t { xProgressMin, xProgressMax, xProgressPos, kProgressExtras };
enum : int32_t { xButtonPushed, xButtonCheck, kButtonExtras };

uint32_t ButtonType(TWindow window) { return GetWindowStyle(window) & BS_TYPEMASK; }
bool IsCheckType(uint32_t type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE;
}
bool IsRadioType(uint32_t type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

// Lines of `text` as they fit `width`: broken at line ends, else at the last blank that fits,
// else inside an overlong word.
std::vector<std::string> WrapText(const TCanvas& dc, std::string_view text, int32_t width,
                                  bool wrap) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    while (wrap && line.size() > 1 && dc.GetTextExtent(line).Width > width) {
      size_t fit = 1;
      while (fit < line.size() && dc.GetTextExtent(line.substr(0, fit + 1)).Width <= width) ++fit;
      size_t blank = line.substr(0, fit + 1).find_last_of(' ');
      size_t cut = blank != std::string_view::npos && blank > 0 ? blank : fit;
      lines.emplace_back(line.substr(0, cut));
      line.remove_prefix(cut);
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    }
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

void PaintStatic(TWindow window, TCanvas& dc) {
  uint32_t style = GetWindowStyle(window);
  TRect client = GetClientRect(window);
  uint32_t align = DT_LEFT;
  if ((style & SS_TYPEMASK) == SS_CENTER) align = DT_CENTER;
  if ((style & SS_TYPEMASK) == SS_RIGHT) align = DT_RIGHT;
  bool wrap = (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
  int32_t height = dc.GetTextMetrics().Height;
  int32_t y = 0;
  std::string text = GetWindowText(window);
  if (!(style & SS_NOPREFIX)) text = ctl_detail::StripMnemonic(text);
  for (const std::string& line : WrapText(dc, text, client.Width(), wrap)) {
    if (y >= client.Bottom) break;
    if (!line.empty()) {
      dc.DrawText(line, TRect{0, y, client.Right, y + height}, align | DT_SINGLELINE);
    }
    y += height;
  }
}

void PaintGroupBox(TWindow window, TCanvas& dc) {
  TRect client = GetClientRect(window);
  std::string text = ctl_detail::StripMnemonic(GetWindowText(window));
  int32_t height = dc.GetTextMetrics().Height;
  DrawFrame(dc, TRect{0, height / 2, client.Right, client.Bottom});
  if (text.empty()) return;
  // The caption interrupts the top line.
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(BrushColor(kFaceBrush));
  dc.TextOut(8, 0, text);
}

// A box (check) or circle-like box (radio) left of the text; the mark shows the state.
void PaintCheck(TWindow window, TCanvas& dc) {
  TRect client = GetClientRect(window);
  int32_t box = std::min(13, client.Height());
  TRect mark{0, (client.Height() - box) / 2, box, (client.Height() - box) / 2 + box};
  DrawFrame(dc, mark);
  intptr_t check = GetWindowExtra(window, xButtonCheck);
  if (check == BST_CHECKED) {
    dc.FillRect(TRect{mark.Left + 3, mark.Top + 3, mark.Right - 3, mark.Bottom - 3},
                GetSysColor(COLOR_WINDOWTEXT));
  } else if (check == BST_INDETERMINATE) {
    dc.FillRect(TRect{mark.Left + 3, mark.Top + 3, mark.Right - 3, mark.Bottom - 3},
                ctl_detail::kGrayText);
  }
  dc.DrawText(ctl_detail::StripMnemonic(GetWindowText(window)),
              TRect{box + 4, 0, client.Right, client.Bottom},
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void PaintButton(TWindow window, TCanvas& dc) {
  uint32_t type = ButtonType(window);
  if (IsCheckType(type) || IsRadioType(type)) {
    PaintCheck(window, dc);
    return;
  }
  TRect client = GetClientRect(window);
  DrawFrame(dc, client);
  if ((GetWindowStyle(window) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    DrawFrame(dc, TRect{1, 1, client.Right - 1, client.Bottom - 1});
  }
  TRect text = client;
  if (GetWindowExtra(window, xButtonPushed)) text = OffsetRect(text, 1, 1);
  dc.DrawText(ctl_detail::StripMnemonic(GetWindowText(window)), text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintProgress(TWindow window, TCanvas& dc) {
  TRect client = GetClientRect(window);
  DrawFrame(dc, client);
  TProgressState p = GetProgressState(window);
  int32_t inner = std::max(client.Width() - 2, 0);
  int32_t filled = p.Max > p.Min ? MulDiv(inner, p.Pos - p.Min, p.Max - p.Min) : 0;
  if (filled > 0) dc.FillRect(TRect{1, 1, 1 + filled, client.Bottom - 1}, GetSysColor(COLOR_HIGHLIGHT));
  if (GetWindowStyle(window) & PBS_SHOWPERCENT) {
    dc.DrawText(std::to_string(ProgressPercent(p)) + "%", client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

intptr_t PaintWith(TWindow window, void (*paint)(TWindow, TCanvas&)) {
  return ctl_detail::PaintControl(window, paint);
}

intptr_t StaticProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_PAINT) return PaintWith(window, PaintStatic);
  if (message == WM_GETDLGCODE) return DLGC_STATIC;
  return DefWindowProc(window, message, wParam, lParam);
}

void SetPushed(TWindow window, bool pushed) {
  if ((GetWindowExtra(window, xButtonPushed) != 0) == pushed) return;
  SetWindowExtra(window, xButtonPushed, pushed);
  InvalidateRect(window, nullptr);
  if (ui_detail::TUiState* s = ui_detail::State()) {
    s->Backend->WindowChanged(window, TWindowChange::Value);
  }
}

intptr_t SetCheck(TWindow window, intptr_t check) {
  uint32_t type = ButtonType(window);
  if (!IsCheckType(type) && !IsRadioType(type)) return 0;
  if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) {
    check = BST_CHECKED;
  }
  if (check != BST_CHECKED && check != BST_INDETERMINATE) check = BST_UNCHECKED;
  if (GetWindowExtra(window, xButtonCheck) != check) {
    SetWindowExtra(window, xButtonCheck, check);
    ctl_detail::ValueChanged(window);
  }
  return 0;
}

// An automatic radio button unchecks the others of its group: the siblings from the group's
// first control (WS_GROUP) to the next group.
void CheckInGroup(TWindow window) {
  TWindow parent = GetParent(window);
  std::vector<TWindow> group;
  for (TWindow sibling : ui_detail::Lookup(parent) ? ui_detail::Lookup(parent)->Children
                                                   : std::vector<TWindow>{}) {
    if (GetWindowStyle(sibling) & WS_GROUP) {
      if (std::find(group.begin(), group.end(), window) != group.end()) break;
      group.clear();
    }
    group.push_back(sibling);
  }
  for (TWindow other : group) {
    if (other != window && ControlKindOf(other) == TControlKind::RadioButton &&
        ButtonType(other) == BS_AUTORADIOBUTTON) {
      SetCheck(other, BST_UNCHECKED);
    }
  }
  SetCheck(window, BST_CHECKED);
}

// The parent may destroy the button while it handles the click: nothing touches the button
// after the send.
void Click(TWindow window) {
  switch (ButtonType(window)) {
    case BS_AUTOCHECKBOX:
      SetCheck(window, GetWindowExtra(window, xButtonCheck) == BST_CHECKED ? BST_UNCHECKED
                                                                          : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(window, (GetWindowExtra(window, xButtonCheck) + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      CheckInGroup(window);
      break;
    default:
      break;
  }
  NotifyParent(window, BN_CLICKED);
}

intptr_t DialogCode(TWindow window) {
  uint32_t type = ButtonType(window);
  if (type == BS_GROUPBOX) return DLGC_STATIC;
  if (IsRadioType(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  return DLGC_BUTTON;
}

intptr_t ButtonProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  bool group = (GetWindowStyle(window) & BS_TYPEMASK) == BS_GROUPBOX;
  switch (message) {
    case WM_PAINT:
      return PaintWith(window, group ? PaintGroupBox : PaintButton);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (group) return 0;
      SetFocus(window);
      SetCapture(window);
      SetPushed(window, true);
      return 0;
    case WM_LBUTTONUP: {
      if (group || GetCapture() != window) return 0;
      bool inside = GetClientRect(window).Contains({LParamX(lParam), LParamY(lParam)});
      ReleaseCapture();
      if (inside) Click(window);
      return 0;
    }
    case WM_CAPTURECHANGED:
      SetPushed(window, false);
      return 0;
    case WM_KEYDOWN:
      if (!group && (wParam == VK_SPACE || wParam == VK_RETURN)) Click(window);
      return 0;
    case BM_CLICK:
      if (!group && IsWindowEnabled(window)) Click(window);
      return 0;
    case BM_GETSTATE:
      return (GetWindowExtra(window, xButtonPushed) ? BST_PUSHED : 0) |
             GetWindowExtra(window, xButtonCheck) | (GetFocus() == window ? BST_FOCUS : 0);
    case BM_GETCHECK:
      return GetWindowExtra(window, xButtonCheck);
    case BM_SETCHECK:
      return SetCheck(window, static_cast<intptr_t>(wParam));
    case BM_SETSTYLE: {
      uint32_t style = GetWindowStyle(window) & ~(BS_TYPEMASK | WS_VISIBLE);
      SetWindowStyle(window, style | (static_cast<uint32_t>(wParam) & BS_TYPEMASK));
      if (lParam) InvalidateRect(window, nullptr);
      return 0;
    }
    case WM_GETDLGCODE:
      return DialogCode(window);
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

// Sets the range and the position (clamped to it); returns the previous position.
intptr_t SetProgress(TWindow window, int32_t min, int32_t max, int32_t pos) {
  intptr_t old = GetWindowExtra(window, xProgressPos);
  if (max < min) max = min;
  pos = std::clamp(pos, min, max);
  TProgressState before = GetProgressState(window);
  SetWindowExtra(window, xProgressMin, min);
  SetWindowExtra(window, xProgressMax, max);
  SetWindowExtra(window, xProgressPos, pos);
  if (GetProgressState(window) != before) {
    InvalidateRect(window, nullptr);
    if (ui_detail::TUiState* s = ui_detail::State()) {
      s->Backend->WindowChanged(window, TWindowChange::Value);
    }
  }
  return old;
}

intptr_t ProgressProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TProgressState p = GetProgressState(window);
  switch (message) {
    case WM_CREATE:
      SetProgress(window, 0, 100, 0);
      return 0;
    case WM_PAINT:
      return PaintWith(window, PaintProgress);
    case PBM_SETRANGE:
      SetProgress(window, static_cast<int32_t>(LoWord(static_cast<uintptr_t>(lParam))),
                  static_cast<int32_t>(HiWord(static_cast<uintptr_t>(lParam))), p.Pos);
      return static_cast<intptr_t>(MakeWParam(static_cast<uint32_t>(p.Min),
                                              static_cast<uint32_t>(p.Max)));
    case PBM_SETRANGE32:
      SetProgress(window, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam), p.Pos);
      return static_cast<intptr_t>(MakeWParam(static_cast<uint32_t>(p.Min),
                                              static_cast<uint32_t>(p.Max)));
    case PBM_GETRANGE:
      return wParam ? p.Min : p.Max;
    case PBM_SETPOS:
      return SetProgress(window, p.Min, p.Max, static_cast<int32_t>(wParam));
    case PBM_DELTAPOS:
      return SetProgress(window, p.Min, p.Max, p.Pos + static_cast<int32_t>(wParam));
    case PBM_GETPOS:
      return p.Pos;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

namespace ui_detail {

void RegisterControlClasses() {
  TWindowClass cls;
  cls.Background = kFaceBrush;
  cls.Name = std::string(kStaticClass);
  cls.Proc = StaticProc;
  cls.ExtraValues = 0;
  (void)RegisterWindowClass(cls);
  cls.Name = std::string(kButtonClass);
  cls.Proc = ButtonProc;
  cls.ExtraValues = kButtonExtras;
  (void)RegisterWindowClass(cls);
  cls.Name = std::string(kProgressClass);
  cls.Proc = ProgressProc;
  cls.ExtraValues = kProgressExtras;
  (void)RegisterWindowClass(cls);
  // The others keep their state object in extra 0.
  cls.ExtraValues = 1;
  cls.Style = CS_DBLCLKS;
  const std::pair<std::string_view, TWindowProc> kStateful[] = {
      {kEditClass, ctl_detail::EditProc},
      {kListBoxClass, ctl_detail::ListBoxProc},
      {kComboBoxClass, ctl_detail::ComboBoxProc},
      {kListViewClass, ctl_detail::ListViewProc},
      {kSpinClass, ctl_detail::SpinProc},
      {kTabControlClass, ctl_detail::TabControlProc},
  };
  for (const auto& [name, proc] : kStateful) {
    cls.Name = std::string(name);
    cls.Proc = proc;
    cls.Background = name == kEditClass || name == kListBoxClass || name == kListViewClass
                         ? kWindowColorBrush
                         : kFaceBrush;
    cls.Cursor = name == kEditClass ? TCursorKind::IBeam : TCursorKind::Arrow;
    (void)RegisterWindowClass(cls);
  }
}

}  // namespace ui_detail

}  // namespace platform
