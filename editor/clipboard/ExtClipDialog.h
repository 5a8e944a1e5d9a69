// The dialog "Erweiterte Zwischenablage": the ten slots in a list, and buttons that fill,
// insert, exchange with the system clipboard and empty them.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui/UiTypes.h"

class TExtClipboard;

// Control ids of the dialog.
enum TExtClipDialogId : int32_t {
  idSlotList = 4281,
  idSlotInsertClose,
  idSlotFromSelection,
  idSlotFromClipboard,
  idSlotToClipboard,
  idSlotClear,
  idSlotClearAll,
};

struct TExtClipHost {
  platform::TWindow Owner = 0;
  platform::TWindow Active = 0;  // the document window the dialog works with
  TExtClipboard* Slots = nullptr;
  std::function<void()> Help;
};

// Runs the dialog modally; IDOK when a slot was inserted into the window, IDCANCEL when it
// was closed otherwise, -1 when it could not be shown.
intptr_t RunExtClipboardDialog(TExtClipHost& host);
