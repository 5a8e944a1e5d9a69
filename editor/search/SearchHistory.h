// The search-text and replacement histories of the find dialogs: newest first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kSearchHistoryMax = 100;

// Puts `text` at the top; an identical entry (exact comparison) moves there instead of
// appearing twice, and the entry beyond the limit is dropped.
void AddToSearchHistory(std::vector<std::string>& history, std::string_view text);
