// Histories and numbered list sections of the settings file.
#include "editor/frame/StringHistory.h"

#include <algorithm>

#include "platform/charset/Charset.h"

void TStringHistory::Add(std::string_view text) {
  auto same = std::find(Items_.begin(), Items_.end(), text);
  if (same != Items_.end()) Items_.erase(same);
  Items_.insert(Items_.begin(), std::string(text));
  if (Items_.size() > Capacity_) Items_.resize(Capacity_);
}

void TStringHistory::Assign(std::vector<std::string> items) {
  Items_ = std::move(items);
  if (Items_.size() > Capacity_) Items_.resize(Capacity_);
}

std::vector<std::string> ReadListSection(const platform::TProfileFile& file,
                                         std::string_view section, std::string_view prefix) {
  std::vector<std::string> items;
  for (auto& [key, value] : file.ReadEntries(section)) {
    if (platform::StartsWithNoCaseWin(key, prefix)) items.push_back(std::move(value));
  }
  return items;
}

void WriteListSection(platform::TProfileFile& file, std::string_view section,
                      std::string_view prefix, const std::vector<std::string>& items,
                      size_t maxCount) {
  file.EraseSection(section);
  size_t count = std::min(items.size(), maxCount);
  for (size_t i = 0; i < count; ++i) {
    file.WriteString(section, std::string(prefix) + std::to_string(i), items[i]);
  }
}
