// What the pages of the settings sheet share: the sheet's working state, the page templates
// and procedures, and small helpers for reading and writing controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/frame/IniOptions.h"
#include "editor/search/SyntaxColorInfo.h"
#include "editor/settings/SettingsSheet.h"
#include "platform/ui/Dialog.h"

// The working copies of the pages whose controls cannot hold everything themselves; they
// reach the settings record only when the sheet is applied.
struct TSheetState {
  TSettingsHost* Host = nullptr;
  // "Farben/Schriften"
  std::array<platform::TLogFont, 4> Fonts{};
  std::array<TKindColors, 4> Colors{};
  bool SystemColors = false;
  std::array<platform::TColorRef, 3> SyntaxColors{};  // keywords, comments, strings
  std::array<platform::TFont, 4> SampleFonts{};       // made for the sample, freed with the state
  int32_t ColorKind = 0;                              // the kind shown (4: syntax)
  bool FontsChanged = false;
  // "Dateifilter"
  std::vector<std::string> Filters;
  // "Mehrfach-Ersetzen"
  TMulRepList MultiReplace;
  // "Anwendungen"
  std::vector<TAppEntry> Apps;
  // "Syntax"
  std::vector<TSyntaxColorInfo> Syntax;
  bool SyntaxOff = false;

  explicit TSheetState(TSettingsHost& host);
  ~TSheetState();
  TSheetState(const TSheetState&) = delete;
  TSheetState& operator=(const TSheetState&) = delete;
  TIniOptions& Options() const { return *Host->Options; }
  void Changed(int32_t group, intptr_t value) const {
    if (Host->Changed) Host->Changed(group, value);
  }
};

// The state behind a page (stored at WM_INITDIALOG).
TSheetState* SheetStateOf(platform::TWindow page);
// WM_INITDIALOG of every page: remembers the state; the rest is the page's.
TSheetState* BindSheetState(platform::TWindow page, intptr_t lParam);
// Tells the sheet that a page has changes ("Ü&bernehmen" becomes available).
void PageChanged(platform::TWindow page);

// Controls.
bool Checked(platform::TWindow page, int32_t id);
void Check(platform::TWindow page, int32_t id, bool on);
void ShowControl(platform::TWindow page, int32_t id, bool show);
void EnableControl(platform::TWindow page, int32_t id, bool enable);
int32_t ListSelection(platform::TWindow page, int32_t id);
void ListSelect(platform::TWindow page, int32_t id, int32_t index);
void ListFill(platform::TWindow page, int32_t id, const std::vector<std::string>& items);
void ListAdd(platform::TWindow page, int32_t id, std::string_view text);
// The notification code of a WM_COMMAND.
inline uint32_t CommandCode(uintptr_t wParam) { return static_cast<uint32_t>((wParam >> 16) & 0xFFFF); }
inline int32_t CommandId(uintptr_t wParam) { return static_cast<int32_t>(wParam & 0xFFFF); }
// Answer of a PSN_* notification.
intptr_t PageAnswer(platform::TWindow page, intptr_t result);
// The notification code of a WM_NOTIFY; 0 when it is not a sheet notification.
int32_t SheetNotification(intptr_t lParam);
// Moves item `from` of a vector to `from + delta` when both are in range; true when moved.
template <typename T>
bool MoveItem(std::vector<T>& items, int32_t from, int32_t delta) {
  int32_t to = from + delta;
  if (from < 0 || to < 0 || from >= static_cast<int32_t>(items.size()) ||
      to >= static_cast<int32_t>(items.size())) {
    return false;
  }
  std::swap(items[static_cast<size_t>(from)], items[static_cast<size_t>(to)]);
  return true;
}

// The pages, in their tab order.
extern const platform::TDialogTemplate kGeneralPage;
extern const platform::TDialogTemplate kSafetyPage;
extern const platform::TDialogTemplate kTextEditorPage;
extern const platform::TDialogTemplate kColorsPage;
extern const platform::TDialogTemplate kFiltersPage;
extern const platform::TDialogTemplate kPageSetupPage;
extern const platform::TDialogTemplate kMultiReplacePage;
extern const platform::TDialogTemplate kApplicationsPage;
extern const platform::TDialogTemplate kSyntaxPage;

intptr_t GeneralPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t SafetyPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t TextEditorPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t ColorsPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t FiltersPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t PageSetupPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t MultiReplacePageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t ApplicationsPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
intptr_t SyntaxPageProc(platform::TWindow, uint32_t, uintptr_t, intptr_t);
