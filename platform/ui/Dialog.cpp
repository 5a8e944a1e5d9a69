// Dialog windows: creation from a template, the dialog class's default processing, the modal
// loop, and the registry of modeless dialogs.
#include "platform/ui/Dialog.h"

#include <algorithm>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/UiState.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

namespace platform {

namespace dialog_detail {

struct TDialogData {
  TDialogProc Proc = nullptr;
  intptr_t Param = 0;
  TWindow Owner = 0;
  bool Modal = false;
  bool Ended = false;
  intptr_t Result = 0;
  intptr_t MsgResult = 0;
  TWindow LastFocus = 0;
};

// Extra 0 is the application's (like the dialog's user value), extra 1 the dialog's data.
constexpr int32_t xDialogData = 1;

TDialogData* DataOf(TWindow dialog) {
  if (!IsWindow(dialog) || GetClassName(dialog) != kDialogClass) return nullptr;
  return reinterpret_cast<TDialogData*>(GetWindowExtra(dialog, xDialogData));
}

std::vector<TWindow>& Modeless() {
  static std::vector<TWindow> dialogs;
  return dialogs;
}

// Defined with the dialog keys.
TWindow DefaultButton(TWindow dialog);
void RestoreFocus(TWindow dialog);

}  // namespace dialog_detail

namespace ui_detail {

void DestroyOwnedDialogs(TWindow owner) {
  TUiState* s = State();
  if (!s) return;
  std::vector<TWindow> windows = s->Windows;
  for (TWindow window : windows) {
    dialog_detail::TDialogData* data = dialog_detail::DataOf(window);
    if (data && data->Owner == owner && window != owner) DestroyWindow(window);
  }
}

}  // namespace ui_detail

using namespace dialog_detail;

namespace {

intptr_t DefDialogProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_CLOSE:
      // Closing the window is the same as Escape.
      SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<uint32_t>(IDCANCEL), BN_CLICKED),
                  static_cast<intptr_t>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case DM_GETDEFID: {
      TWindow button = DefaultButton(dialog);
      if (!button) return 0;
      return static_cast<intptr_t>(MakeWParam(static_cast<uint32_t>(GetDlgCtrlID(button)), DC_HASDEFID));
    }
    case DM_SETDEFID: {
      TWindow old = DefaultButton(dialog);
      TWindow next = GetDlgItem(dialog, static_cast<int32_t>(wParam));
      if (old && old != next) SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, 1);
      if (next && ControlKindOf(next) == TControlKind::PushButton) {
        SendMessage(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
      }
      return 1;
    }
    case WM_NEXTDLGCTL: {
      TWindow target = lParam ? static_cast<TWindow>(wParam)
                              : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
      if (target) GotoDlgCtrl(target);
      return 0;
    }
    case WM_SETFOCUS:
      RestoreFocus(dialog);
      return 0;
    default:
      return DefWindowProc(dialog, message, wParam, lParam);
  }
}

intptr_t DialogWindowProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    SetWindowExtra(dialog, xDialogData,
                   reinterpret_cast<intptr_t>(const_cast<void*>(cs->CreateParams)));
    return 0;
  }
  TDialogData* data = DataOf(dialog);
  if (message == WM_NCDESTROY) {
    std::erase(Modeless(), dialog);
    // A modal loop waiting for input must see that its dialog is gone.
    if (data && data->Modal && !data->Ended) PostMessage(0, WM_NULL, 0, 0);
    SetWindowExtra(dialog, xDialogData, 0);
    if (data && data->Proc) data->Proc(dialog, message, wParam, lParam);
    delete data;
    return 0;
  }
  if (data && data->Proc) {
    intptr_t saved = data->MsgResult;
    data->MsgResult = 0;
    intptr_t handled = data->Proc(dialog, message, wParam, lParam);
    data = DataOf(dialog);
    if (handled) {
      if (!data) return handled;
      intptr_t result = message == WM_NOTIFY ? data->MsgResult : handled;
      data->MsgResult = saved;
      return result;
    }
    if (data) data->MsgResult = saved;
    if (!IsWindow(dialog)) return 0;
  }
  return DefDialogProc(dialog, message, wParam, lParam);
}

bool RegisterDialogClass() {
  if (FindWindowClass(kDialogClass)) return true;
  TWindowClass cls;
  cls.Name = std::string(kDialogClass);
  cls.Proc = DialogWindowProc;
  cls.ExtraValues = 2;
  cls.Background = COLOR_BTNFACE + 1;
  return RegisterWindowClass(cls);
}

// Makes the window and its controls and sends WM_INITDIALOG; the dialog is not shown yet.
TWindow MakeDialog(TWindow owner, TWindow parent, const TDialogTemplate& t, TDialogProc proc,
                   intptr_t param, bool modal, TPoint origin) {
  if (!IsUiThread() || !RegisterDialogClass()) return 0;
  if (owner && !IsWindow(owner)) return 0;
  TRect size = MapDialogRect(TRect{0, 0, t.Size.Width, t.Size.Height});
  TRect rect = OffsetRect(size, origin.X, origin.Y);
  if (!parent) {
    // Centred over the owner, or placed near the top left without one.
    TRect over = owner ? GetWindowRect(owner) : TRect{0, 0, 800, 600};
    TPoint topLeft = owner && GetParent(owner) ? ClientToScreen(GetParent(owner), {over.Left, over.Top})
                                               : TPoint{over.Left, over.Top};
    rect = KeepOnScreen(OffsetRect(size, topLeft.X + (over.Width() - size.Width()) / 2,
                                   topLeft.Y + (over.Height() - size.Height()) / 2));
  }
  auto* data = new TDialogData{proc, param, owner, modal};
  uint32_t style = (t.Style & ~WS_VISIBLE) | (parent ? WS_CHILD | DS_CONTROL : 0);
  TWindow dialog = CreateWindowEx(0, kDialogClass, t.Caption, style, rect, parent, data);
  if (!dialog) {
    delete data;
    return 0;
  }
  for (const TDialogItem& item : t.Items) {
    TWindow control = CreateControl(item.Class, item.Text, item.Style, MapDialogRect(item.Rect),
                                    dialog, item.Id);
    if (!control) {
      // A template naming an unknown class is a fault of the program, not of the user: no
      // half-made dialog.
      DestroyWindow(dialog);
      return 0;
    }
  }
  TWindow first = GetNextDlgTabItem(dialog, 0, false);
  if (SendMessage(dialog, WM_INITDIALOG, first, param) && IsWindow(dialog)) {
    if (!parent && first) GotoDlgCtrl(first);
  }
  return IsWindow(dialog) ? dialog : 0;
}

}  // namespace

TSize GetDialogBaseUnits() {
  if (TUiBackend* backend = UiBackend()) {
    TSize units = backend->DialogBaseUnits();
    if (units.Width > 0 && units.Height > 0) return units;
  }
  const TFontInfo* font = GetFontInfo(GetStockFont());
  if (!font) return TSize{8, 16};
  return TSize{std::max(font->Metrics.AveCharWidth, 1), std::max(font->Metrics.Height, 1)};
}

TRect MapDialogRect(const TRect& u) {
  TSize base = GetDialogBaseUnits();
  return TRect{MulDiv(u.Left, base.Width, 4), MulDiv(u.Top, base.Height, 8),
               MulDiv(u.Right, base.Width, 4), MulDiv(u.Bottom, base.Height, 8)};
}

intptr_t DialogBox(TWindow owner, const TDialogTemplate& t, TDialogProc proc, intptr_t param) {
  TWindow dialog = MakeDialog(owner, 0, t, proc, param, true, {});
  if (!dialog) return -1;
  bool ownerWasDisabled = owner && EnableWindow(owner, false);
  TDialogData* data = DataOf(dialog);
  if (data && !data->Ended) {
    ShowWindow(dialog, true);
    ActivateWindow(dialog);
    if (!GetFocus() || !IsWindow(GetFocus())) RestoreFocus(dialog);
  }
  TMsg msg;
  bool quit = false;
  while ((data = DataOf(dialog)) != nullptr && !data->Ended) {
    if (!GetMessage(msg)) {
      quit = true;
      break;
    }
    if (IsDialogMessage(dialog, msg) || IsAnyDialogMessage(msg)) continue;
    DispatchMessage(msg);
  }
  intptr_t result = data ? (data->Ended ? data->Result : IDCANCEL) : -1;
  // Over: the destruction below needs no wake-up of this loop.
  if (data) data->Ended = true;
  if (owner && IsWindow(owner) && !ownerWasDisabled) EnableWindow(owner, true);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (owner && IsWindow(owner)) {
    ActivateWindow(owner);
    SetFocus(owner);
  }
  if (quit) PostQuitMessage(static_cast<int32_t>(msg.WParam));
  return result;
}

TWindow CreateDialog(TWindow owner, const TDialogTemplate& t, TDialogProc proc, intptr_t param) {
  TWindow dialog = MakeDialog(owner, 0, t, proc, param, false, {});
  if (!dialog) return 0;
  Modeless().push_back(dialog);
  if (t.Style & WS_VISIBLE) {
    ShowWindow(dialog, true);
    ActivateWindow(dialog);
    if (!GetFocus()) RestoreFocus(dialog);
  }
  return dialog;
}

TWindow CreateChildDialog(TWindow parent, const TDialogTemplate& t, TDialogProc proc,
                          intptr_t param, TPoint origin) {
  if (!IsWindow(parent)) return 0;
  return MakeDialog(0, parent, t, proc, param, false, origin);
}

bool EndDialog(TWindow dialog, intptr_t result) {
  TDialogData* data = DataOf(dialog);
  if (!data) return false;
  if (!data->Modal) return DestroyWindow(dialog);
  data->Ended = true;
  data->Result = result;
  ShowWindow(dialog, false);
  // The modal loop may be waiting for input: let it look at the flag.
  PostMessage(dialog, WM_NULL, 0, 0);
  return true;
}

TWindow GetDialogOwner(TWindow dialog) {
  TDialogData* data = DataOf(dialog);
  return data ? data->Owner : 0;
}

void SetDialogResult(TWindow dialog, intptr_t result) {
  if (TDialogData* data = DataOf(dialog)) data->MsgResult = result;
}

bool IsAnyDialogMessage(const TMsg& msg) {
  std::vector<TWindow> dialogs = Modeless();
  for (TWindow dialog : dialogs) {
    if (IsWindow(dialog) && IsDialogMessage(dialog, msg)) return true;
  }
  return false;
}

}  // namespace platform
