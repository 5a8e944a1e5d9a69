// The compiler status dialog and its progress callback.
#include "compiler/standalone/StatusDialog.h"

#include <algorithm>
#include <string>

#include "compiler/core/Charset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "resources/velcomp/Dialogs.h"

using namespace platform;

VELCompilerMld::~VELCompilerMld() { Close(); }

bool VELCompilerMld::Create(TWindow owner) {
  if (Window_ != 0) return true;
  Window_ = CreateDialog(owner, kStatusDialog, Proc, reinterpret_cast<intptr_t>(this));
  if (Window_ == 0) return false;
  SendDlgItemMessage(Window_, idcGauge, PBM_SETRANGE, 0, MakeLParam(0, 100));
  return true;
}

void VELCompilerMld::Close() {
  if (Window_ != 0 && IsWindow(Window_)) EndDialog(Window_, 0);
  Window_ = 0;
}

intptr_t VELCompilerMld::Proc(TWindow dialog, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowExtra(dialog, 0, lParam);
    return 1;
  }
  auto* self = reinterpret_cast<VELCompilerMld*>(GetWindowExtra(dialog, 0));
  if (self == nullptr) return 0;
  // "Abbruch", Escape and closing the window all stop the compile; the window stays until
  // the compile has ended, so that its callback never talks to a destroyed dialog.
  if ((message == WM_COMMAND && LoWord(wParam) == static_cast<uint32_t>(idcStatusCancel) &&
       HiWord(wParam) == BN_CLICKED) ||
      message == WM_CLOSE) {
    self->Cancelled_ = true;
    return 1;
  }
  return 0;
}

int32_t VELCompilerMld::Progress(VELSTATUS* status) {
  auto* self = static_cast<VELCompilerMld*>(status->Owner);
  if (self == nullptr) return 0;
  return self->Update(*status);
}

int32_t VELCompilerMld::Update(const VELSTATUS& status) {
  while (PumpOneMessage()) {
  }
  if (Window_ != 0 && IsWindow(Window_)) {
    const int32_t percent = std::clamp(status.Percent, 0, 100);
    if (percent != Percent_) {
      SendDlgItemMessage(Window_, idcGauge, PBM_SETPOS, static_cast<uintptr_t>(percent), 0);
      SetDlgItemText(Window_, idcGaugeText, std::to_string(percent) + "%");
    }
    if (Messages_.ErrorCount() != Errors_) {
      Errors_ = Messages_.ErrorCount();
      SetDlgItemInt(Window_, idcErrors, Errors_);
    }
    if (Messages_.WarningCount() != Warnings_) {
      Warnings_ = Messages_.WarningCount();
      SetDlgItemInt(Window_, idcWarnings, Warnings_);
    }
    if (!InfoShown_ && status.ConfigVersion != nullptr) {
      InfoShown_ = true;
      SetDlgItemText(Window_, idcInfo, Cp1252ToUtf8(status.ConfigVersion));
    }
  }
  Percent_ = status.Percent;
  return Cancelled_ ? 1 : 0;
}
