// Dialog controls of the window layer as classes of their own (registered with the layer, like
// the system's classes): their kinds, the styles and messages shared by several of them, the
// native-input entry points of back ends, and access to the items of a dialog by id. Each
// further control kind has its own header, included at the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kStaticClass = "Static";
inline constexpr std::string_view kButtonClass = "Button";
inline constexpr std::string_view kProgressClass = "msctls_progress32";

// Static styles: text is wrapped at blanks unless SS_LEFTNOWORDWRAP.
constexpr uint32_t SS_LEFT = 0x00;
constexpr uint32_t SS_CENTER = 0x01;
constexpr uint32_t SS_RIGHT = 0x02;
constexpr uint32_t SS_LEFTNOWORDWRAP = 0x0C;
constexpr uint32_t SS_TYPEMASK = 0x1F;

constexpr uint32_t SS_NOPREFIX = 0x80;  // '&' is shown, not a mnemonic

// Button styles.
constexpr uint32_t BS_PUSHBUTTON = 0x00;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x01;
constexpr uint32_t BS_CHECKBOX = 0x02;
constexpr uint32_t BS_AUTOCHECKBOX = 0x03;
constexpr uint32_t BS_RADIOBUTTON = 0x04;
constexpr uint32_t BS_3STATE = 0x05;
constexpr uint32_t BS_AUTO3STATE = 0x06;
constexpr uint32_t BS_GROUPBOX = 0x07;
constexpr uint32_t BS_AUTORADIOBUTTON = 0x09;
constexpr uint32_t BS_TYPEMASK = 0x0F;

// Button messages and the notification code of a click (high word of WM_COMMAND's wParam).
constexpr uint32_t BM_GETCHECK = 0x00F0;
constexpr uint32_t BM_SETCHECK = 0x00F1;
constexpr uint32_t BM_GETSTATE = 0x00F2;
constexpr uint32_t BM_SETSTYLE = 0x00F4;
constexpr uint32_t BM_CLICK = 0x00F5;
constexpr intptr_t BST_UNCHECKED = 0;
constexpr intptr_t BST_CHECKED = 1;
constexpr intptr_t BST_INDETERMINATE = 2;
constexpr intptr_t BST_PUSHED = 0x0004;
constexpr intptr_t BST_FOCUS = 0x0008;
constexpr uint32_t BN_CLICKED = 0;

// What a control answers to WM_GETDLGCODE: the keys it handles itself inside a dialog.
constexpr intptr_t DLGC_WANTARROWS = 0x0001;
constexpr intptr_t DLGC_WANTTAB = 0x0002;
constexpr intptr_t DLGC_WANTALLKEYS = 0x0004;
constexpr intptr_t DLGC_HASSETSEL = 0x0008;
constexpr intptr_t DLGC_DEFPUSHBUTTON = 0x0010;
constexpr intptr_t DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr intptr_t DLGC_RADIOBUTTON = 0x0040;
constexpr intptr_t DLGC_WANTCHARS = 0x0080;
constexpr intptr_t DLGC_STATIC = 0x0100;
constexpr intptr_t DLGC_BUTTON = 0x2000;

// The header of WM_NOTIFY (lParam); the codes are negative like the system's.
struct TNmHdr {
  TWindow From = 0;
  uintptr_t IdFrom = 0;
  int32_t Code = 0;
};
constexpr int32_t NM_CLICK = -2;
constexpr int32_t NM_DBLCLK = -3;

// Owner-drawn items: sizes asked once per item (WM_MEASUREITEM), lines painted by the parent
// (WM_DRAWITEM) on the control's canvas.
constexpr uint32_t ODT_LISTBOX = 2;
constexpr uint32_t ODT_COMBOBOX = 3;
constexpr uint32_t ODA_DRAWENTIRE = 0x0001;
constexpr uint32_t ODS_SELECTED = 0x0001;
constexpr uint32_t ODS_DISABLED = 0x0004;
constexpr uint32_t ODS_FOCUS = 0x0010;
constexpr uint32_t ODS_COMBOBOXEDIT = 0x1000;  // the field of a combo box, not a list line
struct TMeasureItemStruct {
  uint32_t CtlType = 0;
  uint32_t CtlID = 0;
  int32_t ItemID = -1;
  int32_t ItemWidth = 0;
  int32_t ItemHeight = 0;  // the control's default; the parent may change it
  intptr_t ItemData = 0;
};
class TCanvas;
struct TDrawItemStruct {
  uint32_t CtlType = 0;
  uint32_t CtlID = 0;
  int32_t ItemID = -1;  // -1: an empty control with the focus
  uint32_t ItemAction = ODA_DRAWENTIRE;
  uint32_t ItemState = 0;
  TWindow Item = 0;
  TCanvas* Canvas = nullptr;
  TRect ItemRect;
  intptr_t ItemData = 0;
};

// Progress-bar messages.
constexpr uint32_t PBM_SETRANGE = WM_USER + 1;    // lParam: low word min, high word max
constexpr uint32_t PBM_SETPOS = WM_USER + 2;      // returns the previous position
constexpr uint32_t PBM_DELTAPOS = WM_USER + 3;    // returns the previous position
constexpr uint32_t PBM_SETRANGE32 = WM_USER + 6;  // wParam min, lParam max
constexpr uint32_t PBM_GETRANGE = WM_USER + 7;    // wParam true: the minimum, else the maximum
constexpr uint32_t PBM_GETPOS = WM_USER + 8;
// Style of a gauge: the bar shows its percentage ("%d%%") in the middle.
constexpr uint32_t PBS_SHOWPERCENT = 0x0100;


constexpr uintptr_t MakeWParam(uint32_t low, uint32_t high) {
  return (low & 0xFFFF) | (static_cast<uintptr_t>(high & 0xFFFF) << 16);
}
constexpr uint32_t LoWord(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
constexpr uint32_t HiWord(uintptr_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFF); }

// What a control window is, for back ends that show controls natively.
enum class TControlKind : uint8_t { None, Static, GroupBox, PushButton, Progress, CheckBox,
                                   RadioButton, Edit, ListBox, ComboBox, ListView, Spin,
                                   TabControl };
TControlKind ControlKindOf(TWindow window);

// A window and its ancestors are enabled (no WS_DISABLED). Disabled windows get no mouse
// input and no focus from the dialog keys; EnableWindow returns whether it was disabled.
bool EnableWindow(TWindow window, bool enable);
bool IsWindowEnabled(TWindow window);

// Native input of a back end's widget, applied as the layer's own controls apply a user's
// action (with the notifications to the parent). The headless scripts use them too.
// The user edited the text (edit field, combo box with an edit part): lParam std::string*.
constexpr uint32_t kCtlUserText = 0x0391;
// The user chose item wParam (list box, combo box, tab, list view); -1 for none.
constexpr uint32_t kCtlUserSelect = 0x0392;
// The user set the selection of item wParam in a multiple-selection list to lParam (0/1).
constexpr uint32_t kCtlUserSelectOne = 0x0393;
// A double click or Enter on item wParam.
constexpr uint32_t kCtlUserActivate = 0x0394;
// The user set a spin field's value to wParam (signed).
constexpr uint32_t kCtlUserValue = 0x0395;
// A drop-down list opened (wParam 1) or closed (0).
constexpr uint32_t kCtlUserDropDown = 0x0396;
// The user moved the caret or selection of a field: wParam anchor, lParam caret.
constexpr uint32_t kCtlUserTextSel = 0x0397;
// For back ends drawing a list box's lines: its tab stops in pixels (wParam room, lParam
// int32_t*); returns how many there are.
constexpr uint32_t kCtlGetTabStops = 0x0398;

// WM_COMMAND to the parent of a control: its id and a notification code.
void NotifyParent(TWindow control, uint32_t code);
// WM_NOTIFY to the parent of a control; returns the parent's answer.
intptr_t NotifyParentEx(TWindow control, int32_t code, TNmHdr* header = nullptr);

struct TProgressState {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Pos = 0;  // invariant: Min <= Pos <= Max
  friend bool operator==(const TProgressState&, const TProgressState&) = default;
};
// The range and position of a progress bar; defaults for other windows.
TProgressState GetProgressState(TWindow window);
// The whole percentage a progress state stands for (0 for an empty range).
int32_t ProgressPercent(const TProgressState& state);

// A child control with an id; visible when the style has WS_VISIBLE. 0 on failure.
TWindow CreateControl(std::string_view className, std::string_view text, uint32_t style,
                      const TRect& rect, TWindow parent, int32_t id);

// The id of a child window (0 for none); SetDlgCtrlID returns the previous one.
int32_t GetDlgCtrlID(TWindow window);
int32_t SetDlgCtrlID(TWindow window, int32_t id);
// The first child of `dialog` with the id; 0 when there is none.
TWindow GetDlgItem(TWindow dialog, int32_t id);
// False when the dialog has no such item.
bool SetDlgItemText(TWindow dialog, int32_t id, std::string_view text);
std::string GetDlgItemText(TWindow dialog, int32_t id);
// 0 when the dialog has no such item.
intptr_t SendDlgItemMessage(TWindow dialog, int32_t id, uint32_t message, uintptr_t wParam,
                            intptr_t lParam);

// Check boxes and radio buttons by id.
bool CheckDlgButton(TWindow dialog, int32_t id, intptr_t check);
intptr_t IsDlgButtonChecked(TWindow dialog, int32_t id);
// Checks `check` and unchecks the other ids of first..last.
bool CheckRadioButton(TWindow dialog, int32_t first, int32_t last, int32_t check);
// Numbers in item texts; `ok` (may be null) tells whether the text was a number in range.
bool SetDlgItemInt(TWindow dialog, int32_t id, int32_t value);
int32_t GetDlgItemInt(TWindow dialog, int32_t id, bool* ok);

}  // namespace platform

#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Spin.h"
#include "platform/ui/TabControl.h"
