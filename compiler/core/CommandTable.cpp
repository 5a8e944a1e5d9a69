// Parses the command table text once into buckets by first character, searched without
// allocating (the lookup runs for every instruction of every macro).
#include "compiler/core/CommandTable.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

using TEntry = std::pair<std::string_view, TMacroCode>;

using TBuckets = std::array<std::vector<TEntry>, 256>;

TBuckets ParseTable() {
  TBuckets table;
  std::string_view rest = kCommandTableText;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    const std::string_view entry = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const size_t colon = entry.rfind(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    int32_t code = 0;
    for (char c : entry.substr(colon + 1)) code = code * 10 + (c - '0');
    table[static_cast<uint8_t>(entry[0])].emplace_back(entry.substr(0, colon),
                                                       static_cast<TMacroCode>(code));
  }
  return table;
}

}  // namespace

TMacroCode LookUpMacroWord(std::string_view word) {
  static const TBuckets table = ParseTable();
  if (word.empty()) return mcNone;
  for (const TEntry& e : table[static_cast<uint8_t>(word[0])])
    if (e.first == word) return e.second;
  return mcNone;
}
