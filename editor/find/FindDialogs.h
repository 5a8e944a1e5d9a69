// Layout tables of the find dialogs: "Suchen", "Ersetzen", "Mehrfaches Ersetzen", the
// confirmation "Ersetzen" and "Gehe zu".
#pragma once

#include <cstdint>

#include "platform/ui/Dialog.h"
#include "platform/ui/UiTypes.h"

enum TFindDialogControl : int32_t {
  idcSearchText = 701,
  idcReplaceText = 702,
  idcSearchLabel = 703,
  idcReplaceLabel = 704,
  idcCase = 705,
  idcWholeWords = 706,
  idcRegExp = 707,
  idcFromCursor = 708,
  idcSelectionOnly = 709,
  idcBackward = 710,
  idcConfirm = 711,
  idcHexInput = 712,
  idcAllDocuments = 713,
  // Multiple replace.
  idcGroups = 725,
  idcPairs = 726,
  idcSetUp = 727,
  // Confirmation.
  idcYes = 801,
  idcNo = 802,
  idcAll = 803,
  // Go to.
  idcGotoLabel = 731,
  idcGotoLine = 732,
  idcRangeLabel = 733,
  idcRange = 734,
  idcColumnLabel = 735,
  idcGotoColumn = 736,
  idcExtend = 737,
  idcGotoOffset = 738,
  idcOffsetHex = 739,
  idcOffsetDec = 740,
};

extern const platform::TDialogTemplate kFindDialog;         // 417
extern const platform::TDialogTemplate kReplaceDialog;      // 418
extern const platform::TDialogTemplate kMultiReplaceDialog;  // 419
extern const platform::TDialogTemplate kConfirmDialog;      // 423
extern const platform::TDialogTemplate kGotoDialog;         // 415
