// Spin fields (up-down controls): a value in a range, stepped by arrows or keys, shown in a
// buddy edit field as a number.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"
#include "platform/ui/Controls.h"

namespace platform {

inline constexpr std::string_view kSpinClass = "msctls_updown32";

constexpr uint32_t UDS_WRAP = 0x0001;
constexpr uint32_t UDS_SETBUDDYINT = 0x0002;
constexpr uint32_t UDS_ALIGNRIGHT = 0x0004;
constexpr uint32_t UDS_AUTOBUDDY = 0x0010;   // the control created just before is the buddy
constexpr uint32_t UDS_ARROWKEYS = 0x0020;
constexpr uint32_t UDS_NOTHOUSANDS = 0x0080;

constexpr uint32_t UDM_SETBUDDY = WM_USER + 105;
constexpr uint32_t UDM_GETBUDDY = WM_USER + 106;
constexpr uint32_t UDM_SETRANGE32 = WM_USER + 111;  // wParam min, lParam max
constexpr uint32_t UDM_GETRANGE32 = WM_USER + 112;  // wParam int32_t* min, lParam int32_t* max
constexpr uint32_t UDM_SETPOS32 = WM_USER + 113;    // returns the previous value
constexpr uint32_t UDM_GETPOS32 = WM_USER + 114;    // lParam bool* (may be null): buddy text was no number in range

// WM_NOTIFY before a step: TNmUpDown; a non-zero answer refuses it.
constexpr int32_t UDN_DELTAPOS = -722;

struct TNmUpDown {
  TNmHdr Header;
  int32_t Pos = 0;
  int32_t Delta = 0;
};

}  // namespace platform
