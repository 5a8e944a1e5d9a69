// The progress dialog of the global search.
#include "editor/grep/GrepProgress.h"

#include <array>

#include "editor/grep/GrepSearch.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kValue = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;

constexpr std::array kItems = {
    TDialogItem{kStaticClass, "Suche nach:", kLabel, {8, 8, 90, 18}, kGpTextLabel},
    TDialogItem{kStaticClass, "", kValue, {92, 8, 272, 18}, kGpText},
    TDialogItem{kStaticClass, "Suchen in:", kLabel, {8, 22, 90, 32}, -1},
    TDialogItem{kStaticClass, "", kValue, {92, 22, 272, 32}, kGpDirs},
    TDialogItem{kStaticClass, "Spezifizierte Dateien:", kLabel, {8, 36, 90, 46}, -1},
    TDialogItem{kStaticClass, "0", kValue, {92, 36, 272, 46}, kGpFiles},
    TDialogItem{kStaticClass, "Gefundene Textstellen:", kLabel, {8, 50, 90, 60}, kGpHitsLabel},
    TDialogItem{kStaticClass, "0", kValue, {92, 50, 272, 60}, kGpHits},
    TDialogItem{kProgressClass, "", WS_VISIBLE | WS_BORDER, {8, 66, 272, 78}, kGpBar},
    TDialogItem{kButtonClass, "Abbrechen", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {110, 86, 170, 100}, IDCANCEL},
};

const TDialogTemplate kTemplate{"Z&K Quellwerk: Text/Dateien suchen", {280, 108}, kItems,
                                WS_VISIBLE | DS_MODALFRAME};

intptr_t ProgressProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t) {
  switch (message) {
    case WM_INITDIALOG:
      return 1;
    case WM_COMMAND:
      if (LoWord(wParam) == IDCANCEL) {
        GrepAbortFlag() = true;
        EnableWindow(GetDlgItem(dialog, IDCANCEL), false);
        return 1;
      }
      return 0;
    case WM_CLOSE:
      GrepAbortFlag() = true;
      return 1;
    default:
      return 0;
  }
}

std::string DirectoryList(const TGrepParam& order) {
  std::string dirs;
  for (const std::string& d : order.Dirs) dirs += (dirs.empty() ? "" : "; ") + d;
  return dirs;
}

}  // namespace

TGrepProgress::TGrepProgress(TWindow owner, const TGrepParam& order) {
  Dialog_ = CreateDialog(owner, kTemplate, ProgressProc, 0);
  if (!Dialog_) return;
  const bool withText = order.SearchText[0] != 0;
  SetDlgItemText(Dialog_, kGpText, CodePageToUtf8(order.SearchText, false));
  SetDlgItemText(Dialog_, kGpDirs, DirectoryList(order));
  SendDlgItemMessage(Dialog_, kGpBar, PBM_SETRANGE32, 0, 100);
  if (!withText) {
    for (int32_t id : {kGpText, kGpTextLabel, kGpHits, kGpHitsLabel})
      EnableWindow(GetDlgItem(Dialog_, id), false);
    ShowWindow(GetDlgItem(Dialog_, kGpBar), false);
  }
}

void TGrepProgress::Report(int32_t phase, int32_t number) {
  if (!Dialog_) return;
  // Only the field of the phase changes; the toolkit repaints it once per pass of the loop.
  switch (phase) {
    case gphCollecting:
      SetDlgItemInt(Dialog_, kGpFiles, number);
      break;
    case gphHit:
      SetDlgItemInt(Dialog_, kGpHits, number);
      break;
    case gphSearching:
      if (number != Percent_) SendDlgItemMessage(Dialog_, kGpBar, PBM_SETPOS, static_cast<uintptr_t>(number), 0);
      Percent_ = number;
      break;
    default:
      break;
  }
}

void TGrepProgress::Close() {
  if (Dialog_ && IsWindow(Dialog_)) DestroyWindow(Dialog_);
  Dialog_ = 0;
}
