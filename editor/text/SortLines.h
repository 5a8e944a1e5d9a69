// Ordering of lines for the sort command: a stable O(n log n) sort on a whole-line key or a
// key between two columns, ascending or descending.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct TSortKey {
  bool Descending = false;
  bool CaseSensitive = false;
  // Character indexes of the key; KeyFrom < 0 means the whole text.
  int32_t KeyFrom = -1;
  int32_t KeyTo = -1;
};

// The key part of a text: from KeyFrom up to (not including) KeyTo.
std::string_view SortKeyOf(std::string_view text, const TSortKey& key);
// Negative, 0 or positive; empty texts and texts that do not reach the key sort first.
int32_t CompareSortKeys(std::string_view a, std::string_view b, const TSortKey& key);
// The order of the texts: result[i] is the index of the text that goes to place i. Texts
// with equal keys keep their order, in both directions.
std::vector<int32_t> SortOrder(const std::vector<std::string_view>& texts, const TSortKey& key);
