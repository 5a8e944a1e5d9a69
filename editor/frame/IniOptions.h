// All user settings of the editor, with their lists, fonts and colours; read once at start-up
// and written once at the end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/frame/AppsList.h"
#include "editor/frame/FontFormat.h"
#include "editor/frame/MultiReplace.h"
#include "editor/frame/StringHistory.h"
#include "platform/gfx/LogFont.h"
#include "platform/profile/ProfileFile.h"

constexpr const char* kSettingsFileName = "ZKEdit32.Ini";

// What the clamps and colour defaults depend on; the frame fills it from the screen.
struct TSettingsEnvironment {
  int32_t ScreenWidth = 1024;
  int32_t ScreenHeight = 768;
  TSystemColors SystemColors;
};

struct TIniOptions {
  // [Sizes]
  int32_t WinX = 20, WinY = 20, WinW = 600, WinH = 440;
  bool WinMaximized = false;
  // [Misc]
  bool ShowExChars = false;
  bool ShowLineNumbers = false;
  bool HexAllChars = false;
  bool HexTextBlockOnly = false;
  std::string InitDir;
  bool DialogHook = true;
  bool NewPaint = true;
  int32_t BufSize = 0;  // KB; 0: 512 KB
  // [SrchRepl]
  bool SearchCase = false, SearchWord = false, SearchRegEx = false, SearchFromCursor = false,
       SearchBackward = false, ReplaceConfirm = false, SearchHex = false;
  // [GrepOpts]
  bool GrepCase = false, GrepWord = false, GrepRegEx = false, GrepSubdirs = false;
  int32_t GrepOutput = 0;
  bool GrepInfo = false;
  // [General]
  bool ToolBar = true;
  bool ToolTips = true;
  std::string ToolBarButtons;
  bool ToolBarFlat = true;
  bool StatusBar = true;
  int32_t AutoOpen = 1;
  int32_t OpenedFiles = -1;
  bool OpenZoomed = false;
  bool GotoLastPos = false;
  bool DosMode = false;
  bool MultipleInstances = false;
  bool ChangeDir = false;
  bool RestoreDir = false;
  // [Safety]
  bool Backup = false;
  bool Protect = false;
  int32_t NonText = 3;  // 1 hex editor, 2 NULs to blanks read-only, 3 ask
  int32_t LineEnds = 4; // 1 CR LF, 2 LF, 3 CR, 4 all
  // [Edit]
  int32_t TabCols = 8;
  bool TabToSpaces = false;
  bool CursorBeyondEnd = true;
  bool AutoIndent = true;
  bool DragDropEdit = true;
  bool ReplaceSelection = true;
  bool DeleteTrailingBlanks = false;
  bool WordWrap = false;
  bool WrapAtWindow = true;
  int32_t WrapCol = 70;
  // [PageSetup]
  std::string PageHeader, PageFooter;
  int32_t MarginLeft = 200, MarginRight = 0, MarginTop = 200, MarginBottom = 200;
  bool PrintLineNumbers = false, BreakLines = false, UseScreenFont = true, UseFileDate = false;
  // [Fonts]: window kinds text, hex, global search, compare; then printer and DOS
  std::array<platform::TLogFont, 4> Fonts{DefaultWindowFont(), DefaultWindowFont(),
                                          DefaultWindowFont(), DefaultWindowFont()};
  platform::TLogFont PrinterFont = DefaultPrinterFont();
  bool SystemFonts = false;
  bool NoDosFont = false;  // "TRM"
  platform::TLogFont DosFont = ParseDosFontString("-15,0,0");
  // [Colors]
  std::array<TKindColors, 4> Colors{};
  bool SystemColors = false;
  // [SyntaxColoring]
  bool SyntaxColoring = true;
  platform::TColorRef KeyColor = platform::MakeRgb(0, 0, 255);
  platform::TColorRef CommentColor = platform::MakeRgb(0, 128, 0);
  platform::TColorRef StringColor = platform::MakeRgb(255, 0, 255);

  // Lists
  std::vector<std::string> Filters;  // "description|patterns"
  int32_t FilterIndex = 1;           // 1-based
  TStringHistory Dirs;
  TStringHistory SearchTexts;
  TStringHistory ReplaceTexts;
  std::vector<std::string> HelpFiles;
  TStringHistory GrepTexts;
  TStringHistory GrepMasks;
  TStringHistory GrepDirs;
  TStringHistory GrepHistDirs;
  TAppsList Apps;
  TMulRepList MultiReplace;
  TStringHistory CompareLeft;
  TStringHistory CompareRight;

  TIniOptions();
};

// Reads every key in table order, clamping each value right after reading, and hands
// BufSize to the text loader. False when the file exists but cannot be read (the
// defaults then stay).
bool LoadSettings(TIniOptions& options, platform::TProfileFile& file,
                  const TSettingsEnvironment& environment = {});
// Writes every key in table order, every list section erased and rewritten, then writes
// the file back. False when the file cannot be written (the old file stays as it was).
bool SaveSettings(const TIniOptions& options, platform::TProfileFile& file);

// The frame's message for a settings file that could not be read (at start-up) or written
// (at the end): "Die Initialisierungsdatei ... kann nicht gelesen/geschrieben werden!".
std::string SettingsFileMessage(const std::string& fileName, bool writing);

// The same without touching the disk: from and into the profile as it is held in memory.
void ReadSettings(TIniOptions& options, platform::TProfileFile& file,
                  const TSettingsEnvironment& environment = {});
void WriteSettings(const TIniOptions& options, platform::TProfileFile& file);

// The filter list as read from "Filters" (or the old section "Filter", which is erased).
std::vector<std::string> ReadFilters(platform::TProfileFile& file);
