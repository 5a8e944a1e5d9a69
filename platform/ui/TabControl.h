// Tab controls: a row of tabs, or several rows when they do not fit (TCS_MULTILINE).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kTabControlClass = "SysTabControl32";

constexpr uint32_t TCS_MULTILINE = 0x0200;

// Texts in are const char* (UTF-8) in lParam; TCM_GETITEM writes into the std::string* of
// lParam.
constexpr uint32_t TCM_GETITEMCOUNT = 0x1304;
constexpr uint32_t TCM_GETITEM = 0x133C;
constexpr uint32_t TCM_SETITEM = 0x133D;
constexpr uint32_t TCM_INSERTITEM = 0x133E;  // wParam index; returns the index or -1
constexpr uint32_t TCM_DELETEITEM = 0x1308;
constexpr uint32_t TCM_DELETEALLITEMS = 0x1309;
constexpr uint32_t TCM_GETITEMRECT = 0x130A;  // wParam index, lParam TRect*
constexpr uint32_t TCM_GETCURSEL = 0x130B;
constexpr uint32_t TCM_SETCURSEL = 0x130C;    // no notification; returns the previous tab
constexpr uint32_t TCM_ADJUSTRECT = 0x1328;   // wParam 0: window rect to display area (TRect*)
constexpr uint32_t TCM_GETROWCOUNT = 0x132C;

// WM_NOTIFY: TCN_SELCHANGING before the change (a non-zero answer keeps the tab),
// TCN_SELCHANGE after it.
constexpr int32_t TCN_SELCHANGE = -551;
constexpr int32_t TCN_SELCHANGING = -552;

}  // namespace platform
