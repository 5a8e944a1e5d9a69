// Case mapping of the Windows code page (1252), as the profile calls and key look-ups need it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Upper and lower case of one Windows-1252 byte; bytes without a case map to themselves.
uint8_t UpperWin(uint8_t c);
uint8_t LowerWin(uint8_t c);

// Equality without regard to case in the Windows code page.
bool EqualNoCaseWin(std::string_view a, std::string_view b);

// Equality without regard to the case of the letters A to Z only.
bool EqualNoCaseAscii(std::string_view a, std::string_view b);

// True when `text` starts with `prefix`, without regard to case.
bool StartsWithNoCaseWin(std::string_view text, std::string_view prefix);

// The text in upper case; a key for maps that ignore case.
std::string UpperCaseWin(std::string_view text);

}  // namespace platform
