// The private clipboard format of the hex editor, "ZKEDIT_HEXDATA": a 32-bit little-endian
// byte count, the bytes, and a terminating zero byte.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kHexClipFormatName = "ZKEDIT_HEXDATA";

std::string MakeHexClipData(std::string_view bytes);
// The bytes of a block; false for a block that is shorter than its count says.
bool ParseHexClipData(std::string_view block, std::string* bytes);
