// The search dialog of the global search and its stored configurations.
#include "editor/grep/GrepDialog.h"

#include <algorithm>
#include <array>

#include "editor/frame/GrepConfig.h"
#include "editor/frame/IniOptions.h"
#include "platform/charset/Charset.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kCombo = kTab | WS_BORDER | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr uint32_t kList = kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kCheck = kTab | BS_AUTOCHECKBOX;
constexpr uint32_t kHidden = WS_TABSTOP;  // reached by its mnemonic only

constexpr std::array kItems = {
    TDialogItem{kStaticClass, "Zu suchender &Text:", kLabel, {8, 6, 200, 16}, -1},
    TDialogItem{kComboBoxClass, "", kCombo, {8, 17, 250, 110}, kGdText},
    TDialogItem{kStaticClass, "&Datei-Spezifikation(en):", kLabel, {8, 34, 200, 44}, -1},
    TDialogItem{kComboBoxClass, "", kCombo, {8, 45, 250, 140}, kGdMasks},
    TDialogItem{kStaticClass, "Suche in den &Verzeichnissen:", kLabel, {8, 62, 200, 72}, -1},
    TDialogItem{kListBoxClass, "", kList, {8, 73, 250, 135}, kGdDirList},
    TDialogItem{kButtonClass, "Hin&zufügen...", kTab, {256, 73, 326, 87}, kGdAdd},
    TDialogItem{kButtonClass, "Ent&fernen", kTab, {256, 91, 326, 105}, kGdRemove},
    TDialogItem{kButtonClass, "&Alle entfernen", kTab, {256, 109, 326, 123}, kGdRemoveAll},
    TDialogItem{kStaticClass, "&Bereits durchsuchte Verzeichnisse:", kLabel, {8, 140, 250, 150}, -1},
    TDialogItem{kComboBoxClass, "", kTab | WS_BORDER | CBS_DROPDOWNLIST | WS_VSCROLL,
                {8, 151, 250, 240}, kGdHistDirs},
    TDialogItem{kButtonClass, "Optionen", WS_VISIBLE | BS_GROUPBOX, {8, 168, 160, 222}, -1},
    TDialogItem{kButtonClass, "&Groß-/Kleinschreibung", kCheck | WS_GROUP, {14, 178, 156, 188}, kGdCase},
    TDialogItem{kButtonClass, "Ganze &Wörter suchen", kCheck, {14, 189, 156, 199}, kGdWords},
    TDialogItem{kButtonClass, "&Reguläre Ausdrücke", kCheck, {14, 200, 156, 210}, kGdRegex},
    TDialogItem{kButtonClass, "&Unterverzeichnisse", kCheck, {14, 211, 156, 221}, kGdSubdirs},
    TDialogItem{kButtonClass, "Ausgabe", WS_VISIBLE | BS_GROUPBOX, {166, 168, 326, 222}, -1},
    TDialogItem{kButtonClass, "Datei && Te&xtstellen", kTab | WS_GROUP | BS_AUTORADIOBUTTON,
                {172, 178, 322, 188}, kGdOutHits},
    TDialogItem{kButtonClass, "Datei && Tr&efferanzahl", WS_VISIBLE | BS_AUTORADIOBUTTON,
                {172, 189, 322, 199}, kGdOutCounts},
    TDialogItem{kButtonClass, "&Nur Dateinamen", WS_VISIBLE | BS_AUTORADIOBUTTON,
                {172, 200, 322, 210}, kGdOutNames},
    TDialogItem{kButtonClass, "Datei-&Infos (Größe,...)", kCheck | WS_GROUP, {172, 211, 322, 221},
                kGdInfo},
    TDialogItem{kStaticClass, "Konfiguration Nr.:", SS_LEFTNOWORDWRAP, {8, 232, 80, 242},
                kGdConfigLabel},
    TDialogItem{kEditClass, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {82, 230, 98, 242},
                kGdConfigNumber},
    TDialogItem{kButtonClass, "&Suche starten", kTab | WS_GROUP | BS_DEFPUSHBUTTON,
                {196, 229, 260, 243}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab, {264, 229, 326, 243}, IDCANCEL},
    TDialogItem{kButtonClass, "&0", kHidden, {0, 0, 1, 1}, kGdStore},
    TDialogItem{kButtonClass, "&1", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 0},
    TDialogItem{kButtonClass, "&2", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 1},
    TDialogItem{kButtonClass, "&3", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 2},
    TDialogItem{kButtonClass, "&4", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 3},
    TDialogItem{kButtonClass, "&5", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 4},
    TDialogItem{kButtonClass, "&6", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 5},
    TDialogItem{kButtonClass, "&7", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 6},
    TDialogItem{kButtonClass, "&8", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 7},
    TDialogItem{kButtonClass, "&9", kHidden, {0, 0, 1, 1}, kGdLoadFirst + 8},
};

const TDialogTemplate kTemplate{"Z&K Quellwerk: Globale Suche (Grep)", {334, 250}, kItems,
                                DS_MODALFRAME};

struct TContext {
  TIniOptions* Options;
  TProfileFile* Profile;
  TGrepParam* Order;
};

TContext* ContextOf(TWindow dialog) {
  return reinterpret_cast<TContext*>(GetWindowExtra(dialog, 0));
}

std::string Trimmed(std::string text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> ListedDirs(TWindow dialog) {
  std::vector<std::string> dirs;
  const auto count = SendDlgItemMessage(dialog, kGdDirList, LB_GETCOUNT, 0, 0);
  for (intptr_t i = 0; i < count; ++i) {
    std::string text;
    SendDlgItemMessage(dialog, kGdDirList, LB_GETTEXT, static_cast<uintptr_t>(i),
                       reinterpret_cast<intptr_t>(&text));
    dirs.push_back(std::move(text));
  }
  return dirs;
}

void UpdateButtons(TWindow dialog) {
  const size_t count = ListedDirs(dialog).size();
  EnableWindow(GetDlgItem(dialog, kGdAdd), count < kGrepMaxDirs);
  EnableWindow(GetDlgItem(dialog, kGdRemove),
               SendDlgItemMessage(dialog, kGdDirList, LB_GETCURSEL, 0, 0) >= 0);
  EnableWindow(GetDlgItem(dialog, kGdRemoveAll), count > 0);
  EnableWindow(GetDlgItem(dialog, IDOK),
               count > 0 && !Trimmed(GetDlgItemText(dialog, kGdMasks)).empty());
}

// Adds a directory unless the list is full or holds it already (any case).
void AddDir(TWindow dialog, const std::string& dir) {
  if (dir.empty()) return;
  const std::vector<std::string> dirs = ListedDirs(dialog);
  if (dirs.size() >= kGrepMaxDirs) return;
  for (const std::string& d : dirs)
    if (EqualNoCaseWin(d, dir)) return;
  SendDlgItemMessage(dialog, kGdDirList, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(dir.c_str()));
}

void FillCombo(TWindow dialog, int32_t id, const std::vector<std::string>& items) {
  SendDlgItemMessage(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& s : items)
    SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(s.c_str()));
}

void ShowConfig(TWindow dialog, const TGrepConfig& c) {
  SetDlgItemText(dialog, kGdText, c.SearchText);
  SetDlgItemText(dialog, kGdMasks, c.FileMasks);
  SendDlgItemMessage(dialog, kGdDirList, LB_RESETCONTENT, 0, 0);
  for (const std::string& d : c.Dirs) AddDir(dialog, d);
  CheckDlgButton(dialog, kGdCase, c.CaseSensitive ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kGdWords, c.WholeWords ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kGdRegex, c.RegularExpression ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kGdSubdirs, c.Subdirectories ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(dialog, kGdOutHits, kGdOutNames, kGdOutHits + std::clamp(c.Output, 0, 2));
  CheckDlgButton(dialog, kGdInfo, c.ShowInfo ? BST_CHECKED : BST_UNCHECKED);
  UpdateButtons(dialog);
}

TGrepConfig ReadDialog(TWindow dialog) {
  TGrepConfig c;
  c.SearchText = GetDlgItemText(dialog, kGdText).substr(0, TGrepConfig::kMaxSearchText);
  c.FileMasks = Trimmed(GetDlgItemText(dialog, kGdMasks));
  c.Dirs = ListedDirs(dialog);
  c.CaseSensitive = IsDlgButtonChecked(dialog, kGdCase) == BST_CHECKED;
  c.WholeWords = IsDlgButtonChecked(dialog, kGdWords) == BST_CHECKED;
  c.RegularExpression = IsDlgButtonChecked(dialog, kGdRegex) == BST_CHECKED;
  c.Subdirectories = IsDlgButtonChecked(dialog, kGdSubdirs) == BST_CHECKED;
  c.Output = IsDlgButtonChecked(dialog, kGdOutNames) == BST_CHECKED    ? 2
             : IsDlgButtonChecked(dialog, kGdOutCounts) == BST_CHECKED ? 1
                                                                       : 0;
  c.ShowInfo = IsDlgButtonChecked(dialog, kGdInfo) == BST_CHECKED;
  return c;
}

void ShowNumberField(TWindow dialog, bool show) {
  ShowWindow(GetDlgItem(dialog, kGdConfigLabel), show);
  ShowWindow(GetDlgItem(dialog, kGdConfigNumber), show);
  if (show) {
    SetDlgItemText(dialog, kGdConfigNumber, "");
    SetFocus(GetDlgItem(dialog, kGdConfigNumber));
  }
}

void Init(TWindow dialog, TContext& c) {
  const TIniOptions& o = *c.Options;
  FillCombo(dialog, kGdText, o.GrepTexts.Items());
  FillCombo(dialog, kGdMasks, o.GrepMasks.Items());
  FillCombo(dialog, kGdHistDirs, o.GrepHistDirs.Items());
  SendDlgItemMessage(dialog, kGdText, CB_LIMITTEXT, kSearchTextMax, 0);
  SendDlgItemMessage(dialog, kGdMasks, CB_LIMITTEXT, kGrepMasksMax, 0);
  SendDlgItemMessage(dialog, kGdConfigNumber, EM_LIMITTEXT, 1, 0);
  TGrepConfig last;
  last.SearchText = o.GrepTexts.Empty() ? "" : o.GrepTexts[0];
  last.FileMasks = o.GrepMasks.Empty() ? "*.*" : o.GrepMasks[0];
  last.Dirs = o.GrepDirs.Items();
  last.CaseSensitive = o.GrepCase;
  last.WholeWords = o.GrepWord;
  last.RegularExpression = o.GrepRegEx;
  last.Subdirectories = o.GrepSubdirs;
  last.Output = o.GrepOutput;
  last.ShowInfo = o.GrepInfo;
  ShowConfig(dialog, last);
  ShowNumberField(dialog, false);
}

bool Accept(TWindow dialog, TContext& c) {
  const TGrepConfig config = ReadDialog(dialog);
  if (config.Dirs.empty() || config.FileMasks.empty()) {
    MessageBeep(0);  // Enter reaches the greyed default button too
    return false;
  }
  TGrepParam& order = *c.Order;
  order = TGrepParam{};
  // The document's code page; texts that do not fit are cut, never overrun.
  SetGrepField(order.SearchText, Utf8ToCodePageText(config.SearchText, false));
  SetGrepField(order.FileMasks, config.FileMasks);
  order.CaseSensitive = config.CaseSensitive;
  order.WholeWords = config.WholeWords;
  order.RegularExpression = config.RegularExpression;
  order.Subdirectories = config.Subdirectories;
  order.Output = static_cast<uint8_t>(config.Output);
  order.Info = config.ShowInfo;
  order.Dirs = config.Dirs;

  TIniOptions& o = *c.Options;
  o.GrepCase = config.CaseSensitive;
  o.GrepWord = config.WholeWords;
  o.GrepRegEx = config.RegularExpression;
  o.GrepSubdirs = config.Subdirectories;
  o.GrepOutput = config.Output;
  o.GrepInfo = config.ShowInfo;
  if (!config.SearchText.empty()) o.GrepTexts.Add(config.SearchText);
  o.GrepMasks.Add(config.FileMasks);
  o.GrepDirs.Assign(config.Dirs);
  for (auto it = config.Dirs.rbegin(); it != config.Dirs.rend(); ++it) o.GrepHistDirs.Add(*it);
  return true;
}

intptr_t GrepDialogProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TContext* c = ContextOf(dialog);
  if (message == WM_INITDIALOG) {
    c = reinterpret_cast<TContext*>(lParam);
    SetWindowExtra(dialog, 0, lParam);
    Init(dialog, *c);
    return 1;
  }
  if (message != WM_COMMAND || !c) return 0;
  const auto id = static_cast<int32_t>(LoWord(wParam));
  const uint32_t code = HiWord(wParam);
  switch (id) {
    case kGdText:
    case kGdMasks:
      if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_CLOSEUP) UpdateButtons(dialog);
      return 1;
    case kGdDirList:
      UpdateButtons(dialog);
      return 1;
    case kGdHistDirs:
      if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
        AddDir(dialog, GetDlgItemText(dialog, kGdHistDirs));
        UpdateButtons(dialog);
      }
      return 1;
    case kGdAdd: {
      if (ListedDirs(dialog).size() >= kGrepMaxDirs) return 1;
      TFolderDialog folder;
      folder.Owner = dialog;
      folder.Title = "Verzeichnis hinzufügen";
      folder.Path = c->Options->InitDir;
      if (BrowseForFolder(folder)) AddDir(dialog, folder.Path);
      UpdateButtons(dialog);
      return 1;
    }
    case kGdRemove: {
      const auto sel = SendDlgItemMessage(dialog, kGdDirList, LB_GETCURSEL, 0, 0);
      if (sel >= 0) SendDlgItemMessage(dialog, kGdDirList, LB_DELETESTRING, static_cast<uintptr_t>(sel), 0);
      UpdateButtons(dialog);
      return 1;
    }
    case kGdRemoveAll:
      SendDlgItemMessage(dialog, kGdDirList, LB_RESETCONTENT, 0, 0);
      UpdateButtons(dialog);
      return 1;
    case kGdStore:
      ShowNumberField(dialog, true);
      return 1;
    case kGdConfigNumber: {
      if (code == EN_KILLFOCUS) {
        ShowNumberField(dialog, false);
      } else if (code == EN_CHANGE) {
        const std::string digit = GetDlgItemText(dialog, kGdConfigNumber);
        if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') {
          if (c->Profile) (void)WriteGrepConfig(*c->Profile, digit[0] - '0', ReadDialog(dialog));
          SetFocus(GetDlgItem(dialog, kGdText));
          ShowNumberField(dialog, false);
        }
      }
      return 1;
    }
    case IDOK:
      if (Accept(dialog, *c)) EndDialog(dialog, IDOK);
      return 1;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return 1;
    default:
      if (id > kGdLoadFirst - 1 && id < kGdLoadFirst + 9) {
        TGrepConfig config;
        if (c->Profile && ReadGrepConfig(*c->Profile, id - kGdLoadFirst + 1, config)) {
          ShowConfig(dialog, config);
        } else {
          MessageBeep(0);
        }
        return 1;
      }
      return 0;
  }
}

}  // namespace

bool RunGrepDialog(TWindow owner, TIniOptions& options, TProfileFile* profile, TGrepParam& order) {
  TContext context{&options, profile, &order};
  return DialogBox(owner, kTemplate, GrepDialogProc, reinterpret_cast<intptr_t>(&context)) == IDOK;
}
