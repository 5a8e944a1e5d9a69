// Dialogs from templates kept as data: modal (DialogBox, with its own message loop and an end
// code) and modeless (CreateDialog), the dialog procedure with WM_INITDIALOG and WM_COMMAND,
// and the dialog keys (IsDialogMessage): Tab and Shift+Tab over WS_TABSTOP controls, arrows
// inside a group, Enter for the default button, Escape for IDCANCEL, Alt+mnemonic.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kDialogClass = "#32770";

// Dialog styles.
constexpr uint32_t DS_MODALFRAME = 0x0080;
// A dialog inside another one (a property-sheet page): its controls join the parent's keys.
constexpr uint32_t DS_CONTROL = 0x0400;

// One control of a template; Rect in dialog units.
struct TDialogItem {
  std::string_view Class;
  std::string_view Text;  // UTF-8
  uint32_t Style = 0;     // with WS_VISIBLE for a control that shows from the start
  TRect Rect;
  int32_t Id = -1;
};

struct TDialogTemplate {
  std::string_view Caption;
  TSize Size;  // client size in dialog units
  std::span<const TDialogItem> Items;
  uint32_t Style = 0;
};

// Answers nonzero for a message it handled. WM_INITDIALOG: nonzero puts the focus on the
// control of wParam; lParam is the parameter of the creating call.
using TDialogProc = intptr_t (*)(TWindow dialog, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam);

// Pixels of four horizontal and eight vertical dialog units (the average character width and
// the height of the dialog font).
TSize GetDialogBaseUnits();
TRect MapDialogRect(const TRect& units);

// Modal: the owner is disabled while the dialog runs. Returns EndDialog's code, -1 when the
// dialog could not be made. A WM_QUIT ends the dialog and is posted again for the outer loop.
intptr_t DialogBox(TWindow owner, const TDialogTemplate& dialog, TDialogProc proc,
                   intptr_t param);
// Modeless: shown when the template style has WS_VISIBLE; 0 on failure. Its keys work when
// the application's loop routes messages through IsDialogMessage or IsAnyDialogMessage.
TWindow CreateDialog(TWindow owner, const TDialogTemplate& dialog, TDialogProc proc,
                     intptr_t param);
// A DS_CONTROL dialog inside `parent` at `origin` (pixels), not shown.
TWindow CreateChildDialog(TWindow parent, const TDialogTemplate& dialog, TDialogProc proc,
                          intptr_t param, TPoint origin);
// Ends a modal dialog after the current message (hidden at once); destroys a modeless one.
bool EndDialog(TWindow dialog, intptr_t result);
TWindow GetDialogOwner(TWindow dialog);

// Handles the dialog keys of a message for `dialog` and dispatches the rest of its messages;
// false when the message is not for the dialog or one of its controls.
bool IsDialogMessage(TWindow dialog, const TMsg& msg);
// The same for whichever modeless dialog the message belongs to.
bool IsAnyDialogMessage(const TMsg& msg);

// The next (or previous) enabled, visible WS_TABSTOP control after `control`, wrapping; the
// controls of DS_CONTROL child dialogs count as the dialog's own.
TWindow GetNextDlgTabItem(TWindow dialog, TWindow control, bool previous);
// The next (or previous) enabled, visible control of the group of `control`, wrapping.
TWindow GetNextDlgGroupItem(TWindow dialog, TWindow control, bool previous);
// Focus on a control as the dialog keys put it there (edit fields get their text selected).
void GotoDlgCtrl(TWindow control);
// The answer of the message being handled (WM_NOTIFY), for procedures that return nonzero.
void SetDialogResult(TWindow dialog, intptr_t result);

// Default button.
constexpr uint32_t DM_GETDEFID = WM_USER + 0;
constexpr uint32_t DM_SETDEFID = WM_USER + 1;
constexpr uint32_t DC_HASDEFID = 0x534B;

}  // namespace platform
