// Message list and the one formatter every compiler message goes through.
#include "compiler/core/MessageList.h"

#include <cstring>

#include "compiler/core/Charset.h"
#include "resources/velcomp/Strings.h"

bool TMessageList::Add(char type, uint32_t id, std::string text) {
  std::string key(1, type);
  key += text;
  if (!Seen_.insert(std::move(key)).second) return false;
  if (type == mtError) ++Errors_;
  if (type == mtWarning) ++Warnings_;
  Items_.push_back(TVelMessage{type, id, std::move(text)});
  return true;
}

void TMessageList::Clear() {
  Items_.clear();
  Seen_.clear();
  Errors_ = Warnings_ = 0;
}

bool TMessageList::Contains(uint32_t id) const {
  for (const auto& m : Items_)
    if (m.Id == id) return true;
  return false;
}

std::string FormatVelText(uint32_t id, const std::vector<std::string>& args) {
  const std::string_view table = LoadVelString(0, id);
  if (table.empty()) {
    // A number without a text (a definition's ERROR may name any): still say where and which.
    std::string out = args.empty() ? std::string() : args[0];
    return out + std::to_string(id);
  }
  const std::string pattern = Utf8ToCp1252(table);
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      out += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < pattern.size() && (pattern[j] == 'l' || pattern[j] == 'h')) ++j;
    if (j < pattern.size() && std::strchr("sidux", pattern[j]) != nullptr) {
      if (next < args.size()) out += args[next];
      ++next;
      i = j;
    } else {
      out += '%';  // not a conversion: kept as written
    }
  }
  return out;
}
