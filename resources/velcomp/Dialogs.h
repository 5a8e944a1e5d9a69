// The compilers' two dialogs as layout tables: the port choice "VEL Compilieren &
// Übertragen" and the status dialog "VEL Compilerstatus".
#pragma once

#include <cstdint>

#include "platform/ui/Dialog.h"
#include "platform/ui/UiTypes.h"

// Controls of the port dialog.
enum TPortDialogControl : int32_t {
  idcCom1 = 201,  // COM1 to COM4 follow in order
  idcCom4 = 204,
  idcModem = 210,
  idcModemSetup = 211,
  idcModemLabel = 212,
  idcModemNumber = 213,
  idcCompileTransfer = 301,
  idcCompile = 302,
  idcClose = 303,
  idcPortCancel = platform::IDCANCEL,
};

// Controls of the status dialog.
enum TStatusDialogControl : int32_t {
  idcGauge = 401,
  idcGaugeText = 402,
  idcErrors = 403,
  idcWarnings = 404,
  idcInfo = 405,
  idcStatusCancel = platform::IDCANCEL,
};

extern const platform::TDialogTemplate kPortDialog;
extern const platform::TDialogTemplate kStatusDialog;
