// File lists and groups, and their stored form.
#include "editor/frame/FileList.h"

#include "platform/charset/Charset.h"

namespace {

constexpr std::string_view kFileKey = "FILE";

std::string GroupSection(size_t i) { return "FGroup" + std::to_string(i); }

void WriteFileEntries(platform::TProfileFile& file, std::string_view section,
                      const TFileList& list) {
  for (size_t i = 0; i < list.Size() && i < TFileList::kMaxStored; ++i) {
    file.WriteString(section, std::string(kFileKey) + std::to_string(i),
                     FormatFileListEntry(list[i]));
  }
}

bool IsWholeNumber(std::string_view s) {
  if (!s.empty() && s.front() == '-') s.remove_prefix(1);
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Where the name ends. Names may contain ";" on this system: when the entry ends in the
// three numbers that we always write, everything before them is the name.
size_t NameEnd(std::string_view stored) {
  size_t end = stored.size();
  for (int part = 0; part < 3; ++part) {
    size_t semi = stored.rfind(';', end == 0 ? 0 : end - 1);
    if (semi == std::string_view::npos || end == 0 ||
        !IsWholeNumber(stored.substr(semi + 1, end - semi - 1)))
      return stored.find(';');
    end = semi;
  }
  return end;
}

}  // namespace

bool TFileList::Add(std::string_view name, TFilePosition position) {
  return Insert(Items_.size(), name, position);
}

bool TFileList::Insert(size_t index, std::string_view name, TFilePosition position) {
  if (name.empty() || IndexOf(name) >= 0) return false;
  if (index > Items_.size()) index = Items_.size();
  Items_.insert(Items_.begin() + static_cast<std::ptrdiff_t>(index),
                TFileListEntry{std::string(name), position});
  return true;
}

void TFileList::Delete(size_t index) {
  if (index < Items_.size()) Items_.erase(Items_.begin() + static_cast<std::ptrdiff_t>(index));
}

int32_t TFileList::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (platform::EqualNoCaseWin(Items_[i].Name, name)) return static_cast<int32_t>(i);
  }
  return -1;
}

void TFileList::MoveToTop(std::string_view name, TFilePosition position) {
  int32_t at = IndexOf(name);
  if (at >= 0) Delete(static_cast<size_t>(at));
  Insert(0, name, position);
}

TFileListEntry ParseFileListEntry(std::string_view stored) {
  TFileListEntry entry;
  size_t semi = NameEnd(stored);
  entry.Name = std::string(stored.substr(0, semi));
  std::string_view rest = semi == std::string_view::npos ? std::string_view() : stored.substr(semi + 1);
  int32_t* numbers[2] = {&entry.Position.Line, &entry.Position.Column};
  for (int32_t* target : numbers) {
    if (rest.empty()) break;
    size_t next = rest.find(';');
    std::string_view part = rest.substr(0, next);
    int32_t value;
    if (platform::ParseProfileInt(part, &value)) *target = value;
    rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
  }
  int32_t hex;
  if (!rest.empty() && platform::ParseProfileInt(rest, &hex)) entry.Position.Hex = hex != 0;
  return entry;
}

std::string FormatFileListEntry(const TFileListEntry& entry) {
  return entry.Name + ";" + std::to_string(entry.Position.Line) + ";" +
         std::to_string(entry.Position.Column) + ";" + (entry.Position.Hex ? "1" : "0");
}

void ReadFileList(const platform::TProfileFile& file, std::string_view section, TFileList& list) {
  list.Clear();
  size_t taken = 0;
  for (const auto& [key, value] : file.ReadEntries(section)) {
    if (taken == TFileList::kMaxStored) break;
    if (!platform::StartsWithNoCaseWin(key, kFileKey)) continue;
    ++taken;
    TFileListEntry entry = ParseFileListEntry(value);
    list.Add(entry.Name, entry.Position);
  }
}

void WriteFileList(platform::TProfileFile& file, std::string_view section, const TFileList& list) {
  file.EraseSection(section);
  WriteFileEntries(file, section, list);
}

bool TFileGroups::Add(std::string_view name) {
  if (name.empty() || Items_.size() >= kMaxGroups) return false;
  Items_.push_back(TFileGroup{std::string(name.substr(0, kMaxGroupName)), {}});
  return true;
}

void TFileGroups::Delete(size_t index) {
  if (index < Items_.size()) Items_.erase(Items_.begin() + static_cast<std::ptrdiff_t>(index));
}

int32_t TFileGroups::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (platform::EqualNoCaseWin(Items_[i].Name, name)) return static_cast<int32_t>(i);
  }
  return -1;
}

void ReadFileGroups(const platform::TProfileFile& file, TFileGroups& groups) {
  groups.Clear();
  for (size_t i = 0; i < TFileGroups::kMaxGroups; ++i) {
    std::string section = GroupSection(i);
    std::string name = file.ReadString(section, "NAME", "");
    if (name.empty()) continue;
    if (!groups.Add(name)) break;
    ReadFileList(file, section, groups[groups.Size() - 1].Files);
  }
}

void WriteFileGroups(platform::TProfileFile& file, const TFileGroups& groups) {
  for (size_t i = 0; i < TFileGroups::kMaxGroups; ++i) {
    std::string section = GroupSection(i);
    if (i >= groups.Size()) {
      file.EraseSection(section);
      continue;
    }
    file.EraseSection(section);
    file.WriteString(section, "NAME", groups[i].Name);
    WriteFileEntries(file, section, groups[i].Files);
  }
}

void LoadFileLists(const platform::TProfileFile& file, TFileLists& lists) {
  ReadFileList(file, "Files", lists.Recent);
  ReadFileList(file, "PrefF", lists.Frequent);
  ReadFileGroups(file, lists.Groups);
}

void SaveFileLists(platform::TProfileFile& file, const TFileLists& lists) {
  WriteFileList(file, "Files", lists.Recent);
  WriteFileList(file, "PrefF", lists.Frequent);
  WriteFileGroups(file, lists.Groups);
}
