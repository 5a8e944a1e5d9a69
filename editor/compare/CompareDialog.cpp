#include "editor/compare/CompareDialog.h"

#include <array>

#include "platform/ui/ComboBox.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kCombo = kTab | WS_BORDER | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kCheck = kTab | BS_AUTOCHECKBOX;

constexpr std::array kItems = {
    TDialogItem{kStaticClass, "&Vergleiche Datei:", kLabel, {8, 6, 200, 16}, -1},
    TDialogItem{kComboBoxClass, "", kCombo, {8, 17, 254, 110}, kCmpFirstCombo},
    TDialogItem{kButtonClass, "...", kTab, {258, 16, 280, 30}, kCmpFirstBrowse},
    TDialogItem{kStaticClass, "&mit Datei:", kLabel, {8, 36, 200, 46}, -1},
    TDialogItem{kComboBoxClass, "", kCombo, {8, 47, 254, 140}, kCmpSecondCombo},
    TDialogItem{kButtonClass, "...", kTab, {258, 46, 280, 60}, kCmpSecondBrowse},
    TDialogItem{kButtonClass, "&Leerzeichen ignorieren", kCheck, {8, 68, 160, 78}, kCmpIgnoreSpaces},
    TDialogItem{kButtonClass, "&Groß-/Kleinschreibung ignorieren", kCheck, {8, 81, 160, 91},
                kCmpIgnoreCase},
    // Kept in the record; the box does not show.
    TDialogItem{kButtonClass, "Leerzei&len ignorieren", WS_TABSTOP | BS_AUTOCHECKBOX,
                {8, 94, 160, 104}, kCmpIgnoreBlankLines},
    TDialogItem{kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {166, 76, 220, 90}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab, {226, 76, 280, 90}, IDCANCEL},
};

constexpr char kCaption[] = "Z&K Quellwerk: Dateien vergleichen";
const TDialogTemplate kTemplate{kCaption, {288, 98}, kItems, DS_MODALFRAME};

struct TDialogContext {
  TCompareParam* Param;
  const TCompareDialogSetup* Setup;
};

std::string Trimmed(std::string text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

void UpdateOk(TWindow dialog) {
  const bool both = !Trimmed(GetDlgItemText(dialog, kCmpFirstCombo)).empty() &&
                    !Trimmed(GetDlgItemText(dialog, kCmpSecondCombo)).empty();
  EnableWindow(GetDlgItem(dialog, IDOK), both);
}

void FillCombo(TWindow dialog, int32_t id, const std::vector<std::string>& history,
               const std::string& text) {
  for (const std::string& entry : history) {
    SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(entry.c_str()));
  }
  SetDlgItemText(dialog, id, text);
}

void Browse(TWindow dialog, const TDialogContext& c, int32_t combo) {
  TFileDialog files;
  files.Owner = dialog;
  files.Title = LoadResString(51);
  files.Filter = c.Setup->Filter;
  files.InitialDir = c.Setup->InitialDir;
  files.FileName = Trimmed(GetDlgItemText(dialog, combo));
  files.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileName(files) || files.Files.empty()) return;
  SetDlgItemText(dialog, combo, files.Files.front());
  UpdateOk(dialog);
}

intptr_t CompareDialogProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto* c = reinterpret_cast<TDialogContext*>(GetWindowExtra(dialog, 0));
  switch (message) {
    case WM_INITDIALOG: {
      c = reinterpret_cast<TDialogContext*>(lParam);
      SetWindowExtra(dialog, 0, lParam);
      const TCompareParam& p = *c->Param;
      FillCombo(dialog, kCmpFirstCombo, p.FirstHistory, p.FirstFile);
      FillCombo(dialog, kCmpSecondCombo, p.SecondHistory, p.SecondFile);
      CheckDlgButton(dialog, kCmpIgnoreSpaces, p.IgnoreSpaces ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, kCmpIgnoreCase, p.IgnoreCase ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, kCmpIgnoreBlankLines, p.IgnoreBlankLines ? BST_CHECKED : BST_UNCHECKED);
      UpdateOk(dialog);
      return 1;
    }
    case WM_COMMAND: {
      if (!c) return 0;
      const auto id = static_cast<int32_t>(LoWord(wParam));
      const uint32_t code = HiWord(wParam);
      switch (id) {
        case kCmpFirstCombo:
        case kCmpSecondCombo:
          if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_CLOSEUP) UpdateOk(dialog);
          return 1;
        case kCmpFirstBrowse:
        case kCmpSecondBrowse:
          if (code == BN_CLICKED) Browse(dialog, *c, id == kCmpFirstBrowse ? kCmpFirstCombo : kCmpSecondCombo);
          return 1;
        case IDOK: {
          TCompareParam& p = *c->Param;
          std::string first = Trimmed(GetDlgItemText(dialog, kCmpFirstCombo));
          std::string second = Trimmed(GetDlgItemText(dialog, kCmpSecondCombo));
          // Enter reaches OK also while it is greyed.
          if (first.empty() || second.empty()) {
            MessageBeep(0);
            return 1;
          }
          p.FirstFile = std::move(first);
          p.SecondFile = std::move(second);
          p.IgnoreSpaces = IsDlgButtonChecked(dialog, kCmpIgnoreSpaces) == BST_CHECKED;
          p.IgnoreCase = IsDlgButtonChecked(dialog, kCmpIgnoreCase) == BST_CHECKED;
          p.IgnoreBlankLines = IsDlgButtonChecked(dialog, kCmpIgnoreBlankLines) == BST_CHECKED;
          EndDialog(dialog, IDOK);
          return 1;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return 1;
        default:
          return 0;
      }
    }
    default:
      return 0;
  }
}

}  // namespace

bool RunCompareDialog(TWindow owner, TCompareParam& param, const TCompareDialogSetup& setup) {
  TDialogContext context{&param, &setup};
  return DialogBox(owner, kTemplate, CompareDialogProc, reinterpret_cast<intptr_t>(&context)) == IDOK;
}
