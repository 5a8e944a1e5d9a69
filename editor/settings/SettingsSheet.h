// The property sheet "Programm-Einstellungen": its nine pages, the page it opens at, and
// what it needs from the frame (the settings record, the place to announce changes).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/frame/IniOptions.h"
#include "platform/ui/UiTypes.h"

// Pages in the order of their tabs.
enum TSettingsPage : int32_t {
  spGeneral = 0,
  spSafety,
  spTextEditor,
  spColors,
  spFilters,
  spPageSetup,
  spMultiReplace,
  spApplications,
  spSyntax,
  spPageCount,
  spLastShown = -1,  // the page the sheet was left at the last time
};

// Groups of wm_SettingsChanged the pages announce.
enum TSettingsGroup : int32_t {
  sgFonts = 1,
  sgColors = 2,
  sgSystemFontOff = 3,
  sgTabWidth = 11,
  sgTabToSpaces = 12,
  sgCursorBeyondEnd = 13,
  sgAutoIndent = 14,
  sgReplaceSelection = 15,
  sgTrimOnSave = 16,
  sgWordWrap = 17,
  sgWrapAtWindow = 18,
  sgWrapColumn = 19,
  sgDragDrop = 20,
  sgProtect = 25,
  sgStatusBar = 31,
  sgToolBar = 32,
  sgToolBarStyle = 33,
  sgToolBarLayout = 34,
  sgToolTips = 35,
  sgApplications = 41,
  sgSyntax = 60,  // syntax definitions or their switch and colours: re-attached per window
};

// What the sheet works on. Pages write into Options only when the sheet is applied.
struct TSettingsHost {
  platform::TWindow Owner = 0;
  TIniOptions* Options = nullptr;
  std::string ColorFile;   // "ZKColors.Ini"; empty: the page "Syntax" edits nothing
  std::string ColorWriteFile;  // where it is written; empty: ColorFile
  int32_t ActiveKind = 0;  // TColorKind of the active window, for the colours page
  // One changed group with its value (the frame sends itself wm_SettingsChanged).
  std::function<void(int32_t group, intptr_t value)> Changed;
  // "Symbol&leiste anpassen ...".
  std::function<void()> CustomizeToolBar;
  // The sheet's help button.
  std::function<void()> Help;
};

// Runs the sheet modally at `page` (spLastShown: where it was left last). 1 after OK,
// 0 after Abbrechen (what "Ü&bernehmen" applied before stays), -1 when it could not show.
intptr_t RunSettingsSheet(TSettingsHost& host, int32_t page);

// The page the next spLastShown opens at.
int32_t LastSettingsPage();
void SetLastSettingsPage(int32_t page);

// The tab-width and wrap-column rule of the page "Texteditor": a number above 999 becomes
// 256, one below 2 becomes 2; text that is not a number gives `fallback`.
int32_t CorrectColumnField(const std::string& text, int32_t fallback);
