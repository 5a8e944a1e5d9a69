// Reading and writing the settings record. One description of the keys serves both
// directions, so that reading and writing cannot drift apart in order or names.
#include "editor/frame/IniOptions.h"

#include "editor/text/TextLimits.h"
#include "resources/zkedit32/Strings.h"

using platform::TProfileFile;

namespace {

using TClamp = int32_t (*)(int32_t value, const TSettingsEnvironment& env);

constexpr size_t kPageTextMax = 80;

struct TListSection {
  const char* Section;
  const char* Prefix;
  size_t WrittenMax;
  TStringHistory TIniOptions::*Field;
};

constexpr TListSection kHistoryLists[] = {
    {"Dirs", "DIR", 15, &TIniOptions::Dirs},
    {"SrchTexts", "STR", 20, &TIniOptions::SearchTexts},
    {"ReplTexts", "STR", 20, &TIniOptions::ReplaceTexts},
};
constexpr TListSection kGrepLists[] = {
    {"GrepTexts", "STR", 20, &TIniOptions::GrepTexts},
    {"GrepSpecs", "STR", 20, &TIniOptions::GrepMasks},
    {"GrepDirs", "DIR", 15, &TIniOptions::GrepDirs},
    {"GrepHistDirs", "DIR", 20, &TIniOptions::GrepHistDirs},
};
constexpr TListSection kCompareLists[] = {
    {"CompareLeft", "FILE", 10, &TIniOptions::CompareLeft},
    {"CompareRight", "FILE", 10, &TIniOptions::CompareRight},
};
constexpr size_t kFiltersMax = 20;
constexpr size_t kHelpFilesMax = 20;

const char* const kKindKeys[4] = {"TXT", "HEX", "GRP", "DIF"};
constexpr TColorKind kKinds[4] = {TColorKind::Text, TColorKind::Hex, TColorKind::Grep,
                                  TColorKind::Diff};

class TReader {
 public:
  TReader(TProfileFile& file, const TSettingsEnvironment& env) : File_(file), Env_(env) {}

  void Bool(const char* section, const char* key, bool& field) {
    field = File_.ReadBool(section, key, field);
  }
  void Int(const char* section, const char* key, int32_t& field, TClamp clamp = nullptr) {
    field = File_.ReadInt(section, key, field);
    if (clamp) field = clamp(field, Env_);
  }
  void String(const char* section, const char* key, std::string& field, size_t max = 0) {
    field = File_.ReadString(section, key, field);
    if (max && field.size() > max) field.resize(max);
  }
  void Font(const char* section, const char* key, platform::TLogFont& field) {
    if (File_.HasKey(section, key)) field = ParseFontString(File_.ReadString(section, key, ""), field);
  }
  void DosFont(const char* section, const char* key, platform::TLogFont& field) {
    if (File_.HasKey(section, key)) field = ParseDosFontString(File_.ReadString(section, key, ""));
  }
  void Colors(const char* section, const char* key, TColorKind kind, TKindColors& field) {
    field = ParseColorString(File_.ReadString(section, key, ""), kind, Env_.SystemColors);
  }
  void Rgb(const char* section, const char* key, platform::TColorRef& field) {
    platform::TColorRef value;
    if (ParseRgbHex6(File_.ReadString(section, key, ""), &value)) field = value;
  }
  void History(const TListSection& list, TIniOptions& o) {
    (o.*list.Field).Assign(ReadListSection(File_, list.Section, list.Prefix));
  }
  void Filters(TIniOptions& o) {
    o.Filters = ReadFilters(File_);
    Int("Filters", "IDX", o.FilterIndex, [](int32_t v, const TSettingsEnvironment&) {
      return v > static_cast<int32_t>(kFiltersMax) || v < 1 ? 1 : v;
    });
  }
  void HelpFiles(TIniOptions& o) { o.HelpFiles = ReadListSection(File_, "HelpFiles", "HLP"); }
  void Apps(TIniOptions& o) { ReadAppsList(File_, o.Apps); }
  void MultiReplace(TIniOptions& o) { o.MultiReplace = ReadMulRepList(File_); }

 private:
  TProfileFile& File_;
  const TSettingsEnvironment& Env_;
};

class TWriter {
 public:
  explicit TWriter(TProfileFile& file) : File_(file) {}

  void Bool(const char* section, const char* key, const bool& field) {
    File_.WriteBool(section, key, field);
  }
  void Int(const char* section, const char* key, const int32_t& field, TClamp = nullptr) {
    File_.WriteInt(section, key, field);
  }
  void String(const char* section, const char* key, const std::string& field, size_t max = 0) {
    File_.WriteString(section, key, max ? std::string_view(field).substr(0, max) : field);
  }
  void Font(const char* section, const char* key, const platform::TLogFont& field) {
    File_.WriteString(section, key, FormatFontString(field));
  }
  void DosFont(const char* section, const char* key, const platform::TLogFont& field) {
    File_.WriteString(section, key, FormatDosFontString(field));
  }
  void Colors(const char* section, const char* key, TColorKind, const TKindColors& field) {
    File_.WriteString(section, key, FormatColorString(field));
  }
  void Rgb(const char* section, const char* key, const platform::TColorRef& field) {
    File_.WriteString(section, key, FormatRgbHex6(field));
  }
  void History(const TListSection& list, const TIniOptions& o) {
    WriteListSection(File_, list.Section, list.Prefix, (o.*list.Field).Items(), list.WrittenMax);
  }
  void Filters(const TIniOptions& o) {
    WriteListSection(File_, "Filters", "FLT", o.Filters, kFiltersMax);
    File_.WriteInt("Filters", "IDX", o.FilterIndex);
  }
  void HelpFiles(const TIniOptions& o) {
    WriteListSection(File_, "HelpFiles", "HLP", o.HelpFiles, kHelpFilesMax);
  }
  void Apps(const TIniOptions& o) { WriteAppsList(File_, o.Apps); }
  void MultiReplace(const TIniOptions& o) { WriteMulRepList(File_, o.MultiReplace); }

 private:
  TProfileFile& File_;
};

int32_t ClampWinX(int32_t v, const TSettingsEnvironment& e) {
  return v < -40 || v > e.ScreenWidth - 40 ? 20 : v;
}
int32_t ClampWinY(int32_t v, const TSettingsEnvironment& e) {
  return v < -30 || v > e.ScreenHeight - 40 ? 20 : v;
}
int32_t ClampWinW(int32_t v, const TSettingsEnvironment& e) {
  return v < 50 || v > e.ScreenWidth ? 600 : v;
}
int32_t ClampWinH(int32_t v, const TSettingsEnvironment& e) {
  return v < 40 || v > e.ScreenHeight ? 440 : v;
}
int32_t ClampBufSize(int32_t v, const TSettingsEnvironment&) {
  if (v == 0) return 0;
  return v < 32 ? 32 : (v > 2048 ? 2048 : v);
}
int32_t ClampOutput(int32_t v, const TSettingsEnvironment&) { return v > 2 ? 2 : (v < 0 ? 0 : v); }
int32_t ClampNonText(int32_t v, const TSettingsEnvironment&) { return v < 1 || v > 3 ? 3 : v; }
int32_t ClampLineEnds(int32_t v, const TSettingsEnvironment&) { return v < 1 || v > 4 ? 1 : v; }
int32_t ClampTabCols(int32_t v, const TSettingsEnvironment&) {
  return v > 999 ? 256 : (v < 2 ? 8 : v);
}
int32_t ClampWrapCol(int32_t v, const TSettingsEnvironment&) {
  return v > 999 ? 256 : (v < 2 ? 70 : v);
}
int32_t ClampMargin(int32_t v, const TSettingsEnvironment&) {
  return v < 0 ? 0 : (v > 5000 ? 5000 : v);
}

// Every key in the order of the settings table, then the list sections.
template <class TIo, class TOptions>
void Exchange(TIo& io, TOptions& o) {
  io.Int("Sizes", "WIN_X", o.WinX, ClampWinX);
  io.Int("Sizes", "WIN_Y", o.WinY, ClampWinY);
  io.Int("Sizes", "WIN_W", o.WinW, ClampWinW);
  io.Int("Sizes", "WIN_H", o.WinH, ClampWinH);
  io.Bool("Sizes", "WIN_M", o.WinMaximized);

  io.Bool("Misc", "ExChars", o.ShowExChars);
  io.Bool("Misc", "LinNums", o.ShowLineNumbers);
  io.Bool("Misc", "AllChars", o.HexAllChars);
  io.Bool("Misc", "TxtBlk", o.HexTextBlockOnly);
  io.String("Misc", "InitDir", o.InitDir);
  io.Bool("Misc", "DlgHook", o.DialogHook);
  io.Bool("Misc", "NewPaint", o.NewPaint);
  io.Int("Misc", "BufSize", o.BufSize, ClampBufSize);

  io.Bool("SrchRepl", "CASE", o.SearchCase);
  io.Bool("SrchRepl", "WORD", o.SearchWord);
  io.Bool("SrchRepl", "REGL", o.SearchRegEx);
  io.Bool("SrchRepl", "CURS", o.SearchFromCursor);
  io.Bool("SrchRepl", "BACK", o.SearchBackward);
  io.Bool("SrchRepl", "CFRM", o.ReplaceConfirm);
  io.Bool("SrchRepl", "HEXS", o.SearchHex);

  io.Bool("GrepOpts", "CASE", o.GrepCase);
  io.Bool("GrepOpts", "WORD", o.GrepWord);
  io.Bool("GrepOpts", "REGL", o.GrepRegEx);
  io.Bool("GrepOpts", "SUBS", o.GrepSubdirs);
  io.Int("GrepOpts", "OUTP", o.GrepOutput, ClampOutput);
  io.Bool("GrepOpts", "INFO", o.GrepInfo);

  io.Bool("General", "ToolBar", o.ToolBar);
  io.Bool("General", "ToolTips", o.ToolTips);
  io.String("General", "ToolBarBtns", o.ToolBarButtons);
  io.Bool("General", "ToolBarFlat", o.ToolBarFlat);
  io.Bool("General", "StatusBar", o.StatusBar);
  io.Int("General", "AutoOpen", o.AutoOpen);
  io.Int("General", "OpenedFiles", o.OpenedFiles);
  io.Bool("General", "OpenZoomed", o.OpenZoomed);
  io.Bool("General", "GotoLastPos", o.GotoLastPos);
  io.Bool("General", "DosMode", o.DosMode);
  io.Bool("General", "MultInst", o.MultipleInstances);
  io.Bool("General", "ChangeDir", o.ChangeDir);
  io.Bool("General", "RestoreDir", o.RestoreDir);

  io.Bool("Safety", "Backup", o.Backup);
  io.Bool("Safety", "Protect", o.Protect);
  io.Int("Safety", "NonText", o.NonText, ClampNonText);
  io.Int("Safety", "EOLs", o.LineEnds, ClampLineEnds);

  io.Int("Edit", "TabCols", o.TabCols, ClampTabCols);
  io.Bool("Edit", "TabToSpc", o.TabToSpaces);
  io.Bool("Edit", "Cursor", o.CursorBeyondEnd);
  io.Bool("Edit", "AutoInd", o.AutoIndent);
  io.Bool("Edit", "OleEdit", o.DragDropEdit);
  io.Bool("Edit", "ReplSel", o.ReplaceSelection);
  io.Bool("Edit", "DelSpc", o.DeleteTrailingBlanks);
  io.Bool("Edit", "WordWrap", o.WordWrap);
  io.Bool("Edit", "WrapWin", o.WrapAtWindow);
  io.Int("Edit", "WrapCol", o.WrapCol, ClampWrapCol);

  io.String("PageSetup", "Head", o.PageHeader, kPageTextMax);
  io.String("PageSetup", "Foot", o.PageFooter, kPageTextMax);
  io.Int("PageSetup", "MLeft", o.MarginLeft, ClampMargin);
  io.Int("PageSetup", "MRight", o.MarginRight, ClampMargin);
  io.Int("PageSetup", "MTop", o.MarginTop, ClampMargin);
  io.Int("PageSetup", "MBottom", o.MarginBottom, ClampMargin);
  io.Bool("PageSetup", "PrintLNr", o.PrintLineNumbers);
  io.Bool("PageSetup", "BreakLines", o.BreakLines);
  io.Bool("PageSetup", "UseScrFont", o.UseScreenFont);
  io.Bool("PageSetup", "UseFileDate", o.UseFileDate);

  for (int k = 0; k < 4; ++k) io.Font("Fonts", kKindKeys[k], o.Fonts[k]);
  io.Font("Fonts", "PRN", o.PrinterFont);
  io.Bool("Fonts", "SYS", o.SystemFonts);
  io.Bool("Fonts", "TRM", o.NoDosFont);
  io.DosFont("Fonts", "DOS", o.DosFont);

  for (int k = 0; k < 4; ++k) io.Colors("Colors", kKindKeys[k], kKinds[k], o.Colors[k]);
  io.Bool("Colors", "SYS", o.SystemColors);

  io.Bool("SyntaxColoring", "IsActive", o.SyntaxColoring);
  io.Rgb("SyntaxColoring", "KeyColor", o.KeyColor);
  io.Rgb("SyntaxColoring", "CmtColor", o.CommentColor);
  io.Rgb("SyntaxColoring", "StrColor", o.StringColor);

  io.Filters(o);
  for (const TListSection& list : kHistoryLists) io.History(list, o);
  io.HelpFiles(o);
  for (const TListSection& list : kGrepLists) io.History(list, o);
  io.Apps(o);
  for (const TListSection& list : kCompareLists) io.History(list, o);
  io.MultiReplace(o);
}

}  // namespace

TIniOptions::TIniOptions() {
  TSettingsEnvironment env;
  for (int k = 0; k < 4; ++k) Colors[k] = DefaultKindColors(kKinds[k], env.SystemColors);
  Filters.emplace_back(LoadResString(20));
}

std::vector<std::string> ReadFilters(TProfileFile& file) {
  std::vector<std::string> raw = ReadListSection(file, "Filters", "FLT");
  if (file.ReadKeys("Filters").empty() && file.HasSection("Filter")) {
    raw = ReadListSection(file, "Filter", "FLT");
    file.EraseSection("Filter");
  }
  std::vector<std::string> filters;
  for (std::string& value : raw) {
    if (value.find_first_of("|@") == std::string::npos) continue;
    for (char& c : value) {
      if (c == '@') c = '|';
    }
    filters.push_back(std::move(value));
  }
  if (filters.empty()) filters.emplace_back(LoadResString(20));
  return filters;
}

void ReadSettings(TIniOptions& options, TProfileFile& file, const TSettingsEnvironment& env) {
  TIniOptions fresh;
  for (int k = 0; k < 4; ++k) fresh.Colors[k] = DefaultKindColors(kKinds[k], env.SystemColors);
  TReader reader(file, env);
  Exchange(reader, fresh);
  options = std::move(fresh);
}

void WriteSettings(const TIniOptions& options, TProfileFile& file) {
  TWriter writer(file);
  Exchange(writer, options);
}

bool LoadSettings(TIniOptions& options, TProfileFile& file, const TSettingsEnvironment& env) {
  bool ok = file.Load() == 0;
  if (ok) {
    ReadSettings(options, file, env);
  } else {
    options = TIniOptions();
    for (int k = 0; k < 4; ++k) options.Colors[k] = DefaultKindColors(kKinds[k], env.SystemColors);
  }
  SetTextBufferSize(options.BufSize);
  return ok;
}

std::string SettingsFileMessage(const std::string& fileName, bool writing) {
  std::string text(LoadResString(33));
  const std::string what(LoadResString(writing ? 35 : 34));
  for (const std::string* arg : {&fileName, &what}) {
    const size_t at = text.find("%s");
    if (at == std::string::npos) break;
    text.replace(at, 2, *arg);
  }
  return text;
}

bool SaveSettings(const TIniOptions& options, TProfileFile& file) {
  WriteSettings(options, file);
  return file.Flush() == 0;
}
