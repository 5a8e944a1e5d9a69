// Edit fields, single- and multi-line: their styles, messages and notifications. The text is
// the window text (UTF-8); positions and the limit count characters.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kEditClass = "Edit";

constexpr uint32_t ES_LEFT = 0x0000;
constexpr uint32_t ES_MULTILINE = 0x0004;
constexpr uint32_t ES_UPPERCASE = 0x0008;
constexpr uint32_t ES_PASSWORD = 0x0020;
constexpr uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr uint32_t ES_READONLY = 0x0800;
constexpr uint32_t ES_WANTRETURN = 0x1000;
constexpr uint32_t ES_NUMBER = 0x2000;

// EM_GETSEL: low word start, high word end. EM_SETSEL: wParam start, lParam end; start -1
// removes the selection, end -1 is the end of the text.
constexpr uint32_t EM_GETSEL = 0x00B0;
constexpr uint32_t EM_SETSEL = 0x00B1;
constexpr uint32_t EM_GETMODIFY = 0x00B8;
constexpr uint32_t EM_SETMODIFY = 0x00B9;
constexpr uint32_t EM_GETLINECOUNT = 0x00BA;
constexpr uint32_t EM_REPLACESEL = 0x00C2;  // lParam: const char* (UTF-8, NUL-terminated)
constexpr uint32_t EM_LIMITTEXT = 0x00C5;   // wParam 0: the largest limit
constexpr uint32_t EM_SETREADONLY = 0x00CF;
constexpr uint32_t EM_GETLIMITTEXT = 0x00D5;

// The clipboard commands of a field (also Ctrl+X, Ctrl+C, Ctrl+V, Shift+Delete, Ctrl+Insert,
// Shift+Insert); text goes through the Windows code page.
constexpr uint32_t WM_CUT = 0x0300;
constexpr uint32_t WM_COPY = 0x0301;
constexpr uint32_t WM_PASTE = 0x0302;

constexpr uint32_t EN_SETFOCUS = 0x0100;
constexpr uint32_t EN_KILLFOCUS = 0x0200;
constexpr uint32_t EN_CHANGE = 0x0300;
constexpr uint32_t EN_MAXTEXT = 0x0501;

// The limit of a new field, and the largest one.
constexpr int32_t kEditDefaultLimit = 30000;
constexpr int32_t kEditMaxLimit = 0x7FFFFFFE;

}  // namespace platform
