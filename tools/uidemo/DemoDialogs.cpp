// Templates and procedures of the demonstration's dialogs.
#include "tools/uidemo/DemoDialogs.h"

#include <array>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"

namespace uidemo {

using namespace platform;

namespace {

enum : int32_t {
  kNameId = 101, kNoteId, kCountId, kCountSpinId, kBackupId, kProgressId,
  kCrLfId = 110, kLfId, kCrId,
  kSearchId = 120, kTabWidthId,
  kFilesId = 130, kPairsId = 140, kTabsId = 150, kHelpId = 160, kStepId,
  kPageWidthId = 201, kPageFontId, kPageNameId = 211,
};

constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;

constexpr std::array kControls = {
    TDialogItem{kButtonClass, "Eingaben", WS_VISIBLE | BS_GROUPBOX, {4, 2, 150, 112}, -1},
    TDialogItem{kStaticClass, "&Name:", kLabel, {10, 14, 50, 24}, -1},
    TDialogItem{kEditClass, "Grüße", kField | ES_AUTOHSCROLL | WS_GROUP, {54, 12, 144, 24}, kNameId},
    TDialogItem{kStaticClass, "N&otiz:", kLabel, {10, 28, 50, 38}, -1},
    TDialogItem{kEditClass, "Zeile 1\r\nZeile 2", kField | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL,
                {54, 27, 144, 56}, kNoteId},
    TDialogItem{kStaticClass, "&Anzahl:", kLabel, {10, 62, 50, 72}, -1},
    TDialogItem{kEditClass, "3", kField | ES_NUMBER, {54, 60, 92, 72}, kCountId},
    TDialogItem{kSpinClass, "", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                UDS_ARROWKEYS, {92, 60, 102, 72}, kCountSpinId},
    TDialogItem{kButtonClass, "&Sicherungsdatei anlegen", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                {10, 76, 144, 86}, kBackupId},
    TDialogItem{kButtonClass, "&Weiter", WS_VISIBLE | WS_TABSTOP, {10, 92, 50, 106}, kStepId},
    TDialogItem{kProgressClass, "", WS_VISIBLE, {54, 94, 144, 104}, kProgressId},

    TDialogItem{kButtonClass, "Zeilenende", WS_VISIBLE | BS_GROUPBOX, {154, 2, 296, 50}, -1},
    TDialogItem{kButtonClass, "&Windows/DOS", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                {160, 12, 290, 22}, kCrLfId},
    TDialogItem{kButtonClass, "&Unix", WS_VISIBLE | BS_AUTORADIOBUTTON, {160, 24, 290, 34}, kLfId},
    TDialogItem{kButtonClass, "&Macintosh", WS_VISIBLE | BS_AUTORADIOBUTTON, {160, 36, 290, 46}, kCrId},
    TDialogItem{kStaticClass, "Such&text:", kLabel | WS_GROUP, {156, 56, 214, 66}, -1},
    TDialogItem{kComboBoxClass, "", kField | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL,
                {216, 54, 296, 120}, kSearchId},
    TDialogItem{kStaticClass, "Ta&bulatorweite:", kLabel, {156, 74, 214, 84}, -1},
    TDialogItem{kComboBoxClass, "", kField | CBS_DROPDOWNLIST | WS_VSCROLL, {216, 72, 296, 130},
                kTabWidthId},
    TDialogItem{kStaticClass, "&Dateien:", kLabel, {4, 116, 150, 126}, -1},
    TDialogItem{kListBoxClass, "", kField | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_USETABSTOPS | WS_VSCROLL,
                {4, 127, 150, 186}, kFilesId},
    TDialogItem{kStaticClass, "&Paare:", kLabel, {154, 92, 296, 102}, -1},
    TDialogItem{kListViewClass, "", kField | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                {154, 103, 296, 186}, kPairsId},
    TDialogItem{kTabControlClass, "", WS_VISIBLE | WS_TABSTOP, {4, 190, 190, 206}, kTabsId},
    TDialogItem{kButtonClass, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                {194, 190, 228, 204}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", WS_VISIBLE | WS_TABSTOP, {230, 190, 264, 204}, IDCANCEL},
    TDialogItem{kButtonClass, "&Hilfe", WS_VISIBLE | WS_TABSTOP, {266, 190, 296, 204}, kHelpId},
};
const TDialogTemplate kControlsTemplate{kControlsCaption, {300, 210}, kControls, DS_MODALFRAME};

void Fill(TWindow dialog) {
  for (const char* text : {"main.c", "ZKEdit32.Ini", "Grüße.txt"}) {
    SendDlgItemMessage(dialog, kSearchId, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(text));
  }
  for (const char* width : {"2", "4", "8", "16"}) {
    SendDlgItemMessage(dialog, kTabWidthId, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(width));
  }
  SendDlgItemMessage(dialog, kTabWidthId, CB_SETCURSEL, 2, 0);
  const int32_t stops[] = {70};
  SendDlgItemMessage(dialog, kFilesId, LB_SETTABSTOPS, 1, reinterpret_cast<intptr_t>(stops));
  for (const char* line : {"main.c\t12 KB", "ZKColors.Ini\t3 KB", "Liesmich.txt\t1 KB",
                           "Grüße.txt\t2 KB"}) {
    SendDlgItemMessage(dialog, kFilesId, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(line));
  }
  TLvColumn search{"Suchen", 110};
  TLvColumn replace{"Ersetzen", 110};
  SendDlgItemMessage(dialog, kPairsId, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&search));
  SendDlgItemMessage(dialog, kPairsId, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&replace));
  const char* pairs[][2] = {{"ae", "ä"}, {"oe", "ö"}, {"ue", "ü"}};
  for (int32_t i = 0; i < 3; ++i) {
    TLvItem item{i, 0, pairs[i][0]};
    SendDlgItemMessage(dialog, kPairsId, LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&item));
    TLvItem sub{i, 1, pairs[i][1]};
    SendDlgItemMessage(dialog, kPairsId, LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&sub));
  }
  int32_t tab = 0;
  for (const char* title : {"Allgemein", "Texteditor", "Drucken"}) {
    SendDlgItemMessage(dialog, kTabsId, TCM_INSERTITEM, static_cast<uintptr_t>(tab++),
                       reinterpret_cast<intptr_t>(title));
  }
  SendDlgItemMessage(dialog, kCountSpinId, UDM_SETRANGE32, 0, 99);
  SendDlgItemMessage(dialog, kCountSpinId, UDM_SETPOS32, 0, 3);
  CheckRadioButton(dialog, kCrLfId, kCrId, kCrLfId);
  CheckDlgButton(dialog, kBackupId, BST_CHECKED);
  SendDlgItemMessage(dialog, kProgressId, PBM_SETRANGE32, 0, 10);
  SendDlgItemMessage(dialog, kProgressId, PBM_SETPOS, 3, 0);
}

intptr_t ControlsProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t) {
  switch (message) {
    case WM_INITDIALOG:
      Fill(dialog);
      return 1;
    case WM_COMMAND:
      switch (LoWord(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LoWord(wParam));
          return 1;
        case kStepId:
          SendDlgItemMessage(dialog, kProgressId, PBM_DELTAPOS, 1, 0);
          return 1;
        case kHelpId:
          MessageBeep(0);
          return 1;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

// Page 1: view settings. Page 2: a name that must not be empty when the page is left.
constexpr std::array kViewPage = {
    TDialogItem{kStaticClass, "&Tabulatorweite:", kLabel, {8, 10, 80, 20}, -1},
    TDialogItem{kEditClass, "8", kField | ES_NUMBER, {84, 8, 120, 20}, kPageWidthId},
    TDialogItem{kButtonClass, "&Systemschrift verwenden", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                {8, 28, 200, 38}, kPageFontId},
};
constexpr std::array kNamePage = {
    TDialogItem{kStaticClass, "&Benutzername (nicht leer):", kLabel, {8, 10, 200, 20}, -1},
    TDialogItem{kEditClass, "Quellwerk", kField | ES_AUTOHSCROLL, {8, 22, 200, 34}, kPageNameId},
};
const TDialogTemplate kViewTemplate{"Ansicht", {220, 80}, kViewPage, DS_CONTROL};
const TDialogTemplate kNameTemplate{"Benutzer", {220, 80}, kNamePage, DS_CONTROL};

intptr_t ViewPageProc(TWindow, uint32_t message, uintptr_t, intptr_t) {
  return message == WM_INITDIALOG ? 1 : 0;
}

intptr_t NamePageProc(TWindow page, uint32_t message, uintptr_t, intptr_t lParam) {
  if (message == WM_INITDIALOG) return 1;
  if (message != WM_NOTIFY) return 0;
  auto* notify = reinterpret_cast<const TPsHdrNotify*>(lParam);
  if (notify->Header.Code == PSN_KILLACTIVE || notify->Header.Code == PSN_APPLY) {
    bool empty = GetDlgItemText(page, kPageNameId).empty();
    if (empty) MessageBeep(0);
    SetDialogResult(page, empty ? (notify->Header.Code == PSN_APPLY ? PSNRET_INVALID : 1) : 0);
    return 1;
  }
  return 0;
}

}  // namespace

intptr_t ShowControlsDialog(TWindow owner) {
  return DialogBox(owner, kControlsTemplate, ControlsProc, 0);
}

intptr_t ShowPropertySheet(TWindow owner) {
  const TPropSheetPage pages[] = {{&kViewTemplate, ViewPageProc, 0, {}},
                                  {&kNameTemplate, NamePageProc, 0, {}}};
  TPropSheetHeader header;
  header.Owner = owner;
  header.Caption = kSheetCaption;
  header.Pages = pages;
  header.Flags = PSH_HASHELP;
  return PropertySheet(header);
}

}  // namespace uidemo
