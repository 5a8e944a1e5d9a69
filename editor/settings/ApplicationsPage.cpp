// The page "Anwendungen": the programs of the "&Anwendung" menu with their arguments,
// working directory and the ask-for-arguments flag.
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

constexpr TDialogItem kItems[] = {
    {kStaticClass, "&Bereits installiert:", kLabel, {6, 4, 200, 14}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {6, 15, 220, 74}, idAppList},
    {kButtonClass, "&O", kButton, {226, 15, 250, 29}, idAppUp},
    {kButtonClass, "&U", kButton, {226, 33, 250, 47}, idAppDown},
    {kStaticClass, "&Menü-Eintrag:", kLabel, {6, 82, 80, 92}, -1},
    {kEditClass, "", kField | WS_GROUP, {82, 80, 254, 92}, idAppMenuEntry},
    {kStaticClass, "&Programm-Name:", kLabel, {6, 98, 80, 108}, -1},
    {kEditClass, "", kField, {82, 96, 196, 108}, idAppProgram},
    {kButtonClass, "&Durchsuchen...", kButton, {200, 95, 254, 109}, idAppBrowse},
    {kStaticClass, "&Argumente:   (%1 für aktuelle Datei)", kLabel, {6, 114, 254, 124}, -1},
    {kEditClass, "", kField, {6, 125, 254, 137}, idAppArguments},
    {kStaticClass, "Arbeits&verzeichnis:", kLabel, {6, 143, 80, 153}, -1},
    {kEditClass, "", kField, {82, 141, 254, 153}, idAppDirectory},
    {kButtonClass, "Argumente vor Start abfragen", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, {6, 159, 254, 169}, idAppAsk},
    {kButtonClass, "Hin&zufügen", kButton | WS_GROUP, {6, 176, 70, 190}, idAppAdd},
    {kButtonClass, "&Löschen", kButton, {76, 176, 140, 190}, idAppDelete},
};

constexpr int32_t kFields[] = {idAppMenuEntry, idAppProgram, idAppBrowse, idAppArguments, idAppDirectory, idAppAsk};

bool gFilling = false;

TAppEntry* Selected(TWindow page, TSheetState& s) {
  int32_t i = ListSelection(page, idAppList);
  if (i < 0 || i >= static_cast<int32_t>(s.Apps.size())) return nullptr;
  return &s.Apps[static_cast<size_t>(i)];
}

void ShowSelected(TWindow page, TSheetState& s) {
  TAppEntry* a = Selected(page, s);
  gFilling = true;
  SetDlgItemText(page, idAppMenuEntry, a ? a->MenuEntry : std::string());
  SetDlgItemText(page, idAppProgram, a ? a->Program : std::string());
  SetDlgItemText(page, idAppArguments, a ? a->Arguments : std::string());
  SetDlgItemText(page, idAppDirectory, a ? a->WorkingDirectory : std::string());
  Check(page, idAppAsk, a && a->AskForArguments);
  gFilling = false;
  for (int32_t id : kFields) EnableControl(page, id, a != nullptr);
  int32_t i = ListSelection(page, idAppList);
  int32_t count = static_cast<int32_t>(s.Apps.size());
  EnableControl(page, idAppDelete, a != nullptr);
  EnableControl(page, idAppUp, a && i > 0);
  EnableControl(page, idAppDown, a && i + 1 < count);
  EnableControl(page, idAppAdd, s.Apps.size() < TAppsList::kMaxApps);
}

void Refill(TWindow page, TSheetState& s, int32_t select) {
  SendDlgItemMessage(page, idAppList, LB_RESETCONTENT, 0, 0);
  for (const TAppEntry& a : s.Apps) ListAdd(page, idAppList, a.MenuEntry);
  int32_t count = static_cast<int32_t>(s.Apps.size());
  ListSelect(page, idAppList, select < count ? select : count - 1);
  ShowSelected(page, s);
}

// "|" separates the stored fields, so no field may hold one.
std::string Field(TWindow page, int32_t id) {
  std::string text = GetDlgItemText(page, id);
  for (char& c : text) {
    if (c == '|') c = ' ';
  }
  return text;
}

void TakeFields(TWindow page, TSheetState& s, int32_t id) {
  TAppEntry* a = Selected(page, s);
  if (!a) return;
  a->MenuEntry = Field(page, idAppMenuEntry);
  a->Program = Field(page, idAppProgram);
  a->Arguments = Field(page, idAppArguments);
  a->WorkingDirectory = Field(page, idAppDirectory);
  a->AskForArguments = Checked(page, idAppAsk);
  if (id == idAppMenuEntry) {
    int32_t i = ListSelection(page, idAppList);
    SendDlgItemMessage(page, idAppList, LB_DELETESTRING, static_cast<uintptr_t>(i), 0);
    SendDlgItemMessage(page, idAppList, LB_INSERTSTRING, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(a->MenuEntry.c_str()));
    ListSelect(page, idAppList, i);
  }
  PageChanged(page);
}

void Add(TWindow page, TSheetState& s) {
  if (s.Apps.size() >= TAppsList::kMaxApps) {
    MessageBeep(0);
    return;
  }
  TAppEntry a;
  a.MenuEntry = std::string(LoadResString(41));
  s.Apps.push_back(a);
  Refill(page, s, static_cast<int32_t>(s.Apps.size()) - 1);
  GotoDlgCtrl(GetDlgItem(page, idAppMenuEntry));
  PageChanged(page);
}

void Delete(TWindow page, TSheetState& s) {
  int32_t i = ListSelection(page, idAppList);
  if (i < 0 || i >= static_cast<int32_t>(s.Apps.size())) return;
  s.Apps.erase(s.Apps.begin() + i);
  Refill(page, s, i);
  PageChanged(page);
}

void Browse(TWindow page, TSheetState& s) {
  TAppEntry* a = Selected(page, s);
  if (!a) return;
  TFileDialog dialog;
  dialog.Owner = page;
  dialog.Title = std::string(LoadResString(62));
  dialog.Filter = std::string(LoadResString(21)) + "|" + std::string(LoadResString(20));
  dialog.FileName = a->Program;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileName(dialog) || dialog.Files.empty()) return;
  SetDlgItemText(page, idAppProgram, dialog.Files[0]);
}

// Entries without a menu entry or a program are not kept.
void Apply(TSheetState& s) {
  TAppsList list;
  for (const TAppEntry& a : s.Apps) (void)list.Add(a);
  TAppsList& apps = s.Options().Apps;
  if (list.Items() != apps.Items()) {
    apps = list;
    s.Changed(sgApplications, 0);
  }
}

}  // namespace

const TDialogTemplate kApplicationsPage{"Anwendungen", {260, 214}, kItems, DS_CONTROL};

intptr_t ApplicationsPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG:
      s = BindSheetState(page, lParam);
      Refill(page, *s, 0);
      return 1;
    case WM_COMMAND: {
      if (!s || gFilling) return 0;
      int32_t id = CommandId(wParam);
      switch (id) {
        case idAppList:
          if (CommandCode(wParam) == LBN_SELCHANGE) ShowSelected(page, *s);
          return 1;
        case idAppMenuEntry:
        case idAppProgram:
        case idAppArguments:
        case idAppDirectory:
          if (CommandCode(wParam) == EN_CHANGE) TakeFields(page, *s, id);
          return 1;
        case idAppAsk: TakeFields(page, *s, id); return 1;
        case idAppUp:
        case idAppDown: {
          int32_t i = ListSelection(page, idAppList);
          int32_t delta = id == idAppUp ? -1 : 1;
          if (MoveItem(s->Apps, i, delta)) {
            Refill(page, *s, i + delta);
            PageChanged(page);
          }
          return 1;
        }
        case idAppAdd: Add(page, *s); return 1;
        case idAppDelete: Delete(page, *s); return 1;
        case idAppBrowse: Browse(page, *s); return 1;
        default: return 0;
      }
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
