// The shape shared by the programs' string tables: entries sorted by id, found by binary search.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

struct TStringEntry {
  uint32_t Id;
  std::string_view Text;
};

template <class TTable>
constexpr bool StringTableSorted(const TTable& table) {
  for (size_t i = 1; i < table.size(); ++i)
    if (table[i - 1].Id >= table[i].Id) return false;
  return true;
}

// The text of `id`, or an empty text when the table has none.
template <class TTable>
std::string_view FindStringEntry(const TTable& table, uint32_t id) {
  auto at = std::lower_bound(table.begin(), table.end(), id,
                             [](const TStringEntry& e, uint32_t key) { return e.Id < key; });
  return at != table.end() && at->Id == id ? at->Text : std::string_view();
}
