// Parsing, look-up and writing of initialisation files.
#include "platform/profile/ProfileFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/charset/Charset.h"
#include "platform/file/File.h"
#include "platform/file/FileOps.h"
#include "platform/file/SafeFileWriter.h"

namespace platform {

struct TProfileFile::TLine {
  std::string Raw;    // the line as read, without its line end; rebuilt when edited
  std::string Key;    // empty for lines that are not entries
  std::string Value;  // as the reader sees it: trimmed, enclosing quotes removed
  bool IsEntry = false;
};

struct TProfileFile::TSection {
  std::string Name;
  std::string Header;  // the raw header line
  std::vector<TLine> Lines;
  std::unordered_map<std::string, size_t> KeyIndex;  // upper-case key → first line

  void RebuildKeyIndex() {
    KeyIndex.clear();
    for (size_t i = 0; i < Lines.size(); ++i) {
      if (Lines[i].IsEntry) KeyIndex.emplace(UpperCaseWin(Lines[i].Key), i);
    }
  }
};

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Unquote(std::string_view s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

std::string_view CutAtLineEnd(std::string_view s) {
  size_t end = s.find_first_of("\r\n");
  return end == std::string_view::npos ? s : s.substr(0, end);
}

// A value is quoted on writing exactly when reading it back plain would change it.
std::string EncodeValue(std::string_view value) {
  bool needsQuotes = !value.empty() &&
                     (IsBlank(value.front()) || IsBlank(value.back()) ||
                      (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  if (!needsQuotes) return std::string(value);
  std::string out;
  out.reserve(value.size() + 2);
  out += '"';
  out += value;
  out += '"';
  return out;
}

// Key names cannot hold "=" or start with "[" or ";" and still read back as that key.
std::string CleanKey(std::string_view key) {
  std::string_view k = Trim(CutAtLineEnd(key));
  size_t eq = k.find('=');
  if (eq != std::string_view::npos) k = Trim(k.substr(0, eq));
  return std::string(k);
}

}  // namespace

bool ParseProfileInt(std::string_view text, int32_t* value) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() < '0' || s.front() > '9') return false;
  int64_t n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > int64_t{INT_MAX} + 1) n = int64_t{INT_MAX} + 1;  // saturate, keep scanning
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  *value = static_cast<int32_t>(n);
  return true;
}

TProfileFile::TProfileFile(std::string path) : Path_(std::move(path)) {}
TProfileFile::~TProfileFile() = default;

void TProfileFile::Clear() {
  Preamble_.clear();
  Sections_.clear();
  SectionIndex_.clear();
  Dirty_ = false;
}

void TProfileFile::RebuildSectionIndex() {
  SectionIndex_.clear();
  for (auto& section : Sections_) SectionIndex_.emplace(UpperCaseWin(section->Name), section.get());
}

int32_t TProfileFile::Load() {
  Clear();
  if (Path_.empty()) return 0;
  std::string bytes;
  int32_t status = ReadWholeFile(Path_.c_str(), bytes);
  if (status == -1 && !FileExists(Path_.c_str())) status = 0;  // not written yet: empty
  if (status == 0) Parse(bytes);
  LoadFailed_ = status != 0;
  return status;
}

void TProfileFile::Parse(std::string_view bytes) {
  Clear();
  LoadFailed_ = false;
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view raw = bytes.substr(pos, end - pos);
    pos = end;
    if (pos < bytes.size()) {
      // CR LF, LF or CR ends a line.
      if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
      ++pos;
    }

    std::string_view text = Trim(raw);
    if (!text.empty() && text.front() == '[') {
      size_t close = text.find(']');
      std::string_view name = text.substr(1, close == std::string_view::npos ? std::string_view::npos
                                                                             : close - 1);
      auto section = std::make_unique<TSection>();
      section->Name = std::string(Trim(name));
      section->Header = std::string(raw);
      current = section.get();
      Sections_.push_back(std::move(section));
      continue;
    }
    TLine line;
    line.Raw = std::string(raw);
    size_t eq = text.find('=');
    if (current && eq != std::string_view::npos && text.front() != ';') {
      line.Key = std::string(Trim(text.substr(0, eq)));
      line.Value = std::string(Unquote(Trim(text.substr(eq + 1))));
      line.IsEntry = !line.Key.empty();
    }
    if (current) {
      current->Lines.push_back(std::move(line));
    } else {
      Preamble_.push_back(std::move(line.Raw));
    }
  }
  for (auto& section : Sections_) section->RebuildKeyIndex();
  // The first of several equal sections counts: emplace keeps the first.
  RebuildSectionIndex();
  Dirty_ = false;
}

std::string TProfileFile::Text() const {
  std::string out;
  auto add = [&out](std::string_view line) {
    out += line;
    out += "\r\n";
  };
  for (const auto& line : Preamble_) add(line);
  for (const auto& section : Sections_) {
    add(section->Header);
    for (const auto& line : section->Lines) add(line.Raw);
  }
  return out;
}

int32_t TProfileFile::Flush() {
  if (!Dirty_) return 0;
  if (LoadFailed_) return -3;
  const std::string& target = WritePath();
  std::filesystem::path parent = std::filesystem::path(target).parent_path();
  std::error_code ignored;  // a directory we cannot make shows up as the open failure
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  int32_t status = ReplaceFileContent(target.c_str(), Text());
  if (status != 0) return status == -3 ? -3 : -4;
  Dirty_ = false;
  return 0;
}

TProfileFile::TSection* TProfileFile::FindSection(std::string_view section) const {
  auto it = SectionIndex_.find(UpperCaseWin(Trim(section)));
  return it == SectionIndex_.end() ? nullptr : it->second;
}

const TProfileFile::TLine* TProfileFile::FindLine(std::string_view section,
                                                  std::string_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->KeyIndex.find(UpperCaseWin(Trim(key)));
  return it == s->KeyIndex.end() ? nullptr : &s->Lines[it->second];
}

bool TProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool TProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return FindLine(section, key) != nullptr;
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view deflt) const {
  const TLine* line = FindLine(section, key);
  return std::string(line ? std::string_view(line->Value) : deflt);
}

int32_t TProfileFile::ReadInt(std::string_view section, std::string_view key,
                              int32_t deflt) const {
  const TLine* line = FindLine(section, key);
  int32_t value = deflt;
  if (line && ParseProfileInt(line->Value, &value)) return value;
  return deflt;
}

bool TProfileFile::ReadBool(std::string_view section, std::string_view key, bool deflt) const {
  const TLine* line = FindLine(section, key);
  if (!line) return deflt;
  return line->Value != "0";
}

std::vector<std::string> TProfileFile::ReadKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section)) {
    for (const auto& line : s->Lines) {
      if (line.IsEntry) keys.push_back(line.Key);
    }
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> TProfileFile::ReadEntries(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  if (const TSection* s = FindSection(section)) {
    for (const auto& line : s->Lines) {
      if (line.IsEntry) entries.emplace_back(line.Key, line.Value);
    }
  }
  return entries;
}

TProfileFile::TSection& TProfileFile::SectionForWrite(std::string_view section) {
  if (TSection* s = FindSection(section)) return *s;
  auto fresh = std::make_unique<TSection>();
  fresh->Name = std::string(Trim(CutAtLineEnd(section)));
  fresh->Header = "[" + fresh->Name + "]";
  // A blank line between sections keeps hand editing pleasant.
  if (!Sections_.empty()) {
    auto& last = Sections_.back()->Lines;
    if (last.empty() || !Trim(last.back().Raw).empty()) last.push_back(TLine{});
  } else if (!Preamble_.empty() && !Trim(Preamble_.back()).empty()) {
    Preamble_.emplace_back();
  }
  TSection* raw = fresh.get();
  Sections_.push_back(std::move(fresh));
  SectionIndex_.emplace(UpperCaseWin(raw->Name), raw);
  return *raw;
}

void TProfileFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  std::string cleanKey = CleanKey(key);
  if (cleanKey.empty() || Trim(CutAtLineEnd(section)).empty()) return;
  std::string_view cleanValue = CutAtLineEnd(value);
  TSection& s = SectionForWrite(section);
  std::string upper = UpperCaseWin(cleanKey);
  auto it = s.KeyIndex.find(upper);
  TLine* line;
  if (it != s.KeyIndex.end()) {
    line = &s.Lines[it->second];
    if (line->Value == cleanValue) return;
  } else {
    // New keys go after the section's last entry, before trailing blank lines.
    size_t at = s.Lines.size();
    while (at > 0 && !s.Lines[at - 1].IsEntry && Trim(s.Lines[at - 1].Raw).empty()) --at;
    s.Lines.insert(s.Lines.begin() + static_cast<std::ptrdiff_t>(at), TLine{});
    line = &s.Lines[at];
    line->Key = cleanKey;
    line->IsEntry = true;
    if (at + 1 == s.Lines.size()) {
      s.KeyIndex.emplace(upper, at);
    } else {
      s.RebuildKeyIndex();
      line = &s.Lines[at];
    }
  }
  line->Value = std::string(cleanValue);
  line->Raw = line->Key + "=" + EncodeValue(cleanValue);
  Dirty_ = true;
}

void TProfileFile::WriteInt(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  TSection* s = FindSection(section);
  if (!s) return;
  auto it = s->KeyIndex.find(UpperCaseWin(Trim(key)));
  if (it == s->KeyIndex.end()) return;
  s->Lines.erase(s->Lines.begin() + static_cast<std::ptrdiff_t>(it->second));
  s->RebuildKeyIndex();
  Dirty_ = true;
}

void TProfileFile::EraseSection(std::string_view section) {
  std::string upper = UpperCaseWin(Trim(section));
  size_t before = Sections_.size();
  std::erase_if(Sections_, [&upper](const std::unique_ptr<TSection>& s) {
    return UpperCaseWin(s->Name) == upper;
  });
  if (Sections_.size() == before) return;
  RebuildSectionIndex();
  Dirty_ = true;
}

}  // namespace platform
