// List boxes: single, multiple and extended selection, tab stops, owner-drawn lines.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kListBoxClass = "ListBox";

constexpr uint32_t LBS_NOTIFY = 0x0001;
constexpr uint32_t LBS_SORT = 0x0002;
constexpr uint32_t LBS_MULTIPLESEL = 0x0008;
constexpr uint32_t LBS_OWNERDRAWFIXED = 0x0010;
constexpr uint32_t LBS_HASSTRINGS = 0x0040;
constexpr uint32_t LBS_USETABSTOPS = 0x0080;
constexpr uint32_t LBS_EXTENDEDSEL = 0x0800;
constexpr uint32_t LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

// Strings in are const char* (UTF-8, NUL-terminated) in lParam; LB_GETTEXT writes into the
// std::string* of lParam. Errors answer LB_ERR.
constexpr uint32_t LB_ADDSTRING = 0x0180;
constexpr uint32_t LB_INSERTSTRING = 0x0181;  // wParam -1: at the end
constexpr uint32_t LB_DELETESTRING = 0x0182;
constexpr uint32_t LB_RESETCONTENT = 0x0184;
constexpr uint32_t LB_SETSEL = 0x0185;  // multiple selection: wParam on/off, lParam item (-1 all)
constexpr uint32_t LB_SETCURSEL = 0x0186;
constexpr uint32_t LB_GETSEL = 0x0187;
constexpr uint32_t LB_GETCURSEL = 0x0188;
constexpr uint32_t LB_GETTEXT = 0x0189;
constexpr uint32_t LB_GETTEXTLEN = 0x018A;
constexpr uint32_t LB_GETCOUNT = 0x018B;
constexpr uint32_t LB_GETTOPINDEX = 0x018E;
constexpr uint32_t LB_FINDSTRING = 0x018F;  // prefix, without regard to case
constexpr uint32_t LB_GETSELCOUNT = 0x0190;
constexpr uint32_t LB_GETSELITEMS = 0x0191;  // wParam room, lParam int32_t*
constexpr uint32_t LB_SETTABSTOPS = 0x0192;  // wParam count, lParam const int32_t* (dialog units)
constexpr uint32_t LB_SETTOPINDEX = 0x0197;
constexpr uint32_t LB_GETITEMDATA = 0x0199;
constexpr uint32_t LB_SETITEMDATA = 0x019A;
constexpr uint32_t LB_SETCARETINDEX = 0x019E;
constexpr uint32_t LB_GETCARETINDEX = 0x019F;
constexpr uint32_t LB_SETITEMHEIGHT = 0x01A0;
constexpr uint32_t LB_GETITEMHEIGHT = 0x01A1;
constexpr uint32_t LB_FINDSTRINGEXACT = 0x01A2;  // whole text, without regard to case
constexpr intptr_t LB_ERR = -1;

constexpr uint32_t LBN_SELCHANGE = 1;
constexpr uint32_t LBN_DBLCLK = 2;
constexpr uint32_t LBN_SETFOCUS = 4;
constexpr uint32_t LBN_KILLFOCUS = 5;

}  // namespace platform
