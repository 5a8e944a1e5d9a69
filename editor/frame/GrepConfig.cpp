// Stored form of the global-search configurations.
#include "editor/frame/GrepConfig.h"

#include "editor/frame/StringHistory.h"

namespace {

std::string Section(int32_t number) { return "GrepCfg" + std::to_string(number); }

int32_t ClampOutput(int32_t v) { return v > 2 ? 2 : (v < 0 ? 0 : v); }

}  // namespace

bool ReadGrepConfig(const platform::TProfileFile& file, int32_t number, TGrepConfig& config) {
  if (number < 0 || number > TGrepConfig::kMaxNumber) return false;
  std::string section = Section(number);
  if (!file.HasSection(section)) return false;
  TGrepConfig c;
  c.SearchText = file.ReadString(section, "SSTR", "").substr(0, TGrepConfig::kMaxSearchText);
  c.FileMasks = file.ReadString(section, "SPEC", "");
  c.CaseSensitive = file.ReadBool(section, "CASE", false);
  c.WholeWords = file.ReadBool(section, "WORD", false);
  c.RegularExpression = file.ReadBool(section, "REGL", false);
  c.Subdirectories = file.ReadBool(section, "SUBS", false);
  c.ShowInfo = file.ReadBool(section, "INFO", false);
  c.Output = ClampOutput(file.ReadInt(section, "OUTP", 0));
  c.Dirs = ReadListSection(file, section, "DIR");
  if (c.Dirs.size() > TGrepConfig::kMaxDirs) c.Dirs.resize(TGrepConfig::kMaxDirs);
  config = std::move(c);
  return true;
}

bool WriteGrepConfig(platform::TProfileFile& file, int32_t number, const TGrepConfig& c) {
  if (number < 0 || number > TGrepConfig::kMaxNumber) return false;
  std::string section = Section(number);
  file.EraseSection(section);
  file.WriteString(section, "SSTR", c.SearchText.substr(0, TGrepConfig::kMaxSearchText));
  file.WriteString(section, "SPEC", c.FileMasks);
  file.WriteBool(section, "CASE", c.CaseSensitive);
  file.WriteBool(section, "WORD", c.WholeWords);
  file.WriteBool(section, "REGL", c.RegularExpression);
  file.WriteBool(section, "SUBS", c.Subdirectories);
  file.WriteBool(section, "INFO", c.ShowInfo);
  file.WriteInt(section, "OUTP", ClampOutput(c.Output));
  for (size_t i = 0; i < c.Dirs.size() && i < TGrepConfig::kMaxDirs; ++i)
    file.WriteString(section, "DIR" + std::to_string(i), c.Dirs[i]);
  return true;
}
