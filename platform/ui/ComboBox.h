// Combo boxes: a drop-down list with an edit field (history lists) or without one.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kComboBoxClass = "ComboBox";

constexpr uint32_t CBS_SIMPLE = 0x0001;
constexpr uint32_t CBS_DROPDOWN = 0x0002;
constexpr uint32_t CBS_DROPDOWNLIST = 0x0003;
constexpr uint32_t CBS_TYPEMASK = 0x0003;
constexpr uint32_t CBS_OWNERDRAWFIXED = 0x0010;
constexpr uint32_t CBS_AUTOHSCROLL = 0x0040;
constexpr uint32_t CBS_SORT = 0x0100;
constexpr uint32_t CBS_HASSTRINGS = 0x0200;

// Strings in are const char* (UTF-8, NUL-terminated) in lParam; CB_GETLBTEXT writes into the
// std::string* of lParam. Errors answer CB_ERR.
constexpr uint32_t CB_GETEDITSEL = 0x0140;
constexpr uint32_t CB_LIMITTEXT = 0x0141;
constexpr uint32_t CB_SETEDITSEL = 0x0142;  // lParam: low word start, high word end
constexpr uint32_t CB_ADDSTRING = 0x0143;
constexpr uint32_t CB_DELETESTRING = 0x0144;
constexpr uint32_t CB_GETCOUNT = 0x0146;
constexpr uint32_t CB_GETCURSEL = 0x0147;
constexpr uint32_t CB_GETLBTEXT = 0x0148;
constexpr uint32_t CB_GETLBTEXTLEN = 0x0149;
constexpr uint32_t CB_INSERTSTRING = 0x014A;  // wParam -1: at the end
constexpr uint32_t CB_RESETCONTENT = 0x014B;
constexpr uint32_t CB_FINDSTRING = 0x014C;
constexpr uint32_t CB_SELECTSTRING = 0x014D;
constexpr uint32_t CB_SETCURSEL = 0x014E;  // -1: none; the edit text becomes the item's
constexpr uint32_t CB_SHOWDROPDOWN = 0x014F;
constexpr uint32_t CB_GETITEMDATA = 0x0150;
constexpr uint32_t CB_SETITEMDATA = 0x0151;
constexpr uint32_t CB_GETITEMHEIGHT = 0x0154;  // owner-drawn: the measured height, else 0
constexpr uint32_t CB_GETDROPPEDSTATE = 0x0157;
constexpr uint32_t CB_FINDSTRINGEXACT = 0x0158;
constexpr intptr_t CB_ERR = -1;

constexpr uint32_t CBN_SELCHANGE = 1;
constexpr uint32_t CBN_DBLCLK = 2;
constexpr uint32_t CBN_SETFOCUS = 3;
constexpr uint32_t CBN_KILLFOCUS = 4;
constexpr uint32_t CBN_EDITCHANGE = 5;
constexpr uint32_t CBN_DROPDOWN = 7;
constexpr uint32_t CBN_CLOSEUP = 8;
constexpr uint32_t CBN_SELENDOK = 9;

}  // namespace platform
