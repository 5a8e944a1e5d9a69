// The page "Mehrfach-Ersetzen": replacement groups with their options and their pairs of
// search text and replacement.
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

constexpr TDialogItem kItems[] = {
    {kStaticClass, "&Ersetzungsgruppen:", kLabel, {6, 4, 120, 14}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {6, 15, 122, 84}, idGroupList},
    {kStaticClass, "Be&zeichnung ändern:", kLabel, {128, 4, 254, 14}, -1},
    {kEditClass, "", kField | WS_GROUP, {128, 15, 254, 27}, idGroupName},
    {kButtonClass, "Neue Gr&uppe", kButton, {128, 31, 188, 45}, idGroupNew},
    {kButtonClass, "&Löschen", kButton, {194, 31, 254, 45}, idGroupDelete},
    {kButtonClass, "&Groß-/Kleinschreibung", kCheck, {128, 51, 254, 61}, idGroupCase},
    {kButtonClass, "Ganze &Wörter", kCheck, {128, 62, 254, 72}, idGroupWords},
    {kButtonClass, "&Reguläre Ausdrücke", kCheck, {128, 73, 254, 83}, idGroupRegEx},
    {kStaticClass, "&Suchbegriffe  /  Ersetzungen:", kLabel | WS_GROUP, {6, 90, 254, 100}, -1},
    {kListViewClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, {6, 101, 254, 170}, idPairList},
    {kEditClass, "", kField | WS_GROUP, {6, 174, 128, 186}, idPairSearch},
    {kEditClass, "", kField, {132, 174, 254, 186}, idPairReplace},
    {kButtonClass, "&Neu", kButton | WS_GROUP, {6, 192, 64, 206}, idPairNew},
    {kButtonClass, "Lös&chen", kButton, {70, 192, 128, 206}, idPairDelete},
};

// While the page fills its own controls, their change notifications are not edits.
bool gFilling = false;

TMulRepItems* SelectedGroup(TWindow page, TSheetState& s) {
  int32_t g = ListSelection(page, idGroupList);
  if (g < 0 || g >= static_cast<int32_t>(s.MultiReplace.Groups.size())) return nullptr;
  return &s.MultiReplace.Groups[static_cast<size_t>(g)];
}

int32_t SelectedPair(TWindow page) {
  return static_cast<int32_t>(SendDlgItemMessage(page, idPairList, LVM_GETNEXTITEM, static_cast<uintptr_t>(-1), LVNI_SELECTED));
}

void SetPairRow(TWindow page, int32_t row, const TMulRepPair& pair, bool insert) {
  TLvItem item{row, 0, pair.Search};
  SendDlgItemMessage(page, idPairList, insert ? LVM_INSERTITEM : LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&item));
  TLvItem sub{row, 1, pair.Replace};
  SendDlgItemMessage(page, idPairList, LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&sub));
}

void SelectPair(TWindow page, int32_t row) {
  TLvItem state;
  state.State = LVIS_SELECTED | LVIS_FOCUSED;
  state.StateMask = LVIS_SELECTED | LVIS_FOCUSED;
  TLvItem none;
  none.StateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendDlgItemMessage(page, idPairList, LVM_SETITEMSTATE, static_cast<uintptr_t>(-1), reinterpret_cast<intptr_t>(&none));
  if (row >= 0) {
    SendDlgItemMessage(page, idPairList, LVM_SETITEMSTATE, static_cast<uintptr_t>(row), reinterpret_cast<intptr_t>(&state));
    SendDlgItemMessage(page, idPairList, LVM_ENSUREVISIBLE, static_cast<uintptr_t>(row), 0);
  }
}

void ShowPair(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  int32_t p = SelectedPair(page);
  bool any = g && p >= 0 && p < static_cast<int32_t>(g->Pairs.size());
  gFilling = true;
  SetDlgItemText(page, idPairSearch, any ? g->Pairs[static_cast<size_t>(p)].Search : std::string());
  SetDlgItemText(page, idPairReplace, any ? g->Pairs[static_cast<size_t>(p)].Replace : std::string());
  gFilling = false;
  EnableControl(page, idPairSearch, any);
  EnableControl(page, idPairReplace, any);
  EnableControl(page, idPairDelete, any);
  EnableControl(page, idPairNew, g && g->Pairs.size() < TMulRepItems::kMaxPairs);
}

void ShowGroup(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  gFilling = true;
  SetDlgItemText(page, idGroupName, g ? g->Name : std::string());
  Check(page, idGroupCase, g && g->CaseSensitive);
  Check(page, idGroupWords, g && g->WholeWords);
  Check(page, idGroupRegEx, g && g->RegularExpression);
  SendDlgItemMessage(page, idPairList, LVM_DELETEALLITEMS, 0, 0);
  if (g) {
    for (size_t i = 0; i < g->Pairs.size(); ++i) SetPairRow(page, static_cast<int32_t>(i), g->Pairs[i], true);
    SelectPair(page, g->Pairs.empty() ? -1 : 0);
  }
  gFilling = false;
  for (int32_t id : {idGroupName, idGroupDelete, idGroupCase, idGroupWords, idGroupRegEx}) EnableControl(page, id, g != nullptr);
  EnableControl(page, idGroupNew, s.MultiReplace.Groups.size() < TMulRepList::kMaxGroups);
  ShowPair(page, s);
}

void FillGroups(TWindow page, TSheetState& s, int32_t select) {
  SendDlgItemMessage(page, idGroupList, LB_RESETCONTENT, 0, 0);
  for (const TMulRepItems& g : s.MultiReplace.Groups) ListAdd(page, idGroupList, g.Name);
  int32_t count = static_cast<int32_t>(s.MultiReplace.Groups.size());
  ListSelect(page, idGroupList, select < count ? select : count - 1);
  ShowGroup(page, s);
}

// The group name cannot hold "|": it separates the name from the flags when stored.
std::string CleanName(std::string name) {
  for (char& c : name) {
    if (c == '|') c = '/';
  }
  return name;
}

void Rename(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  if (!g) return;
  g->Name = CleanName(GetDlgItemText(page, idGroupName));
  int32_t sel = ListSelection(page, idGroupList);
  std::string shown = g->Name;
  SendDlgItemMessage(page, idGroupList, LB_DELETESTRING, static_cast<uintptr_t>(sel), 0);
  SendDlgItemMessage(page, idGroupList, LB_INSERTSTRING, static_cast<uintptr_t>(sel), reinterpret_cast<intptr_t>(shown.c_str()));
  ListSelect(page, idGroupList, sel);
  PageChanged(page);
}

// Search texts and replacements are stored joined by "|", so they cannot contain one.
void EditPair(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  int32_t p = SelectedPair(page);
  if (!g || p < 0 || p >= static_cast<int32_t>(g->Pairs.size())) return;
  TMulRepPair& pair = g->Pairs[static_cast<size_t>(p)];
  std::string search = GetDlgItemText(page, idPairSearch);
  std::string replace = GetDlgItemText(page, idPairReplace);
  if (search.find('|') != std::string::npos || replace.find('|') != std::string::npos) {
    MessageBeep(0);
    gFilling = true;
    SetDlgItemText(page, idPairSearch, pair.Search);
    SetDlgItemText(page, idPairReplace, pair.Replace);
    gFilling = false;
    return;
  }
  pair.Search = search;
  pair.Replace = replace;
  SetPairRow(page, p, pair, false);
  PageChanged(page);
}

void NewGroup(TWindow page, TSheetState& s) {
  if (s.MultiReplace.Groups.size() >= TMulRepList::kMaxGroups) return;
  TMulRepItems g;
  g.Name = "Neue Gruppe " + std::to_string(s.MultiReplace.Groups.size() + 1);
  s.MultiReplace.Groups.push_back(g);
  FillGroups(page, s, static_cast<int32_t>(s.MultiReplace.Groups.size()) - 1);
  GotoDlgCtrl(GetDlgItem(page, idGroupName));
  PageChanged(page);
}

void DeleteGroup(TWindow page, TSheetState& s) {
  int32_t g = ListSelection(page, idGroupList);
  if (g < 0 || g >= static_cast<int32_t>(s.MultiReplace.Groups.size())) return;
  s.MultiReplace.Groups.erase(s.MultiReplace.Groups.begin() + g);
  FillGroups(page, s, g);
  PageChanged(page);
}

void NewPair(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  if (!g || g->Pairs.size() >= TMulRepItems::kMaxPairs) return;
  g->Pairs.push_back({});
  int32_t row = static_cast<int32_t>(g->Pairs.size()) - 1;
  gFilling = true;
  SetPairRow(page, row, g->Pairs.back(), true);
  SelectPair(page, row);
  gFilling = false;
  ShowPair(page, s);
  GotoDlgCtrl(GetDlgItem(page, idPairSearch));
  PageChanged(page);
}

void DeletePair(TWindow page, TSheetState& s) {
  TMulRepItems* g = SelectedGroup(page, s);
  int32_t p = SelectedPair(page);
  if (!g || p < 0 || p >= static_cast<int32_t>(g->Pairs.size())) return;
  g->Pairs.erase(g->Pairs.begin() + p);
  gFilling = true;
  SendDlgItemMessage(page, idPairList, LVM_DELETEITEM, static_cast<uintptr_t>(p), 0);
  int32_t count = static_cast<int32_t>(g->Pairs.size());
  SelectPair(page, p < count ? p : count - 1);
  gFilling = false;
  ShowPair(page, s);
  PageChanged(page);
}

void TakeOption(TWindow page, TSheetState& s, int32_t id) {
  TMulRepItems* g = SelectedGroup(page, s);
  if (!g) return;
  bool on = Checked(page, id);
  (id == idGroupCase ? g->CaseSensitive : id == idGroupWords ? g->WholeWords : g->RegularExpression) = on;
  PageChanged(page);
}

// Pairs without a search text cannot be stored; a group without name or pairs neither.
void Apply(TSheetState& s) {
  TMulRepList list;
  for (const TMulRepItems& g : s.MultiReplace.Groups) {
    TMulRepItems kept = g;
    std::erase_if(kept.Pairs, [](const TMulRepPair& p) { return p.Search.empty(); });
    list.Groups.push_back(std::move(kept));
  }
  s.Options().MultiReplace = list;
}

}  // namespace

const TDialogTemplate kMultiReplacePage{"Mehrfach-Ersetzen", {260, 214}, kItems, DS_CONTROL};

intptr_t MultiReplacePageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG: {
      s = BindSheetState(page, lParam);
      TLvColumn search{"Suchbegriff", 150};
      TLvColumn replace{"Ersetzung", 150};
      SendDlgItemMessage(page, idPairList, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&search));
      SendDlgItemMessage(page, idPairList, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&replace));
      SendDlgItemMessage(page, idGroupName, EM_LIMITTEXT, 50, 0);
      FillGroups(page, *s, 0);
      return 1;
    }
    case WM_COMMAND:
      if (!s || gFilling) return 0;
      switch (CommandId(wParam)) {
        case idGroupList:
          if (CommandCode(wParam) == LBN_SELCHANGE) ShowGroup(page, *s);
          return 1;
        case idGroupName:
          if (CommandCode(wParam) == EN_CHANGE) Rename(page, *s);
          return 1;
        case idPairSearch:
        case idPairReplace:
          if (CommandCode(wParam) == EN_CHANGE) EditPair(page, *s);
          return 1;
        case idGroupNew: NewGroup(page, *s); return 1;
        case idGroupDelete: DeleteGroup(page, *s); return 1;
        case idPairNew: NewPair(page, *s); return 1;
        case idPairDelete: DeletePair(page, *s); return 1;
        case idGroupCase:
        case idGroupWords:
        case idGroupRegEx:
          TakeOption(page, *s, CommandId(wParam));
          return 1;
        default:
          return 0;
      }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const TNmHdr*>(lParam);
      if (s && !gFilling && header && header->IdFrom == static_cast<uintptr_t>(idPairList) && header->Code == LVN_ITEMCHANGED) {
        ShowPair(page, *s);
        return 1;
      }
      if (SheetNotification(lParam) == PSN_APPLY) {
        if (s) Apply(*s);
        return PageAnswer(page, PSNRET_NOERROR);
      }
      return 0;
    }
    default:
      return 0;
  }
}
