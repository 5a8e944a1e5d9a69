// The dialog keys: the order of the controls (with those of DS_CONTROL child dialogs), Tab,
// arrows in groups, Enter, Escape and mnemonics, and where the focus goes back to.
#include <algorithm>
#include <vector>

#include "platform/ui/CodePages.h"
#include "platform/ui/ControlState.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

bool IsChildDialog(TWindow window) {
  return GetClassName(window) == kDialogClass && (GetWindowStyle(window) & DS_CONTROL);
}

// The controls of a dialog in creation order, child dialogs replaced by their controls.
void CollectControls(TWindow parent, std::vector<TWindow>& out) {
  ui_detail::TWindowObject* p = ui_detail::Lookup(parent);
  if (!p) return;
  for (TWindow child : p->Children) {
    if (IsChildDialog(child)) {
      if (IsWindowVisible(child)) CollectControls(child, out);
    } else {
      out.push_back(child);
    }
  }
}

std::vector<TWindow> Controls(TWindow dialog) {
  std::vector<TWindow> out;
  CollectControls(dialog, out);
  return out;
}

bool Usable(TWindow window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

intptr_t DialogCode(TWindow window, const TMsg* msg = nullptr) {
  return SendMessage(window, WM_GETDLGCODE, msg ? msg->WParam : 0, reinterpret_cast<intptr_t>(msg));
}

bool IsDescendant(TWindow ancestor, TWindow window) {
  for (TWindow w = window; w; w = GetParent(w)) {
    if (w == ancestor) return true;
  }
  return false;
}

// The control of `controls` that holds `window` (the window itself or an ancestor).
int32_t IndexOf(const std::vector<TWindow>& controls, TWindow window) {
  for (TWindow w = window; w; w = GetParent(w)) {
    auto it = std::find(controls.begin(), controls.end(), w);
    if (it != controls.end()) return static_cast<int32_t>(it - controls.begin());
  }
  return -1;
}

// The checked radio button of the group that starts at `index`, else the control itself.
TWindow CheckedInGroup(const std::vector<TWindow>& controls, int32_t index) {
  TWindow control = controls[static_cast<size_t>(index)];
  if (ControlKindOf(control) != TControlKind::RadioButton) return control;
  TWindow parent = GetParent(control);
  // The group: back to its WS_GROUP start, forward to the next start.
  int32_t first = index;
  while (first > 0 && !(GetWindowStyle(controls[static_cast<size_t>(first)]) & WS_GROUP) &&
         GetParent(controls[static_cast<size_t>(first - 1)]) == parent) {
    --first;
  }
  for (int32_t i = first; i < static_cast<int32_t>(controls.size()); ++i) {
    TWindow c = controls[static_cast<size_t>(i)];
    if (i > first && ((GetWindowStyle(c) & WS_GROUP) || GetParent(c) != parent)) break;
    if (ControlKindOf(c) == TControlKind::RadioButton && Usable(c) &&
        SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return c;
    }
  }
  return control;
}

void Click(TWindow button) { SendMessage(button, BM_CLICK, 0, 0); }

// Enter: a focused push button is pressed, else the default button.
void DefaultAction(TWindow dialog) {
  TWindow focus = GetFocus();
  if (focus && IsDescendant(dialog, focus) &&
      (DialogCode(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && Usable(focus)) {
    Click(focus);
    return;
  }
  intptr_t def = SendMessage(dialog, DM_GETDEFID, 0, 0);
  int32_t id = HiWord(static_cast<uintptr_t>(def)) == DC_HASDEFID ? static_cast<int32_t>(LoWord(static_cast<uintptr_t>(def))) : IDOK;
  TWindow button = 0;
  for (TWindow c : Controls(dialog)) {
    if (GetDlgCtrlID(c) == id) {
      button = c;
      break;
    }
  }
  if (button && !IsWindowEnabled(button)) {
    MessageBeep(0);
    return;
  }
  SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<uint32_t>(id), BN_CLICKED),
              static_cast<intptr_t>(button));
}

// Alt+letter, or a letter while the focus does not take characters: the control whose text
// has the mnemonic, searched from after the focus. A label hands the focus to the next
// control; a button is pressed, even a hidden one (dialogs keep buttons that are reached by
// their mnemonics only); a check box or radio button is focused and pressed.
bool Mnemonic(TWindow dialog, uint8_t byte) {
  char32_t key = ctl_detail::FoldCase(Cp1252ToUnicode(byte));
  if (key <= U' ') return false;
  std::vector<TWindow> controls = Controls(dialog);
  int32_t n = static_cast<int32_t>(controls.size());
  int32_t start = IndexOf(controls, GetFocus());
  for (int32_t k = 1; k <= n; ++k) {
    int32_t i = ((start < 0 ? -1 : start) + k) % n;
    if (i < 0) i += n;
    TWindow c = controls[static_cast<size_t>(i)];
    TControlKind kind = ControlKindOf(c);
    if (!IsWindowVisible(c) && kind != TControlKind::PushButton) continue;
    if (kind == TControlKind::Static && (GetWindowStyle(c) & SS_NOPREFIX)) continue;
    if (ctl_detail::MnemonicOf(GetWindowText(c)) != key) continue;
    switch (kind) {
      case TControlKind::Static:
      case TControlKind::GroupBox:
        for (int32_t j = i + 1; j < n; ++j) {
          TWindow next = controls[static_cast<size_t>(j)];
          TControlKind nk = ControlKindOf(next);
          if (nk == TControlKind::Static || nk == TControlKind::GroupBox) continue;
          if (Usable(next)) GotoDlgCtrl(next);
          break;
        }
        return true;
      case TControlKind::PushButton:
        if (!IsWindowEnabled(c)) continue;
        Click(c);
        return true;
      case TControlKind::CheckBox:
      case TControlKind::RadioButton:
        if (!IsWindowEnabled(c)) continue;
        GotoDlgCtrl(c);
        Click(c);
        return true;
      default:
        if (!IsWindowEnabled(c)) continue;
        GotoDlgCtrl(c);
        return true;
    }
  }
  return false;
}

void ArrowInGroup(TWindow dialog, bool previous) {
  TWindow next = GetNextDlgGroupItem(dialog, GetFocus(), previous);
  if (!next || next == GetFocus()) return;
  GotoDlgCtrl(next);
  // An automatic radio button is checked by coming to it.
  if (ControlKindOf(next) == TControlKind::RadioButton &&
      (GetWindowStyle(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
    Click(next);
  }
}

}  // namespace

namespace dialog_detail {

TWindow DefaultButton(TWindow dialog) {
  for (TWindow c : Controls(dialog)) {
    if (ControlKindOf(c) == TControlKind::PushButton &&
        (GetWindowStyle(c) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return c;
    }
  }
  return 0;
}

void RestoreFocus(TWindow dialog) {
  TWindow focus = GetFocus();
  if (focus && focus != dialog && IsDescendant(dialog, focus)) return;
  if (TWindow first = GetNextDlgTabItem(dialog, 0, false)) GotoDlgCtrl(first);
}

}  // namespace dialog_detail

TWindow GetNextDlgTabItem(TWindow dialog, TWindow control, bool previous) {
  std::vector<TWindow> controls = Controls(dialog);
  int32_t n = static_cast<int32_t>(controls.size());
  if (n == 0) return 0;
  int32_t at = IndexOf(controls, control);
  for (int32_t k = 1; k <= n; ++k) {
    int32_t i;
    if (at < 0) {
      i = previous ? n - k : k - 1;
    } else {
      i = ((previous ? at - k : at + k) % n + n) % n;
    }
    TWindow c = controls[static_cast<size_t>(i)];
    if ((GetWindowStyle(c) & WS_TABSTOP) && Usable(c)) return CheckedInGroup(controls, i);
  }
  return 0;
}

TWindow GetNextDlgGroupItem(TWindow dialog, TWindow control, bool previous) {
  std::vector<TWindow> controls = Controls(dialog);
  int32_t at = IndexOf(controls, control);
  if (at < 0) return 0;
  TWindow parent = GetParent(controls[static_cast<size_t>(at)]);
  int32_t first = at;
  while (first > 0 && !(GetWindowStyle(controls[static_cast<size_t>(first)]) & WS_GROUP) &&
         GetParent(controls[static_cast<size_t>(first - 1)]) == parent) {
    --first;
  }
  int32_t last = at;
  while (last + 1 < static_cast<int32_t>(controls.size()) &&
         !(GetWindowStyle(controls[static_cast<size_t>(last + 1)]) & WS_GROUP) &&
         GetParent(controls[static_cast<size_t>(last + 1)]) == parent) {
    ++last;
  }
  int32_t size = last - first + 1;
  for (int32_t k = 1; k < size; ++k) {
    int32_t i = first + ((at - first + (previous ? -k : k)) % size + size) % size;
    TWindow c = controls[static_cast<size_t>(i)];
    TControlKind kind = ControlKindOf(c);
    if (kind == TControlKind::Static || kind == TControlKind::GroupBox) continue;
    if (Usable(c)) return c;
  }
  return controls[static_cast<size_t>(at)];
}

void GotoDlgCtrl(TWindow control) {
  if (!IsWindow(control)) return;
  SetFocus(control);
  intptr_t code = DialogCode(control);
  if (code & DLGC_HASSETSEL) {
    if (ControlKindOf(control) == TControlKind::ComboBox) {
      SendMessage(control, CB_SETEDITSEL, 0, MakeLParam(0, -1));
    } else {
      SendMessage(control, EM_SETSEL, 0, -1);
    }
  }
}

bool IsDialogMessage(TWindow dialog, const TMsg& msg) {
  if (!IsWindow(dialog) || !msg.Window || !IsDescendant(dialog, msg.Window)) return false;
  // A page's keys belong to the sheet that holds it.
  if (IsChildDialog(dialog) && IsWindow(GetParent(dialog))) return false;
  switch (msg.Message) {
    case WM_KEYDOWN: {
      intptr_t code = DialogCode(msg.Window, &msg);
      if (code & DLGC_WANTALLKEYS) break;
      switch (msg.WParam) {
        case VK_TAB:
          if (IsKeyDown(VK_CONTROL)) {
            // Ctrl+Tab turns the tabs of a property sheet.
            for (TWindow c : Controls(dialog)) {
              if (ControlKindOf(c) != TControlKind::TabControl || GetParent(c) != dialog) continue;
              auto count = static_cast<int32_t>(SendMessage(c, TCM_GETITEMCOUNT, 0, 0));
              auto current = static_cast<int32_t>(SendMessage(c, TCM_GETCURSEL, 0, 0));
              if (count > 0) {
                int32_t next = (current + (IsKeyDown(VK_SHIFT) ? count - 1 : 1)) % count;
                SendMessage(c, kCtlUserSelect, static_cast<uintptr_t>(next), 0);
              }
              return true;
            }
          }
          if (code & DLGC_WANTTAB) break;
          if (TWindow next = GetNextDlgTabItem(dialog, GetFocus(), IsKeyDown(VK_SHIFT))) GotoDlgCtrl(next);
          return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          if (code & DLGC_WANTARROWS) {
            // A spin field steps with the arrows of its buddy.
            TWindow spin = ctl_detail::SpinOfBuddy(msg.Window);
            if (spin && (msg.WParam == VK_UP || msg.WParam == VK_DOWN) &&
                (GetWindowStyle(spin) & UDS_ARROWKEYS)) {
              SendMessage(spin, WM_KEYDOWN, msg.WParam, msg.LParam);
              return true;
            }
            break;
          }
          ArrowInGroup(dialog, msg.WParam == VK_LEFT || msg.WParam == VK_UP);
          return true;
        case VK_RETURN:
          DefaultAction(dialog);
          return true;
        case VK_ESCAPE:
          SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<uint32_t>(IDCANCEL), BN_CLICKED),
                      static_cast<intptr_t>(GetDlgItem(dialog, IDCANCEL)));
          return true;
        default:
          break;
      }
      break;
    }
    case WM_CHAR: {
      intptr_t code = DialogCode(msg.Window, &msg);
      // The characters of the dialog keys handled above.
      if (msg.WParam == '\t' && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) return true;
      if ((msg.WParam == '\r' || msg.WParam == 0x1B) && !(code & DLGC_WANTALLKEYS)) return true;
      if (!(code & DLGC_WANTCHARS) && Mnemonic(dialog, static_cast<uint8_t>(msg.WParam))) return true;
      break;
    }
    case WM_SYSCHAR:
      if (Mnemonic(dialog, static_cast<uint8_t>(msg.WParam))) return true;
      MessageBeep(0);
      return true;
    default:
      break;
  }
  DispatchMessage(msg);
  return true;
}

}  // namespace platform
