// Parses the command table text once into a lookup map.
#include "compiler/core/CommandTable.h"

#include <string>
#include <unordered_map>

namespace {

std::unordered_map<std::string, TMacroCode> ParseTable() {
  std::unordered_map<std::string, TMacroCode> table;
  std::string_view rest = kCommandTableText;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    const std::string_view entry = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const size_t colon = entry.rfind(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    int32_t code = 0;
    for (char c : entry.substr(colon + 1)) code = code * 10 + (c - '0');
    table.emplace(std::string(entry.substr(0, colon)), static_cast<TMacroCode>(code));
  }
  return table;
}

}  // namespace

TMacroCode LookUpMacroWord(std::string_view word) {
  static const std::unordered_map<std::string, TMacroCode> table = ParseTable();
  auto it = table.find(std::string(word));
  return it == table.end() ? mcNone : it->second;
}
