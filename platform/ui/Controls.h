// Dialog controls of the window layer: static text, group box, push button and progress bar
// as classes of their own (registered with the layer, like the system's classes), and access
// to the items of a dialog by id.
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

// Button styles.
constexpr uint32_t BS_PUSHBUTTON = 0x00;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x01;
constexpr uint32_t BS_GROUPBOX = 0x07;
constexpr uint32_t BS_TYPEMASK = 0x0F;

// Button messages and the notification code of a click (high word of WM_COMMAND's wParam).
constexpr uint32_t BM_GETSTATE = 0x00F2;
constexpr uint32_t BM_CLICK = 0x00F5;
constexpr intptr_t BST_PUSHED = 0x0004;
constexpr uint32_t BN_CLICKED = 0;

// Progress-bar messages.
constexpr uint32_t PBM_SETRANGE = WM_USER + 1;    // lParam: low word min, high word max
constexpr uint32_t PBM_SETPOS = WM_USER + 2;      // returns the previous position
constexpr uint32_t PBM_DELTAPOS = WM_USER + 3;    // returns the previous position
constexpr uint32_t PBM_SETRANGE32 = WM_USER + 6;  // wParam min, lParam max
constexpr uint32_t PBM_GETRANGE = WM_USER + 7;    // wParam true: the minimum, else the maximum
constexpr uint32_t PBM_GETPOS = WM_USER + 8;

constexpr uintptr_t MakeWParam(uint32_t low, uint32_t high) {
  return (low & 0xFFFF) | (static_cast<uintptr_t>(high & 0xFFFF) << 16);
}
constexpr uint32_t LoWord(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
constexpr uint32_t HiWord(uintptr_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFF); }

// What a control window is, for back ends that show controls natively.
enum class TControlKind : uint8_t { None, Static, GroupBox, PushButton, Progress };
TControlKind ControlKindOf(TWindow window);

struct TProgressState {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Pos = 0;  // invariant: Min <= Pos <= Max
  friend bool operator==(const TProgressState&, const TProgressState&) = default;
};
// The range and position of a progress bar; defaults for other windows.
TProgressState GetProgressState(TWindow window);

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

}  // namespace platform
