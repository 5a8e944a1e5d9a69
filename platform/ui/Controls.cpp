// Control ids, dialog-item access, enabling, check states and the kinds of the control
// classes.
#include "platform/ui/Controls.h"

#include <charconv>
#include <utility>

#include "platform/charset/Charset.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

TControlKind ControlKindOf(TWindow window) {
  TWindowObject* w = Lookup(window);
  if (!w) return TControlKind::None;
  const std::string& name = w->Class->Name;
  if (EqualNoCaseWin(name, kStaticClass)) return TControlKind::Static;
  if (EqualNoCaseWin(name, kProgressClass)) return TControlKind::Progress;
  if (EqualNoCaseWin(name, kButtonClass)) {
    switch (w->Style & BS_TYPEMASK) {
      case BS_GROUPBOX: return TControlKind::GroupBox;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: return TControlKind::CheckBox;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return TControlKind::RadioButton;
      default: return TControlKind::PushButton;
    }
  }
  if (EqualNoCaseWin(name, kEditClass)) return TControlKind::Edit;
  if (EqualNoCaseWin(name, kListBoxClass)) return TControlKind::ListBox;
  if (EqualNoCaseWin(name, kComboBoxClass)) return TControlKind::ComboBox;
  if (EqualNoCaseWin(name, kListViewClass)) return TControlKind::ListView;
  if (EqualNoCaseWin(name, kSpinClass)) return TControlKind::Spin;
  if (EqualNoCaseWin(name, kTabControlClass)) return TControlKind::TabControl;
  return TControlKind::None;
}

TProgressState GetProgressState(TWindow window) {
  if (ControlKindOf(window) != TControlKind::Progress) return {};
  return TProgressState{static_cast<int32_t>(GetWindowExtra(window, 0)),
                        static_cast<int32_t>(GetWindowExtra(window, 1)),
                        static_cast<int32_t>(GetWindowExtra(window, 2))};
}

int32_t ProgressPercent(const TProgressState& state) {
  if (state.Max <= state.Min) return 0;
  return static_cast<int32_t>((int64_t{state.Pos} - state.Min) * 100 / (int64_t{state.Max} - state.Min));
}

TWindow CreateControl(std::string_view className, std::string_view text, uint32_t style,
                      const TRect& rect, TWindow parent, int32_t id) {
  if (!parent) return 0;
  // The id is set before the window shows, so a back end sees it with the first change.
  TWindow window = CreateWindowEx(0, className, text, (style | WS_CHILD) & ~WS_VISIBLE, rect,
                                  parent, nullptr);
  if (!window) return 0;
  SetDlgCtrlID(window, id);
  if (style & WS_VISIBLE) ShowWindow(window, true);
  return window;
}

int32_t GetDlgCtrlID(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->ControlId : 0;
}

int32_t SetDlgCtrlID(TWindow window, int32_t id) {
  TWindowObject* w = Lookup(window);
  return w ? std::exchange(w->ControlId, id) : 0;
}

TWindow GetDlgItem(TWindow dialog, int32_t id) {
  TWindowObject* d = Lookup(dialog);
  if (!d) return 0;
  for (TWindow child : d->Children) {
    TWindowObject* c = Lookup(child);
    if (c && c->ControlId == id) return child;
  }
  return 0;
}

bool SetDlgItemText(TWindow dialog, int32_t id, std::string_view text) {
  TWindow item = GetDlgItem(dialog, id);
  if (!item) return false;
  SetWindowText(item, text);
  return true;
}

std::string GetDlgItemText(TWindow dialog, int32_t id) {
  return GetWindowText(GetDlgItem(dialog, id));
}

intptr_t SendDlgItemMessage(TWindow dialog, int32_t id, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
  TWindow item = GetDlgItem(dialog, id);
  return item ? SendMessage(item, message, wParam, lParam) : 0;
}

bool EnableWindow(TWindow window, bool enable) {
  TWindowObject* w = Lookup(window);
  if (!w) return false;
  bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  SetWindowStyle(window, enable ? w->Style & ~WS_DISABLED : w->Style | WS_DISABLED);
  if (!enable) {
    // A disabled window keeps neither the focus nor the mouse.
    if (GetCapture() == window) ReleaseCapture();
    TWindow focus = GetFocus();
    for (TWindow f = focus; f; f = GetParent(f)) {
      if (f == window) {
        SetFocus(0);
        break;
      }
    }
  }
  SendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
  if (ControlKindOf(window) != TControlKind::None) InvalidateRect(window, nullptr);
  return wasDisabled;
}

bool IsWindowEnabled(TWindow window) {
  if (!Lookup(window)) return false;
  for (TWindowObject* w = Lookup(window); w; w = Lookup(w->Parent)) {
    if (w->Style & WS_DISABLED) return false;
  }
  return true;
}

bool CheckDlgButton(TWindow dialog, int32_t id, intptr_t check) {
  TWindow item = GetDlgItem(dialog, id);
  if (!item) return false;
  SendMessage(item, BM_SETCHECK, static_cast<uintptr_t>(check), 0);
  return true;
}

intptr_t IsDlgButtonChecked(TWindow dialog, int32_t id) {
  return SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0);
}

bool CheckRadioButton(TWindow dialog, int32_t first, int32_t last, int32_t check) {
  if (!GetDlgItem(dialog, check)) return false;
  for (int32_t id = first; id <= last; ++id) {
    SendDlgItemMessage(dialog, id, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return true;
}

bool SetDlgItemInt(TWindow dialog, int32_t id, int32_t value) {
  return SetDlgItemText(dialog, id, std::to_string(value));
}

int32_t GetDlgItemInt(TWindow dialog, int32_t id, bool* ok) {
  std::string text = GetDlgItemText(dialog, id);
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  int32_t value = 0;
  bool good = false;
  if (GetDlgItem(dialog, id) && begin != std::string::npos) {
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    good = ec == std::errc() && ptr == last;
  }
  if (ok) *ok = good;
  return good ? value : 0;
}

}  // namespace platform
