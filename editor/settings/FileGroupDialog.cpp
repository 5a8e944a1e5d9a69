// File groups: opening every file of a group, and setting groups up (names, files added
// through the file dialog or from the open windows, files removed).
#include <string>

#include "editor/settings/FileListDialogs.h"
#include "editor/settings/SettingsIds.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kSetup = WS_TABSTOP;  // shown in set-up mode only

constexpr TDialogItem kItems[] = {
    {kStaticClass, "&Bezeichnung für Dateigruppe:", kLabel, {6, 6, 150, 16}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {6, 17, 150, 90}, idGroupNames},
    {kEditClass, "", kSetup | WS_BORDER | ES_AUTOHSCROLL, {6, 93, 150, 105}, idGroupEditName},
    {kStaticClass, "&Dateien:", kLabel, {156, 6, 330, 16}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_GROUP | LBS_NOTIFY, {156, 17, 330, 105}, idGroupFiles},
    {kButtonClass, "&Neu", kSetup | WS_GROUP, {6, 110, 52, 124}, idGroupAddNew},
    {kButtonClass, "&Löschen", kSetup, {56, 110, 102, 124}, idGroupRemove},
    {kButtonClass, "Hin&zufügen...", kSetup, {156, 110, 212, 124}, idGroupAddFiles},
    {kButtonClass, "&Alle geöffneten hinzufügen", kSetup, {216, 110, 330, 124}, idGroupAddOpen},
    {kButtonClass, "Ent&fernen", kSetup, {156, 128, 212, 142}, idGroupRemoveFile},
    {kButtonClass, "Öffnen", kButton | WS_GROUP | BS_DEFPUSHBUTTON, {336, 17, 396, 31}, IDOK},
    {kButtonClass, "Abbrechen", kButton, {336, 35, 396, 49}, IDCANCEL},
    {kButtonClass, "&Einrichten...", kButton, {336, 53, 396, 67}, idGroupSetup},
};
const TDialogTemplate kTemplate{"Z&K Quellwerk: Dateigruppe öffnen", {402, 148}, kItems, DS_MODALFRAME};

constexpr int32_t kSetupControls[] = {idGroupEditName, idGroupAddNew, idGroupRemove, idGroupAddFiles,
                                      idGroupAddOpen, idGroupRemoveFile};

struct TGroupDialog {
  TFileListsHost* Host;
  bool Setup;
  TFileGroups Groups;  // the working copy; taken over with OK in set-up mode
  bool Filling = false;
};

TGroupDialog* DialogOf(TWindow dialog) { return reinterpret_cast<TGroupDialog*>(GetWindowExtra(dialog, 0)); }

int32_t Selection(TWindow dialog, int32_t id) {
  return static_cast<int32_t>(SendDlgItemMessage(dialog, id, LB_GETCURSEL, 0, 0));
}

TFileGroup* SelectedGroup(TWindow dialog, TGroupDialog& d) {
  int32_t i = Selection(dialog, idGroupNames);
  if (i < 0 || i >= static_cast<int32_t>(d.Groups.Size())) return nullptr;
  return &d.Groups[static_cast<size_t>(i)];
}

void AddLine(TWindow dialog, int32_t id, const std::string& text) {
  SendDlgItemMessage(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(text.c_str()));
}

void Enable(TWindow dialog, TGroupDialog& d) {
  TFileGroup* g = SelectedGroup(dialog, d);
  bool room = g && g->Files.Size() < TFileList::kMaxStored;
  EnableWindow(GetDlgItem(dialog, IDOK), d.Setup || (g && !g->Files.Empty()));
  EnableWindow(GetDlgItem(dialog, idGroupEditName), g != nullptr);
  EnableWindow(GetDlgItem(dialog, idGroupRemove), g != nullptr);
  EnableWindow(GetDlgItem(dialog, idGroupAddNew), d.Groups.Size() < TFileGroups::kMaxGroups);
  EnableWindow(GetDlgItem(dialog, idGroupAddFiles), room);
  EnableWindow(GetDlgItem(dialog, idGroupAddOpen), room);
  EnableWindow(GetDlgItem(dialog, idGroupRemoveFile), g && Selection(dialog, idGroupFiles) >= 0);
}

void ShowFiles(TWindow dialog, TGroupDialog& d, int32_t select) {
  SendDlgItemMessage(dialog, idGroupFiles, LB_RESETCONTENT, 0, 0);
  TFileGroup* g = SelectedGroup(dialog, d);
  d.Filling = true;
  SetDlgItemText(dialog, idGroupEditName, g ? g->Name : std::string());
  d.Filling = false;
  if (g) {
    for (size_t i = 0; i < g->Files.Size(); ++i) AddLine(dialog, idGroupFiles, g->Files[i].Name);
    int32_t count = static_cast<int32_t>(g->Files.Size());
    SendDlgItemMessage(dialog, idGroupFiles, LB_SETCURSEL, static_cast<uintptr_t>(select < count ? select : count - 1), 0);
  }
  Enable(dialog, d);
}

void ShowGroups(TWindow dialog, TGroupDialog& d, int32_t select) {
  SendDlgItemMessage(dialog, idGroupNames, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < d.Groups.Size(); ++i) AddLine(dialog, idGroupNames, d.Groups[i].Name);
  int32_t count = static_cast<int32_t>(d.Groups.Size());
  if (select >= count) select = count - 1;
  SendDlgItemMessage(dialog, idGroupNames, LB_SETCURSEL, static_cast<uintptr_t>(select), 0);
  ShowFiles(dialog, d, 0);
}

void EnterSetup(TWindow dialog, TGroupDialog& d) {
  d.Setup = true;
  SetWindowText(dialog, "Z&K Quellwerk: Dateigruppen einrichten");
  SetDlgItemText(dialog, IDOK, "OK");
  ShowWindow(GetDlgItem(dialog, idGroupSetup), false);
  for (int32_t id : kSetupControls) ShowWindow(GetDlgItem(dialog, id), true);
  Enable(dialog, d);
}

void NewGroup(TWindow dialog, TGroupDialog& d) {
  if (!d.Groups.Add(LoadResString(42))) {
    MessageBeep(0);
    return;
  }
  ShowGroups(dialog, d, static_cast<int32_t>(d.Groups.Size()) - 1);
  TWindow edit = GetDlgItem(dialog, idGroupEditName);
  GotoDlgCtrl(edit);
}

void Rename(TWindow dialog, TGroupDialog& d) {
  TFileGroup* g = SelectedGroup(dialog, d);
  if (!g || d.Filling) return;
  std::string name = GetDlgItemText(dialog, idGroupEditName).substr(0, TFileGroups::kMaxGroupName);
  if (name.empty()) return;  // a group keeps a name; it is read back only with one
  g->Name = name;
  int32_t sel = Selection(dialog, idGroupNames);
  SendDlgItemMessage(dialog, idGroupNames, LB_DELETESTRING, static_cast<uintptr_t>(sel), 0);
  SendDlgItemMessage(dialog, idGroupNames, LB_INSERTSTRING, static_cast<uintptr_t>(sel), reinterpret_cast<intptr_t>(name.c_str()));
  SendDlgItemMessage(dialog, idGroupNames, LB_SETCURSEL, static_cast<uintptr_t>(sel), 0);
}

// Files beyond what a group can store are refused, never kept only until the next start.
void AddFiles(TWindow dialog, TGroupDialog& d, const std::vector<TFileListEntry>& files) {
  TFileGroup* g = SelectedGroup(dialog, d);
  if (!g) return;
  bool refused = false;
  for (const TFileListEntry& f : files) {
    if (g->Files.Size() >= TFileList::kMaxStored) {
      refused = true;
      break;
    }
    (void)g->Files.Add(f.Name, f.Position);
  }
  if (refused) MessageBeep(0);
  ShowFiles(dialog, d, static_cast<int32_t>(g->Files.Size()) - 1);
}

void BrowseFiles(TWindow dialog, TGroupDialog& d) {
  TFileDialog fd;
  fd.Owner = dialog;
  fd.Title = "Dateien hinzufügen";
  std::string filter;
  if (d.Host->Options) {
    for (const std::string& f : d.Host->Options->Filters) filter += f + "|";
  }
  fd.Filter = filter.empty() ? std::string(LoadResString(20)) : filter;
  fd.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT;
  if (!GetOpenFileName(fd)) return;
  std::vector<TFileListEntry> files;
  for (const std::string& name : fd.Files) files.push_back({name, TFilePosition{}});
  AddFiles(dialog, d, files);
}

void RemoveFile(TWindow dialog, TGroupDialog& d) {
  TFileGroup* g = SelectedGroup(dialog, d);
  int32_t i = Selection(dialog, idGroupFiles);
  if (!g || i < 0 || i >= static_cast<int32_t>(g->Files.Size())) return;
  g->Files.Delete(static_cast<size_t>(i));
  ShowFiles(dialog, d, i);
}

void Confirm(TWindow dialog, TGroupDialog& d) {
  if (d.Setup) {
    d.Host->Lists->Groups = d.Groups;
    EndDialog(dialog, IDOK);
    return;
  }
  TFileGroup* g = SelectedGroup(dialog, d);
  if (!g || g->Files.Empty()) {
    MessageBeep(0);
    return;
  }
  TFileList files = g->Files;
  EndDialog(dialog, IDOK);
  for (size_t i = 0; i < files.Size(); ++i) {
    if (d.Host->OpenFileAt) d.Host->OpenFileAt(files[i], false);
  }
}

intptr_t GroupProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto* d = reinterpret_cast<TGroupDialog*>(lParam);
      SendDlgItemMessage(dialog, idGroupEditName, EM_LIMITTEXT, TFileGroups::kMaxGroupName, 0);
      ShowGroups(dialog, *d, 0);
      if (d->Setup) EnterSetup(dialog, *d);
      return 1;
    }
    case WM_COMMAND: {
      TGroupDialog* d = DialogOf(dialog);
      if (!d) return 0;
      uint32_t code = static_cast<uint32_t>((wParam >> 16) & 0xFFFF);
      switch (static_cast<int32_t>(wParam & 0xFFFF)) {
        case idGroupNames:
          if (code == LBN_SELCHANGE) ShowFiles(dialog, *d, 0);
          if (code == LBN_DBLCLK && !d->Setup) Confirm(dialog, *d);
          return 1;
        case idGroupFiles:
          if (code == LBN_SELCHANGE) Enable(dialog, *d);
          return 1;
        case idGroupEditName:
          if (code == EN_CHANGE) Rename(dialog, *d);
          return 1;
        case idGroupSetup: EnterSetup(dialog, *d); return 1;
        case idGroupAddNew: NewGroup(dialog, *d); return 1;
        case idGroupRemove: {
          int32_t i = Selection(dialog, idGroupNames);
          if (i >= 0 && i < static_cast<int32_t>(d->Groups.Size())) {
            d->Groups.Delete(static_cast<size_t>(i));
            ShowGroups(dialog, *d, i);
          }
          return 1;
        }
        case idGroupAddFiles: BrowseFiles(dialog, *d); return 1;
        case idGroupAddOpen:
          AddFiles(dialog, *d, d->Host->OpenFiles ? d->Host->OpenFiles() : std::vector<TFileListEntry>{});
          return 1;
        case idGroupRemoveFile: RemoveFile(dialog, *d); return 1;
        case IDOK: Confirm(dialog, *d); return 1;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return 1;
        default: return 0;
      }
    }
    default:
      return 0;
  }
}

}  // namespace

intptr_t RunFileGroupDialog(TFileListsHost& host, bool setup) {
  if (!host.Lists) return -1;
  TGroupDialog d{&host, setup, host.Lists->Groups};
  return DialogBox(host.Owner, kTemplate, GroupProc, reinterpret_cast<intptr_t>(&d));
}
