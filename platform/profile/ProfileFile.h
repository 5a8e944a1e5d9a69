// An initialisation file (sections, keys, values) held in memory: read once, written back once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

// Behaves like the Windows private-profile calls: section and key names match without
// regard to case, values are text, a missing key yields the caller's default, and a
// write changes one key and keeps every other line of the file as it was (comments,
// blank lines and lines we do not understand included). The first of several equal
// keys or sections is the one that counts, as there.
//
// Values are stored so that they read back exactly: a value with blanks at either end,
// or one that is itself quoted, is written inside double quotes (the reader removes one
// pair of enclosing quotes). Line ends cannot be stored in a value or key: the text is
// cut at the first one, so that a value can never break the file's structure.
class TProfileFile {
 public:
  explicit TProfileFile(std::string path = {});
  ~TProfileFile();
  TProfileFile(const TProfileFile&) = delete;
  TProfileFile& operator=(const TProfileFile&) = delete;

  const std::string& Path() const { return Path_; }
  // Where Flush writes; the read path unless set otherwise. Missing directories on the
  // way are created on writing.
  void SetWritePath(std::string path) { WritePath_ = std::move(path); }
  const std::string& WritePath() const { return WritePath_.empty() ? Path_ : WritePath_; }

  // Reads the file into memory, replacing what was held. A file that does not exist yet
  // gives an empty profile and 0; -1: it exists but cannot be opened; -2: read error.
  [[nodiscard]] int32_t Load();

  // Takes the given bytes as the file's content (any line ends); not dirty afterwards.
  void Parse(std::string_view bytes);

  // Writes the content back when it changed since Load, Parse or the last Flush.
  // 0, -3 when the file cannot be created, -4 when it cannot be written; on failure the
  // old file stays as it was. After a failed Load nothing is written (-3): the file
  // exists but we do not know what is in it, and must not replace it with our part.
  [[nodiscard]] int32_t Flush();

  bool IsDirty() const { return Dirty_; }

  // The content as it would be written, with CR LF line ends.
  std::string Text() const;

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view deflt) const;
  // A value that does not start with a decimal number (after blanks and a sign) yields
  // the default; digits are read as far as they go and saturate at the 32-bit range.
  int32_t ReadInt(std::string_view section, std::string_view key, int32_t deflt) const;
  // "0" is false, any other value true; missing yields the default.
  bool ReadBool(std::string_view section, std::string_view key, bool deflt) const;

  // Key names of a section in file order (empty if the section is missing).
  std::vector<std::string> ReadKeys(std::string_view section) const;
  // Key names and values of a section in file order.
  std::vector<std::pair<std::string, std::string>> ReadEntries(std::string_view section) const;

  // Creates the section and the key when needed.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  void DeleteKey(std::string_view section, std::string_view key);
  // Removes the section with all its lines (every section of that name).
  void EraseSection(std::string_view section);

 private:
  struct TLine;
  struct TSection;

  TSection* FindSection(std::string_view section) const;
  TSection& SectionForWrite(std::string_view section);
  const TLine* FindLine(std::string_view section, std::string_view key) const;
  void Clear();
  void RebuildSectionIndex();

  std::string Path_;
  std::string WritePath_;
  std::vector<std::string> Preamble_;  // lines before the first section
  std::vector<std::unique_ptr<TSection>> Sections_;
  std::unordered_map<std::string, TSection*> SectionIndex_;  // upper-case name → first
  bool Dirty_ = false;
  bool LoadFailed_ = false;
};

// The number at the start of a value as the profile reader sees it; false if there is none.
bool ParseProfileInt(std::string_view text, int32_t* value);

}  // namespace platform
