// The dialog "VEL Compilieren & Übertragen": the serial port for the transfer and the
// choice between compiling with or without a transfer.
#pragma once

#include <cstdint>
#include <functional>

#include "compiler/standalone/CompilerSettings.h"
#include "platform/ui/UiTypes.h"

enum TPortChoice : int32_t {
  pcNone = 0,             // "&Schließen", "Abbruch" or the dialog could not be shown
  pcCompile = 1,          // "&Compilieren"
  pcCompileTransfer = 2,  // "Compilieren&&&Übertragen"
};

// Shows the dialog modally with the stored port checked. A compile button takes the checked
// port into `settings` and calls `onCompile` while the dialog is still open (its owner for
// the status dialog and questions); the dialog closes when that returns.
class VELCompilerDialog {
 public:
  static TPortChoice Run(platform::TWindow owner, TCompilerSettings& settings,
                         const std::function<void(platform::TWindow dialog, TPortChoice)>& onCompile);
};
