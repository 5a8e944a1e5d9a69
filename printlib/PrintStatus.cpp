// The print status window: a modeless dialog the run updates between pages.
#include "printlib/PrintStatus.h"

#include <array>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "printlib/PrintStrings.h"

using namespace platform;

namespace {

constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;

const std::array kStatusItems{
    TDialogItem{kStaticClass, LoadPrintString(psStatusPrinting), kLabel, {8, 8, 44, 18}, -1},
    TDialogItem{kStaticClass, "", kLabel, {46, 8, 196, 18}, TPrintStatus::idcTitle},
    TDialogItem{kStaticClass, LoadPrintString(psStatusPage), kLabel, {8, 24, 44, 34}, -1},
    TDialogItem{kStaticClass, "", kLabel, {46, 24, 86, 34}, TPrintStatus::idcPage},
    TDialogItem{kStaticClass, LoadPrintString(psStatusOf), SS_LEFTNOWORDWRAP, {90, 24, 110, 34},
                TPrintStatus::idcOfLabel},
    TDialogItem{kStaticClass, "", SS_LEFTNOWORDWRAP, {112, 24, 160, 34}, TPrintStatus::idcTotal},
    TDialogItem{kButtonClass, LoadPrintString(psStatusCancel),
                WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {72, 42, 132, 56}, IDCANCEL},
};

const TDialogTemplate kStatusDialog{LoadPrintString(psStatusCaption), {204, 64}, kStatusItems,
                                    WS_VISIBLE | DS_MODALFRAME};

constexpr int32_t kPumpLimit = 200;

}  // namespace

TPrintStatus::TPrintStatus(TWindow owner) {
  if (!UiBackend()) return;
  Window_ = CreateDialog(owner, kStatusDialog, &TPrintStatus::Proc, reinterpret_cast<intptr_t>(this));
  SetTitle(LoadPrintString(psInitialising));
}

TPrintStatus::~TPrintStatus() {
  if (Window_ && IsWindow(Window_)) DestroyWindow(Window_);
}

intptr_t TPrintStatus::Proc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowExtra(dialog, 0, lParam);
    return 1;
  }
  if (message == WM_COMMAND && (wParam & 0xFFFF) == static_cast<uintptr_t>(IDCANCEL)) {
    auto* self = reinterpret_cast<TPrintStatus*>(GetWindowExtra(dialog, 0));
    if (self && !self->Cancelled_) {
      self->Cancelled_ = true;
      SetDlgItemText(dialog, idcTitle, LoadPrintString(psCancelling));
    }
    return 1;
  }
  return 0;
}

void TPrintStatus::SetTitle(std::string_view title) {
  if (Window_ && !Cancelled_) SetDlgItemText(Window_, idcTitle, title);
}

void TPrintStatus::SetPage(int32_t page) {
  if (Window_) SetDlgItemText(Window_, idcPage, std::to_string(page));
}

void TPrintStatus::SetTotal(int32_t total) {
  if (!Window_) return;
  ShowWindow(GetDlgItem(Window_, idcOfLabel), total >= 0);
  ShowWindow(GetDlgItem(Window_, idcTotal), total >= 0);
  if (total >= 0) SetDlgItemText(Window_, idcTotal, std::to_string(total));
}

void TPrintStatus::Pump() {
  if (!UiBackend()) return;
  for (int32_t i = 0; i < kPumpLimit && PumpOneMessage(); ++i) {
  }
}
