// Control ids, dialog-item access and the kinds of the control classes.
#include "platform/ui/Controls.h"

#include <utility>

#include "platform/charset/Charset.h"
#include "platform/ui/MessageLoop.h"
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
    return (w->Style & BS_TYPEMASK) == BS_GROUPBOX ? TControlKind::GroupBox
                                                   : TControlKind::PushButton;
  }
  return TControlKind::None;
}

TProgressState GetProgressState(TWindow window) {
  if (ControlKindOf(window) != TControlKind::Progress) return {};
  return TProgressState{static_cast<int32_t>(GetWindowExtra(window, 0)),
                        static_cast<int32_t>(GetWindowExtra(window, 1)),
                        static_cast<int32_t>(GetWindowExtra(window, 2))};
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

}  // namespace platform
