// Stored form of the user applications.
#include "editor/frame/AppsList.h"

#include "editor/frame/StringHistory.h"

bool TAppsList::Add(TAppEntry entry) {
  if (entry.MenuEntry.empty() || entry.Program.empty() || Items_.size() >= kMaxApps) return false;
  Items_.push_back(std::move(entry));
  return true;
}

bool TAppsList::AddFromString(std::string_view stored) {
  std::string fields[5];
  size_t field = 0;
  bool afterBar = false;
  for (char c : stored) {
    if (c == '|' && field < 4) {
      ++field;
      afterBar = true;
      continue;
    }
    if (afterBar && c == ' ') continue;
    afterBar = false;
    fields[field] += c;
  }
  TAppEntry entry;
  entry.MenuEntry = fields[0];
  entry.Program = fields[1];
  entry.Arguments = fields[2];
  entry.WorkingDirectory = fields[3];
  entry.AskForArguments = !fields[4].empty() && fields[4][0] != '0';
  return Add(std::move(entry));
}

std::string TAppsList::FullString(size_t i) const {
  const TAppEntry& e = Items_[i];
  return e.MenuEntry + "|" + e.Program + "|" + e.Arguments + "|" + e.WorkingDirectory + "|" +
         (e.AskForArguments ? "1" : "0");
}

void ReadAppsList(const platform::TProfileFile& file, TAppsList& apps) {
  apps.Clear();
  for (const std::string& value : ReadListSection(file, "Apps", "APP")) apps.AddFromString(value);
}

void WriteAppsList(platform::TProfileFile& file, const TAppsList& apps) {
  std::vector<std::string> stored;
  for (size_t i = 0; i < apps.Size(); ++i) stored.push_back(apps.FullString(i));
  WriteListSection(file, "Apps", "APP", stored, TAppsList::kMaxApps);
}
