// The page "Dateifilter": the file dialogs' filter list, edited, reordered and applied.
#include <algorithm>
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr size_t kMaxFilters = 20;
constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

constexpr TDialogItem kItems[] = {
    {kButtonClass, "Vorhandene Dateifilter:", WS_VISIBLE | BS_GROUPBOX, {6, 4, 254, 104}, -1},
    {kStaticClass, "Bezeich&nung / Filter:", kLabel, {12, 16, 200, 26}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY | LBS_USETABSTOPS, {12, 27, 220, 100}, idFilterList},
    {kButtonClass, "&O", kButton, {226, 27, 248, 41}, idFilterUp},
    {kButtonClass, "&U", kButton, {226, 45, 248, 59}, idFilterDown},
    {kButtonClass, "selektierter/neuer Eintrag:", WS_VISIBLE | BS_GROUPBOX, {6, 108, 254, 196}, -1},
    {kStaticClass, "B&ezeichnung:", kLabel, {12, 122, 80, 132}, -1},
    {kEditClass, "", kField | WS_GROUP, {82, 120, 180, 132}, idFilterName},
    {kStaticClass, "(z.B.: Texte)", kLabel, {184, 122, 250, 132}, -1},
    {kStaticClass, "&Filter:(z.B.:*.txt)", kLabel, {12, 138, 80, 148}, -1},
    {kEditClass, "", kField, {82, 136, 248, 148}, idFilterPatterns},
    {kStaticClass, "Mehrere Filter durch Semikolon trennen, z.B.: *.txt;*.ini;*.dok", WS_VISIBLE | SS_LEFT, {12, 152, 248, 172}, -1},
    {kButtonClass, "Hin&zufügen", kButton | WS_GROUP, {12, 176, 76, 190}, idFilterAdd},
    {kButtonClass, "&Löschen", kButton, {82, 176, 146, 190}, idFilterDelete},
};

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

std::string Shown(const std::string& filter) {
  std::string text = filter;
  size_t bar = text.find('|');
  if (bar != std::string::npos) text[bar] = '\t';
  return text;
}

void Refill(TWindow page, const TSheetState& s, int32_t select) {
  SendDlgItemMessage(page, idFilterList, LB_RESETCONTENT, 0, 0);
  for (const std::string& f : s.Filters) ListAdd(page, idFilterList, Shown(f));
  if (select >= static_cast<int32_t>(s.Filters.size())) select = static_cast<int32_t>(s.Filters.size()) - 1;
  ListSelect(page, idFilterList, select);
  bool any = select >= 0;
  EnableControl(page, idFilterDelete, any);
  EnableControl(page, idFilterUp, any && select > 0);
  EnableControl(page, idFilterDown, any && select + 1 < static_cast<int32_t>(s.Filters.size()));
}

void ShowSelected(TWindow page, const TSheetState& s) {
  int32_t i = ListSelection(page, idFilterList);
  if (i < 0 || i >= static_cast<int32_t>(s.Filters.size())) return;
  const std::string& f = s.Filters[static_cast<size_t>(i)];
  size_t bar = f.find('|');
  SetDlgItemText(page, idFilterName, f.substr(0, bar));
  SetDlgItemText(page, idFilterPatterns, bar == std::string::npos ? std::string() : f.substr(bar + 1));
  Refill(page, s, i);
}

// A filter whose description is already there replaces it; a new one goes behind the
// selected entry (or at the end). Descriptions and patterns must not contain "|".
void Add(TWindow page, TSheetState& s) {
  std::string name = Trim(GetDlgItemText(page, idFilterName));
  std::string patterns = Trim(GetDlgItemText(page, idFilterPatterns));
  if (name.empty() || patterns.empty() || name.find('|') != std::string::npos ||
      patterns.find('|') != std::string::npos) {
    MessageBeep(0);
    return;
  }
  std::string filter = name + "|" + patterns;
  int32_t at = -1;
  for (size_t i = 0; i < s.Filters.size(); ++i) {
    std::string existing = s.Filters[i].substr(0, s.Filters[i].find('|'));
    if (existing.size() == name.size() &&
        std::equal(existing.begin(), existing.end(), name.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); })) {
      at = static_cast<int32_t>(i);
      break;
    }
  }
  if (at >= 0) {
    s.Filters[static_cast<size_t>(at)] = filter;
  } else {
    if (s.Filters.size() >= kMaxFilters) {
      MessageBeep(0);
      return;
    }
    int32_t selected = ListSelection(page, idFilterList);
    at = selected >= 0 ? selected + 1 : static_cast<int32_t>(s.Filters.size());
    s.Filters.insert(s.Filters.begin() + at, filter);
  }
  Refill(page, s, at);
  PageChanged(page);
}

void Delete(TWindow page, TSheetState& s) {
  int32_t i = ListSelection(page, idFilterList);
  if (i < 0 || i >= static_cast<int32_t>(s.Filters.size())) return;
  s.Filters.erase(s.Filters.begin() + i);
  Refill(page, s, i);
  ShowSelected(page, s);
  PageChanged(page);
}

void Move(TWindow page, TSheetState& s, int32_t delta) {
  int32_t i = ListSelection(page, idFilterList);
  if (!MoveItem(s.Filters, i, delta)) return;
  Refill(page, s, i + delta);
  PageChanged(page);
}

void Apply(TSheetState& s) {
  TIniOptions& o = s.Options();
  o.Filters = s.Filters;
  if (o.Filters.empty()) o.Filters.emplace_back(LoadResString(20));
  if (o.FilterIndex < 1 || o.FilterIndex > static_cast<int32_t>(o.Filters.size())) o.FilterIndex = 1;
}

}  // namespace

const TDialogTemplate kFiltersPage{"Dateifilter", {260, 214}, kItems, DS_CONTROL};

intptr_t FiltersPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG: {
      s = BindSheetState(page, lParam);
      const int32_t stops[] = {90};
      SendDlgItemMessage(page, idFilterList, LB_SETTABSTOPS, 1, reinterpret_cast<intptr_t>(stops));
      Refill(page, *s, 0);
      ShowSelected(page, *s);
      return 1;
    }
    case WM_COMMAND:
      if (!s) return 0;
      switch (CommandId(wParam)) {
        case idFilterList:
          if (CommandCode(wParam) == LBN_SELCHANGE) ShowSelected(page, *s);
          return 1;
        case idFilterUp: Move(page, *s, -1); return 1;
        case idFilterDown: Move(page, *s, 1); return 1;
        case idFilterAdd: Add(page, *s); return 1;
        case idFilterDelete: Delete(page, *s); return 1;
        default: return 0;
      }
    case WM_NOTIFY:
      if (SheetNotification(lParam) == PSN_APPLY) {
        if (s) Apply(*s);
        return PageAnswer(page, PSNRET_NOERROR);
      }
      return 0;
    default:
      return 0;
  }
}
