// The line of one slot in the extended clipboard's list: number, colon, the start of the
// content with tabs and line ends made visible.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t kSlotLineBytes = 50;

// The line in the Windows code page: "n:  " and the first 50 bytes of `content`, a tab shown
// as 0xBB, a CR and a lone LF as 0xB6, the LF of a CR LF pair left out; "   <nicht belegt>"
// after the colon and blanks when the slot is empty.
std::string SlotLine(int32_t slot, std::string_view content);
// The same line as UTF-8 for a list box; `oem`: the content is in the DOS code page.
std::string SlotListText(int32_t slot, std::string_view content, bool oem);
