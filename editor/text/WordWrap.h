// Where a line that is too long breaks: after the last blank or hyphen before the limit,
// else hard at the limit.
#pragma once

#include <cstdint>
#include <string_view>

// `limit` is a character index. -1 when the line is empty or not longer than the limit.
// A hyphen exactly at the limit does not count; a blank or hyphen at index 0 never does.
int32_t FindBreakPosition(std::string_view text, int32_t limit);

// The leading spaces and TABs of a line, at most up to `column`.
std::string_view LeadingBlanks(std::string_view text, int32_t column);
