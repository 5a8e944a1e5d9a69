// "Zusätzliche Hilfedatei": the special help files; the first one serves keyword help.
#include <string>

#include "editor/settings/FileListDialogs.h"
#include "editor/settings/SettingsIds.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr size_t kMaxHelpFiles = 20;
constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;

constexpr TDialogItem kItems[] = {
    {kStaticClass, "Aktuelle &Hilfedatei:", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 6, 200, 16}, -1},
    {kComboBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_GROUP | CBS_DROPDOWNLIST, {6, 17, 236, 100}, idHelpFiles},
    {kButtonClass, "&Neue Hilfedatei ...", kButton | WS_GROUP, {6, 36, 90, 50}, idHelpNew},
    {kButtonClass, "Eintrag &löschen", kButton, {96, 36, 180, 50}, idHelpDelete},
    {kStaticClass, "STRG+F1 im Editor-Fenster aktiviert die Hilfedatei!", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 58, 236, 68}, -1},
    {kButtonClass, "OK", kButton | WS_GROUP | BS_DEFPUSHBUTTON, {128, 76, 180, 90}, IDOK},
    {kButtonClass, "Abbrechen", kButton, {184, 76, 236, 90}, IDCANCEL},
};
const TDialogTemplate kTemplate{"Zusätzliche Hilfedatei", {242, 96}, kItems, DS_MODALFRAME};

struct THelpDialog {
  TFileListsHost* Host;
  std::vector<std::string> Files;
};

void Fill(TWindow dialog, const THelpDialog& d, int32_t select) {
  SendDlgItemMessage(dialog, idHelpFiles, CB_RESETCONTENT, 0, 0);
  for (const std::string& f : d.Files) {
    SendDlgItemMessage(dialog, idHelpFiles, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(f.c_str()));
  }
  int32_t count = static_cast<int32_t>(d.Files.size());
  SendDlgItemMessage(dialog, idHelpFiles, CB_SETCURSEL, static_cast<uintptr_t>(select < count ? select : count - 1), 0);
  EnableWindow(GetDlgItem(dialog, idHelpDelete), count > 0);
  EnableWindow(GetDlgItem(dialog, idHelpNew), d.Files.size() < kMaxHelpFiles);
}

intptr_t HelpProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto* d = reinterpret_cast<THelpDialog*>(GetWindowExtra(dialog, 0));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowExtra(dialog, 0, lParam);
      Fill(dialog, *reinterpret_cast<THelpDialog*>(lParam), 0);
      return 1;
    case WM_COMMAND:
      if (!d) return 0;
      switch (static_cast<int32_t>(wParam & 0xFFFF)) {
        case idHelpNew: {
          TFileDialog fd;
          fd.Owner = dialog;
          fd.Title = "Neue Hilfedatei";
          fd.Filter = std::string(LoadResString(22));
          fd.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
          if (GetOpenFileName(fd) && !fd.Files.empty() && d->Files.size() < kMaxHelpFiles) {
            bool known = false;
            for (const std::string& f : d->Files) known = known || f == fd.Files[0];
            if (!known) d->Files.push_back(fd.Files[0]);
            Fill(dialog, *d, static_cast<int32_t>(d->Files.size()) - 1);
          }
          return 1;
        }
        case idHelpDelete: {
          auto sel = static_cast<int32_t>(SendDlgItemMessage(dialog, idHelpFiles, CB_GETCURSEL, 0, 0));
          if (sel >= 0 && sel < static_cast<int32_t>(d->Files.size())) {
            d->Files.erase(d->Files.begin() + sel);
            Fill(dialog, *d, sel);
          }
          return 1;
        }
        case IDOK:
          if (d->Host->Options) d->Host->Options->HelpFiles = d->Files;
          EndDialog(dialog, IDOK);
          return 1;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return 1;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

}  // namespace

intptr_t RunHelpFilesDialog(TFileListsHost& host) {
  if (!host.Options) return -1;
  THelpDialog d{&host, host.Options->HelpFiles};
  return DialogBox(host.Owner, kTemplate, HelpProc, reinterpret_cast<intptr_t>(&d));
}
