// Recent files, frequent files and file groups: file names with the position they were left at.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/ProfileFile.h"

struct TFilePosition {
  int32_t Line = 1;    // 1-based line; for a hex file the byte offset
  int32_t Column = 1;  // 1-based column; 0 for a hex file
  bool Hex = false;
  bool operator==(const TFilePosition&) const = default;
};

struct TFileListEntry {
  std::string Name;
  TFilePosition Position;
};

// Names are unique without regard to case.
class TFileList {
 public:
  static constexpr size_t kMaxStored = 20;

  // Both refuse an empty name or one already in the list (false, nothing changed).
  bool Add(std::string_view name, TFilePosition position);
  bool Insert(size_t index, std::string_view name, TFilePosition position);
  void Delete(size_t index);
  void Clear() { Items_.clear(); }
  // Index of `name`, or -1.
  int32_t IndexOf(std::string_view name) const;

  // The recent-files rule: drop the name if present, then insert it at the top.
  void MoveToTop(std::string_view name, TFilePosition position);

  size_t Size() const { return Items_.size(); }
  bool Empty() const { return Items_.empty(); }
  const TFileListEntry& operator[](size_t i) const { return Items_[i]; }

 private:
  std::vector<TFileListEntry> Items_;
};

// Reads keys "FILE"n (any case, file order, at most 20) of `section`.
void ReadFileList(const platform::TProfileFile& file, std::string_view section, TFileList& list);
// Erases `section` and writes at most 20 entries as "name;line;column;hex". Writes no
// section at all for an empty list.
void WriteFileList(platform::TProfileFile& file, std::string_view section, const TFileList& list);

// One stored entry "name;line;column;hex"; missing or non-numeric parts keep 1, 1, 0.
TFileListEntry ParseFileListEntry(std::string_view stored);
std::string FormatFileListEntry(const TFileListEntry& entry);

struct TFileGroup {
  std::string Name;
  TFileList Files;
};

// Named file groups (at most 20), each in a section "FGroup"n with "NAME" and "FILE"n.
class TFileGroups {
 public:
  static constexpr size_t kMaxGroups = 20;
  static constexpr size_t kMaxGroupName = 50;

  bool Add(std::string_view name);  // false when full or the name is empty
  void Delete(size_t index);
  void Clear() { Items_.clear(); }
  int32_t IndexOf(std::string_view name) const;  // without regard to case; -1 if missing

  size_t Size() const { return Items_.size(); }
  TFileGroup& operator[](size_t i) { return Items_[i]; }
  const TFileGroup& operator[](size_t i) const { return Items_[i]; }

 private:
  std::vector<TFileGroup> Items_;
};

void ReadFileGroups(const platform::TProfileFile& file, TFileGroups& groups);
// Writes every group and erases the sections of groups that no longer exist.
void WriteFileGroups(platform::TProfileFile& file, const TFileGroups& groups);

// All stored file lists of the editor.
struct TFileLists {
  TFileList Recent;     // section "Files"
  TFileList Frequent;   // section "PrefF"
  TFileGroups Groups;   // sections "FGroup0" .. "FGroup19"
};

void LoadFileLists(const platform::TProfileFile& file, TFileLists& lists);
void SaveFileLists(platform::TProfileFile& file, const TFileLists& lists);
