// Colours written as hexadecimal text in the settings files.
#pragma once

#include <string>
#include <string_view>

#include "platform/gfx/LogFont.h"

namespace platform {

// A colour value of 1 to `maxDigits` hexadecimal digits (blanks around allowed), read as
// the number 0x00BBGGRR; false for anything else.
bool ParseHexColor(std::string_view text, size_t maxDigits, TColorRef* color);

// The colour value as `digits` upper-case hexadecimal digits (6: blue, green, red).
std::string FormatHexColor(TColorRef color, int digits);

}  // namespace platform
