// Lists kept in the settings file: histories (newest first) and numbered list sections.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/ProfileFile.h"

// A history of texts, newest first: adding a text that is already there (exact
// comparison) moves it to the top; beyond the capacity the oldest entry drops out.
class TStringHistory {
 public:
  static constexpr size_t kDefaultCapacity = 100;

  explicit TStringHistory(size_t capacity = kDefaultCapacity) : Capacity_(capacity) {}

  void Add(std::string_view text);
  void Clear() { Items_.clear(); }
  // Replaces the content, oldest entries beyond the capacity dropped.
  void Assign(std::vector<std::string> items);

  size_t Size() const { return Items_.size(); }
  bool Empty() const { return Items_.empty(); }
  const std::string& operator[](size_t i) const { return Items_[i]; }
  const std::vector<std::string>& Items() const { return Items_; }
  size_t Capacity() const { return Capacity_; }

 private:
  size_t Capacity_;
  std::vector<std::string> Items_;
};

// The values of every key of `section` whose name starts with `prefix` (any case), in
// file order; the number behind the prefix is not interpreted.
std::vector<std::string> ReadListSection(const platform::TProfileFile& file,
                                         std::string_view section, std::string_view prefix);

// Erases `section` and writes at most `maxCount` entries as prefix0, prefix1, ...
void WriteListSection(platform::TProfileFile& file, std::string_view section,
                      std::string_view prefix, const std::vector<std::string>& items,
                      size_t maxCount);
