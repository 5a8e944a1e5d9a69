// Procedure of the port dialog.
#include "compiler/standalone/PortDialog.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "resources/velcomp/Dialogs.h"

using namespace platform;

namespace {

struct TPortDialogState {
  TCompilerSettings* Settings;
  const std::function<void(TWindow, TPortChoice)>* OnCompile;
};

int32_t CheckedPort(TWindow dialog) {
  for (int32_t id = idcCom1; id <= idcCom4; ++id) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - idcCom1;
  }
  return 0;
}

intptr_t PortProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto* state = reinterpret_cast<TPortDialogState*>(lParam);
      CheckRadioButton(dialog, idcCom1, idcCom4, idcCom1 + state->Settings->ComPort);
      CheckDlgButton(dialog, idcModem, state->Settings->Modem != 0 ? BST_CHECKED : BST_UNCHECKED);
      SetDlgItemText(dialog, idcModemNumber, state->Settings->ModemNr);
      return 1;
    }
    case WM_COMMAND: {
      if (HiWord(wParam) != BN_CLICKED) return 0;
      const int32_t id = static_cast<int32_t>(LoWord(wParam));
      auto* state = reinterpret_cast<TPortDialogState*>(GetWindowExtra(dialog, 0));
      if (id == idcClose || id == idcPortCancel) {
        EndDialog(dialog, pcNone);
        return 1;
      }
      if (id != idcCompile && id != idcCompileTransfer) return 0;
      const TPortChoice choice = id == idcCompile ? pcCompile : pcCompileTransfer;
      state->Settings->ComPort = CheckedPort(dialog);
      // Nothing else can be pressed while the compile runs.
      EnableWindow(dialog, false);
      if (*state->OnCompile) (*state->OnCompile)(dialog, choice);
      EnableWindow(dialog, true);
      EndDialog(dialog, choice);
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace

TPortChoice VELCompilerDialog::Run(TWindow owner, TCompilerSettings& settings,
                                   const std::function<void(TWindow, TPortChoice)>& onCompile) {
  TPortDialogState state{&settings, &onCompile};
  const intptr_t result =
      DialogBox(owner, kPortDialog, PortProc, reinterpret_cast<intptr_t>(&state));
  if (result == pcCompile || result == pcCompileTransfer) return static_cast<TPortChoice>(result);
  return pcNone;
}
