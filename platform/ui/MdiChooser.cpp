// The "Weitere Fenster ..." dialog of the window list: every MDI child by its title, for when
// the list in the menu has no room for all of them.
#include <array>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

constexpr int32_t kWindowsId = 100;

struct TChooser {
  const std::vector<TWindow>* Windows;
  TWindow Active;
  TWindow Chosen = 0;
};

constexpr std::array kItems = {
    TDialogItem{kStaticClass, "&Fenster:", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 6, 200, 16}, -1},
    TDialogItem{kListBoxClass, "",
                WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, {6, 17, 200, 120},
                kWindowsId},
    TDialogItem{kButtonClass, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                {92, 126, 144, 140}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", WS_VISIBLE | WS_TABSTOP, {148, 126, 200, 140},
                IDCANCEL},
};
constexpr TDialogTemplate kTemplate{"Fenster ausw\xC3\xA4hlen", {206, 146}, kItems, DS_MODALFRAME};

// The dialog is modal and opened from one place at a time.
TChooser* gChooser = nullptr;

intptr_t ChooserProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TChooser* chooser = gChooser;
  if (!chooser) return 0;
  switch (message) {
    case WM_INITDIALOG: {
      (void)lParam;
      TWindow list = GetDlgItem(dialog, kWindowsId);
      int32_t current = 0;
      for (size_t i = 0; i < chooser->Windows->size(); ++i) {
        TWindow w = (*chooser->Windows)[i];
        std::string title = GetWindowText(w);
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(title.c_str()));
        if (w == chooser->Active) current = static_cast<int32_t>(i);
      }
      SendMessage(list, LB_SETCURSEL, static_cast<uintptr_t>(current), 0);
      GotoDlgCtrl(list);
      return 0;
    }
    case WM_COMMAND: {
      uint32_t id = LoWord(wParam);
      bool chosen = id == IDOK || (id == kWindowsId && HiWord(wParam) == LBN_DBLCLK);
      if (chosen) {
        intptr_t index = SendDlgItemMessage(dialog, kWindowsId, LB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < chooser->Windows->size()) {
          chooser->Chosen = (*chooser->Windows)[static_cast<size_t>(index)];
        }
        EndDialog(dialog, IDOK);
        return 1;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return 1;
      }
      break;
    }
  }
  return 0;
}

}  // namespace

TWindow ChooseMdiWindow(TWindow owner, const std::vector<TWindow>& windows, TWindow active) {
  if (gChooser) return 0;
  TChooser chooser{&windows, active};
  gChooser = &chooser;
  intptr_t result = DialogBox(owner, kTemplate, ChooserProc, 0);
  gChooser = nullptr;
  if (result != IDOK) return 0;
  // A window may have closed while the dialog ran.
  return chooser.Chosen && IsWindow(chooser.Chosen) ? chooser.Chosen : 0;
}

}  // namespace platform
