// The tool-bar layout string: two hex digits per button code, FF for a separator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::string_view kDefaultToolBarLayout =
    "FF0001020419FF070809FF0506FF0BFF0C0D0E0FFF1617FF1312";
constexpr uint8_t kToolBarSeparator = 0xFF;

// Button codes in order. A layout shorter than 2 characters gives the default; a pair
// that is not two hex digits counts as a separator, and an odd last digit is ignored.
std::vector<uint8_t> ParseToolBarLayout(std::string_view text);
// Upper-case hex digits, FF for a separator.
std::string FormatToolBarLayout(const std::vector<uint8_t>& buttons);
