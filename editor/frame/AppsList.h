// User applications of the "&Anwendung" menu and their stored form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/ProfileFile.h"

struct TAppEntry {
  std::string MenuEntry;
  std::string Program;
  std::string Arguments;
  std::string WorkingDirectory;  // empty: keep the current directory
  bool AskForArguments = false;
  bool operator==(const TAppEntry&) const = default;
};

class TAppsList {
 public:
  static constexpr size_t kMaxApps = 15;

  // Adds an entry when its menu entry and program are not empty and the list is not full.
  bool Add(TAppEntry entry);
  // Parses the stored form (five fields separated by "|"; blanks after a "|" dropped).
  bool AddFromString(std::string_view stored);
  // The stored form of entry i.
  std::string FullString(size_t i) const;

  void Clear() { Items_.clear(); }
  void Delete(size_t i) { Items_.erase(Items_.begin() + static_cast<std::ptrdiff_t>(i)); }
  size_t Size() const { return Items_.size(); }
  const TAppEntry& operator[](size_t i) const { return Items_[i]; }
  TAppEntry& operator[](size_t i) { return Items_[i]; }
  const std::vector<TAppEntry>& Items() const { return Items_; }

 private:
  std::vector<TAppEntry> Items_;
};

// Section "Apps", keys "APP"n.
void ReadAppsList(const platform::TProfileFile& file, TAppsList& apps);
void WriteAppsList(platform::TProfileFile& file, const TAppsList& apps);
