// Plain types and the Windows numbers of the window layer: handles, geometry, messages,
// styles, key codes, scroll-bar and message-box codes.
#pragma once

#include <cstdint>

#include "platform/core/HandleTable.h"
#include "platform/core/Messages.h"

namespace platform {

// A window handle from the process-wide handle table; 0 is no window.
using TWindow = THandle;
// A font handle from the handle table.
using TFont = THandle;
// A brush: 1..31 name a system colour (index + 1, as class backgrounds do), above that a
// handle of kind Brush.
using TBrush = uint32_t;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom are exclusive.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

TRect UnionRect(const TRect& a, const TRect& b);
TRect IntersectRect(const TRect& a, const TRect& b);
TRect OffsetRect(const TRect& r, int32_t dx, int32_t dy);

// (a * b) / c rounded to the nearest integer; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

using TWindowProc = intptr_t (*)(TWindow window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam);

struct TMsg {
  TWindow Window = 0;
  uint32_t Message = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
};

// What WM_CREATE receives in its lParam.
struct TCreateStruct {
  const void* CreateParams = nullptr;
  TWindow Parent = 0;
  TRect Rect;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  const char* Caption = "";
  const char* ClassName = "";
};

// Messages (Windows numbers).
constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUERYENDSESSION = 0x0011;
constexpr uint32_t WM_QUIT = 0x0012;
// wParam nonzero: the session ends after all agreed to WM_QUERYENDSESSION.
constexpr uint32_t WM_ENDSESSION = 0x0016;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
constexpr uint32_t WM_NCDESTROY = 0x0082;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCHAR = 0x0106;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;
constexpr uint32_t WM_MENUSELECT = 0x011F;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr uint32_t WM_MDIACTIVATE = 0x0222;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_INITMENU = 0x0116;
constexpr uint32_t WM_INITMENUPOPUP = 0x0117;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_CONTEXTMENU = 0x007B;
constexpr uint32_t WM_MDICREATE = 0x0220;
constexpr uint32_t WM_MDIDESTROY = 0x0221;
constexpr uint32_t WM_MDIRESTORE = 0x0223;
constexpr uint32_t WM_MDINEXT = 0x0224;
constexpr uint32_t WM_MDIMAXIMIZE = 0x0225;
constexpr uint32_t WM_MDITILE = 0x0226;
constexpr uint32_t WM_MDICASCADE = 0x0227;
constexpr uint32_t WM_MDIICONARRANGE = 0x0228;
constexpr uint32_t WM_MDIGETACTIVE = 0x0229;
constexpr uint32_t WM_MDISETMENU = 0x0230;
constexpr uint32_t WM_MDIREFRESHMENU = 0x0234;
constexpr uint32_t WM_NOTIFY = 0x004E;

// WM_SIZE wParam.
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// Mouse key flags in wParam of mouse messages.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;

constexpr intptr_t MakeLParam(int32_t low, int32_t high) {
  return static_cast<intptr_t>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
// Signed coordinates of a mouse lParam.
constexpr int32_t LParamX(intptr_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
constexpr int32_t LParamY(intptr_t lParam) {
  return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}
// Key-data bit of WM_CHAR and WM_SYSCHAR: Alt was held.
constexpr intptr_t kKeyDataAltDown = intptr_t{1} << 29;

// Window styles.
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_HSCROLL = 0x00100000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_MINIMIZE = 0x20000000;
constexpr uint32_t WS_MAXIMIZE = 0x01000000;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;

// Class styles.
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t CS_DBLCLKS = 0x0008;

// Scroll bars and their notification codes.
constexpr int32_t SB_HORZ = 0;
constexpr int32_t SB_VERT = 1;
constexpr uint32_t SB_LINEUP = 0;
constexpr uint32_t SB_LINELEFT = 0;
constexpr uint32_t SB_LINEDOWN = 1;
constexpr uint32_t SB_LINERIGHT = 1;
constexpr uint32_t SB_PAGEUP = 2;
constexpr uint32_t SB_PAGELEFT = 2;
constexpr uint32_t SB_PAGEDOWN = 3;
constexpr uint32_t SB_PAGERIGHT = 3;
constexpr uint32_t SB_THUMBPOSITION = 4;
constexpr uint32_t SB_THUMBTRACK = 5;
constexpr uint32_t SB_TOP = 6;
constexpr uint32_t SB_BOTTOM = 7;
constexpr uint32_t SB_ENDSCROLL = 8;
// wParam of a scroll message: code in the low word, position in the high word.
constexpr uintptr_t MakeScrollWParam(uint32_t code, int32_t pos) {
  return (code & 0xFFFF) | (static_cast<uintptr_t>(static_cast<uint16_t>(pos)) << 16);
}
// Largest value a scroll bar holds.
constexpr int32_t kScrollBarLimit = 32767;

// Virtual keys.
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F3 = 0x72;
constexpr uint32_t VK_F4 = 0x73;
constexpr uint32_t VK_F6 = 0x75;
constexpr uint32_t VK_F10 = 0x79;
constexpr uint32_t VK_F12 = 0x7B;
// The key left of 1 on a German keyboard (circumflex).
constexpr uint32_t VK_OEM_5 = 0xDC;
constexpr uint32_t VK_LBUTTON = 0x01;
constexpr uint32_t VK_RBUTTON = 0x02;

// System colours and their brushes (index + 1).
constexpr int32_t COLOR_WINDOW = 5;
constexpr int32_t COLOR_WINDOWTEXT = 8;
constexpr int32_t COLOR_HIGHLIGHT = 13;
constexpr int32_t COLOR_HIGHLIGHTTEXT = 14;
constexpr int32_t COLOR_BTNFACE = 15;
constexpr TBrush kWindowColorBrush = COLOR_WINDOW + 1;

// Cursors of a window class.
// Split: a splitter bar's resize cursor, across the bar's longer side.
enum class TCursorKind : uint8_t { Arrow, IBeam, Wait, Cross, Split };

// Message boxes.
constexpr uint32_t MB_OK = 0x00;
constexpr uint32_t MB_OKCANCEL = 0x01;
constexpr uint32_t MB_YESNOCANCEL = 0x03;
constexpr uint32_t MB_YESNO = 0x04;
constexpr uint32_t MB_ICONSTOP = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr uint32_t MB_BUTTONMASK = 0x0F;
constexpr uint32_t MB_ICONMASK = 0xF0;
constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;

// Background modes of a canvas.
constexpr int32_t TRANSPARENT = 1;
constexpr int32_t OPAQUE = 2;

// Single-line text alignment in a rectangle.
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_NOCLIP = 0x0100;

// Dialogs and their controls.
constexpr uint32_t WM_ENABLE = 0x000A;
constexpr uint32_t WM_NEXTDLGCTL = 0x0028;
constexpr uint32_t WM_DRAWITEM = 0x002B;
constexpr uint32_t WM_MEASUREITEM = 0x002C;
constexpr uint32_t WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t WS_GROUP = 0x00020000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr int32_t IDHELP = 9;

}  // namespace platform
