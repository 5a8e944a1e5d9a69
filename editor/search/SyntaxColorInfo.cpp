// Stored form of the syntax-colouring definitions.
#include "editor/search/SyntaxColorInfo.h"

#include <vector>

#include "platform/charset/Charset.h"
#include "platform/gfx/ColorText.h"

using platform::TProfileFile;

namespace {

constexpr size_t kKeyWordLineLength = 70;

std::string Section(int32_t number) { return "C" + std::to_string(number); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}


void ReadColor(const TProfileFile& file, const std::string& section, const char* key,
               platform::TColorRef global, platform::TColorRef* color, bool* own) {
  *color = global;
  *own = false;
  if (!file.HasKey(section, key)) return;
  *own = platform::ParseHexColor(file.ReadString(section, key, ""), 6, color);
  if (!*own) *color = global;
}

std::string KeyWordKey(size_t line) {
  return (line < 10 ? "W10" : "W1") + std::to_string(line);
}

}  // namespace

bool LoadSyntaxColorInfo(const TProfileFile& file, int32_t number,
                         const TGlobalSyntaxColors& global, TSyntaxColorInfo& info) {
  TSyntaxColorInfo fresh;
  std::string section = Section(number);
  fresh.FileExt = std::string(Trim(file.ReadString(section, "FileExt", "")));
  fresh.LineComment = std::string(Trim(file.ReadString(section, "LineCmt", "")));
  fresh.BlockBegin = std::string(Trim(file.ReadString(section, "BlkCmtB", "")));
  fresh.BlockEnd = std::string(Trim(file.ReadString(section, "BlkCmtE", "")));
  std::string strChar = file.ReadString(section, "StrChar", "");
  fresh.StringChar = strChar.empty() ? 0 : strChar[0];
  fresh.KeyCase = file.ReadBool(section, "KeyCase", false);
  ReadColor(file, section, "KeyColor", global.Key, &fresh.KeyColor, &fresh.OwnKeyColor);
  ReadColor(file, section, "CmtColor", global.Comment, &fresh.CommentColor,
            &fresh.OwnCommentColor);
  ReadColor(file, section, "StrColor", global.String, &fresh.StringColor, &fresh.OwnStringColor);
  for (const auto& [key, value] : file.ReadEntries(section)) {
    if (!platform::StartsWithNoCaseWin(key, "W1")) continue;
    std::string_view words = Trim(value);
    if (words.empty()) continue;
    if (!fresh.KeyWords.empty()) fresh.KeyWords += ' ';
    fresh.KeyWords += words;
  }
  info = std::move(fresh);
  return !info.LineComment.empty() || (!info.BlockBegin.empty() && !info.BlockEnd.empty()) ||
         !Trim(info.KeyWords).empty() || info.StringChar != 0;
}

void SaveSyntaxColorInfo(TProfileFile& file, int32_t number, const TSyntaxColorInfo& info,
                         bool last) {
  std::string section = Section(number);
  file.EraseSection(section);
  file.WriteString(section, "FileExt", info.FileExt);
  file.WriteString(section, "LineCmt", info.LineComment);
  file.WriteString(section, "BlkCmtB", info.BlockBegin);
  file.WriteString(section, "BlkCmtE", info.BlockEnd);
  file.WriteString(section, "StrChar", info.StringChar ? std::string(1, info.StringChar) : "");
  file.WriteBool(section, "KeyCase", info.KeyCase);
  auto writeColor = [&](const char* key, bool own, platform::TColorRef color) {
    if (own) file.WriteString(section, key, platform::FormatHexColor(color, 6));
  };
  writeColor("KeyColor", info.OwnKeyColor, info.KeyColor);
  writeColor("CmtColor", info.OwnCommentColor, info.CommentColor);
  writeColor("StrColor", info.OwnStringColor, info.StringColor);

  // Line breaks become blanks; a line is full as soon as it exceeds 70 characters.
  std::string words = info.KeyWords;
  for (char& c : words) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::string line;
  size_t lineNumber = 1;
  size_t pos = 0;
  while (pos < words.size()) {
    size_t start = words.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    size_t end = words.find(' ', start);
    if (end == std::string::npos) end = words.size();
    if (!line.empty()) line += ' ';
    line.append(words, start, end - start);
    pos = end;
    if (line.size() > kKeyWordLineLength) {
      file.WriteString(section, KeyWordKey(lineNumber++), line);
      line.clear();
    }
  }
  if (!line.empty()) file.WriteString(section, KeyWordKey(lineNumber), line);

  if (last) {
    for (int32_t n = number + 1; n < kMaxSyntaxTypes; ++n) file.EraseSection(Section(n));
  }
}

TSyntaxExtensions ReadSyntaxExtensions(const TProfileFile& file) {
  TSyntaxExtensions extensions;
  for (int32_t n = 0; n < kMaxSyntaxTypes; ++n) {
    std::string value(Trim(file.ReadString(Section(n), "FileExt", "")));
    if (!value.empty()) extensions[static_cast<size_t>(n)] = value + " ";
  }
  return extensions;
}

int32_t FindSyntaxType(const TSyntaxExtensions& extensions, std::string_view fileName) {
  size_t slash = fileName.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  size_t dot = base.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == base.size()) return -1;
  std::string wanted = platform::UpperCaseWin(base.substr(dot + 1)) + " ";
  for (int32_t n = 0; n < kMaxSyntaxTypes; ++n) {
    std::string entry = platform::UpperCaseWin(extensions[static_cast<size_t>(n)]);
    for (size_t at = entry.find(wanted); at != std::string::npos; at = entry.find(wanted, at + 1)) {
      if (at == 0 || entry[at - 1] == ' ') return n;
    }
  }
  return -1;
}
