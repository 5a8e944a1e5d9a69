// The settings sheet: its working state, the pages in order, the page shown last, and the
// control helpers the pages share.
#include "editor/settings/SettingsSheet.h"

#include <cerrno>
#include <cstdlib>

#include "editor/settings/SettingsPages.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

int32_t gLastPage = spGeneral;

}  // namespace

TSheetState::TSheetState(TSettingsHost& host) : Host(&host) {
  const TIniOptions& o = *host.Options;
  Fonts = o.Fonts;
  Colors = o.Colors;
  SystemColors = o.SystemColors;
  SyntaxColors = {o.KeyColor, o.CommentColor, o.StringColor};
  ColorKind = host.ActiveKind >= 0 && host.ActiveKind < 4 ? host.ActiveKind : 0;
  Filters = o.Filters;
  MultiReplace = o.MultiReplace;
  Apps = o.Apps.Items();
  SyntaxOff = !o.SyntaxColoring;
  if (!host.ColorFile.empty()) {
    TProfileFile file(host.ColorFile);
    (void)file.Load();
    TGlobalSyntaxColors global{o.KeyColor, o.CommentColor, o.StringColor};
    // Definitions are numbered without gaps; the first one without extensions ends them.
    for (int32_t i = 0; i < kMaxSyntaxTypes; ++i) {
      TSyntaxColorInfo info;
      (void)LoadSyntaxColorInfo(file, i, global, info);
      if (info.FileExt.empty()) break;
      Syntax.push_back(std::move(info));
    }
  }
}

TSheetState::~TSheetState() {
  for (TFont font : SampleFonts) {
    if (font) DeleteFont(font);
  }
}

TSheetState* SheetStateOf(TWindow page) {
  return reinterpret_cast<TSheetState*>(GetWindowExtra(page, 0));
}

TSheetState* BindSheetState(TWindow page, intptr_t lParam) {
  SetWindowExtra(page, 0, lParam);
  return reinterpret_cast<TSheetState*>(lParam);
}

void PageChanged(TWindow page) { SendMessage(GetParent(page), PSM_CHANGED, page, 0); }

bool Checked(TWindow page, int32_t id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Check(TWindow page, int32_t id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
void ShowControl(TWindow page, int32_t id, bool show) { ShowWindow(GetDlgItem(page, id), show); }
void EnableControl(TWindow page, int32_t id, bool enable) { EnableWindow(GetDlgItem(page, id), enable); }

int32_t ListSelection(TWindow page, int32_t id) {
  return static_cast<int32_t>(SendDlgItemMessage(page, id, LB_GETCURSEL, 0, 0));
}

void ListSelect(TWindow page, int32_t id, int32_t index) {
  SendDlgItemMessage(page, id, LB_SETCURSEL, static_cast<uintptr_t>(index), 0);
}

void ListAdd(TWindow page, int32_t id, std::string_view text) {
  std::string copy(text);
  SendDlgItemMessage(page, id, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(copy.c_str()));
}

void ListFill(TWindow page, int32_t id, const std::vector<std::string>& items) {
  SendDlgItemMessage(page, id, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) ListAdd(page, id, item);
}

intptr_t PageAnswer(TWindow page, intptr_t result) {
  SetDialogResult(page, result);
  return 1;
}

int32_t SheetNotification(intptr_t lParam) {
  const auto* header = reinterpret_cast<const TNmHdr*>(lParam);
  return header ? header->Code : 0;
}

int32_t CorrectColumnField(const std::string& text, int32_t fallback) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return fallback;
  const char* start = text.c_str() + begin;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(start, &end, 10);
  if (end == start) return fallback;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return fallback;
  if (errno == ERANGE || value > 999) return value < 0 ? 2 : 256;
  if (value < 2) return 2;
  return static_cast<int32_t>(value);
}

int32_t LastSettingsPage() { return gLastPage; }
void SetLastSettingsPage(int32_t page) {
  gLastPage = page >= 0 && page < spPageCount ? page : spGeneral;
}

intptr_t RunSettingsSheet(TSettingsHost& host, int32_t page) {
  if (!host.Options) return -1;
  TSheetState state(host);
  const auto param = reinterpret_cast<intptr_t>(&state);
  const TPropSheetPage pages[spPageCount] = {
      {&kGeneralPage, GeneralPageProc, param, "Allgemein"},
      {&kSafetyPage, SafetyPageProc, param, "Sicherheit"},
      {&kTextEditorPage, TextEditorPageProc, param, "Texteditor"},
      {&kColorsPage, ColorsPageProc, param, "Farben/Schriften"},
      {&kFiltersPage, FiltersPageProc, param, "Dateifilter"},
      {&kPageSetupPage, PageSetupPageProc, param, "Seite einrichten"},
      {&kMultiReplacePage, MultiReplacePageProc, param, "Mehrfach-Ersetzen"},
      {&kApplicationsPage, ApplicationsPageProc, param, "Anwendungen"},
      {&kSyntaxPage, SyntaxPageProc, param, "Syntax"},
  };
  std::string caption = std::string(LoadResString(0)) + ": " + std::string(LoadResString(70));
  TPropSheetHeader header;
  header.Owner = host.Owner;
  header.Caption = caption;
  header.Pages = pages;
  header.StartPage = page == spLastShown ? gLastPage : page;
  if (header.StartPage < 0 || header.StartPage >= spPageCount) header.StartPage = spGeneral;
  header.Flags = PSH_HASHELP;
  int32_t last = header.StartPage;
  header.LastPage = &last;
  intptr_t result = PropertySheet(header);
  if (result >= 0) SetLastSettingsPage(last);
  return result;
}
