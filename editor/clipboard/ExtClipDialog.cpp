// The extended clipboard's dialog: one list line per slot, rebuilt in place when a slot
// changes, and the buttons' states worked out again after every action.
#include "editor/clipboard/ExtClipDialog.h"

#include <optional>
#include <string>

#include "editor/clipboard/ExtClipboard.h"
#include "editor/clipboard/SlotLine.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr TDialogItem kItems[] = {
    {kStaticClass, "&Nr.: Inhalt (Anfang):", WS_VISIBLE | SS_LEFTNOWORDWRAP, {6, 6, 290, 16}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {6, 17, 290, 159}, idSlotList},
    {kButtonClass, "Ein&fügen && Schließen", kButton | WS_GROUP | BS_DEFPUSHBUTTON, {298, 17, 408, 31}, idSlotInsertClose},
    {kButtonClass, "&Markierten Text einfügen", kButton, {298, 35, 408, 49}, idSlotFromSelection},
    {kButtonClass, "Inhalt &Zw.-abl. einfügen", kButton, {298, 53, 408, 67}, idSlotFromClipboard},
    {kButtonClass, "In Zw.-abl. &kopieren", kButton, {298, 71, 408, 85}, idSlotToClipboard},
    {kButtonClass, "Eintrag &löschen", kButton, {298, 89, 408, 103}, idSlotClear},
    {kButtonClass, "&Alle Einträge löschen", kButton, {298, 107, 408, 121}, idSlotClearAll},
    {kButtonClass, "&Schließen", kButton, {298, 127, 408, 141}, IDCANCEL},
    {kButtonClass, "&Hilfe", kButton, {298, 145, 408, 159}, IDHELP},
};
const TDialogTemplate kTemplate{"Erweiterte Zwischenablage", {414, 165}, kItems, DS_MODALFRAME};

TExtClipHost* HostOf(TWindow dialog) {
  return reinterpret_cast<TExtClipHost*>(GetWindowExtra(dialog, 0));
}

int32_t SelectedSlot(TWindow dialog) {
  auto sel = static_cast<int32_t>(SendDlgItemMessage(dialog, idSlotList, LB_GETCURSEL, 0, 0));
  return sel >= 0 && sel < kExtClipboardSlots ? sel : -1;
}

bool Dos(const TExtClipHost& host) { return SlotWindowIsDos(host.Active); }

std::string LineOf(const TExtClipHost& host, int32_t slot) {
  return SlotListText(slot, host.Slots->Slot(slot), Dos(host));
}

void UpdateButtons(TWindow dialog, const TExtClipHost& host) {
  int32_t slot = SelectedSlot(dialog);
  bool filled = slot >= 0 && host.Slots->Filled(slot);
  auto enable = [dialog](int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); };
  enable(idSlotInsertClose, filled && CanPasteSlot(host.Active));
  enable(idSlotFromSelection, slot >= 0 && CanCopyToSlot(host.Active));
  enable(idSlotFromClipboard, slot >= 0 && IsClipboardFormatAvailable(CF_TEXT));
  enable(idSlotToClipboard, filled);
  enable(idSlotClear, filled);
  enable(idSlotClearAll, host.Slots->AnyFilled());
}

// The slot's line replaced where it stands, keeping the selection on it.
void RebuildLine(TWindow dialog, const TExtClipHost& host, int32_t slot) {
  std::string line = LineOf(host, slot);
  SendDlgItemMessage(dialog, idSlotList, LB_DELETESTRING, static_cast<uintptr_t>(slot), 0);
  SendDlgItemMessage(dialog, idSlotList, LB_INSERTSTRING, static_cast<uintptr_t>(slot),
                     reinterpret_cast<intptr_t>(line.c_str()));
}

void Reselect(TWindow dialog, int32_t slot) {
  SendDlgItemMessage(dialog, idSlotList, LB_SETCURSEL, static_cast<uintptr_t>(slot), 0);
}

void Finish(TWindow dialog, intptr_t result) {
  RemoveClipboardFormatListener(dialog);
  EndDialog(dialog, result);
}

// One button's action on the selected slot; the lines that changed are rebuilt.
void Act(TWindow dialog, TExtClipHost& host, int32_t id) {
  int32_t slot = SelectedSlot(dialog);
  TExtClipboard& slots = *host.Slots;
  if (id == idSlotClearAll) {
    slots.ClearAll();
    for (int32_t n = 0; n < kExtClipboardSlots; ++n) RebuildLine(dialog, host, n);
    Reselect(dialog, slot < 0 ? 0 : slot);
    return;
  }
  if (slot < 0) return;
  bool changed = false;
  switch (id) {
    case idSlotInsertClose:
      if (!slots.Filled(slot) || !CanPasteSlot(host.Active)) return;
      Finish(dialog, IDOK);
      (void)slots.PasteSlot(host.Active, slot);
      return;
    case idSlotFromSelection:
      changed = slots.CopyToSlot(host.Active, slot);
      break;
    case idSlotFromClipboard: {
      std::optional<std::string> text = TakeClipboardText(dialog, Dos(host));
      // Like a selection: nothing to take leaves the slot as it was.
      if (text && !text->empty()) changed = slots.Set(slot, *text);
      break;
    }
    case idSlotToClipboard:
      if (slots.Filled(slot) && !PutClipboardText(dialog, slots.Slot(slot), Dos(host))) {
        MessageBeep(0);
      }
      break;
    case idSlotClear:
      changed = slots.Set(slot, {});
      break;
    default:
      return;
  }
  if (changed) {
    RebuildLine(dialog, host, slot);
    Reselect(dialog, slot);
  }
}

intptr_t ExtClipProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto* host = reinterpret_cast<TExtClipHost*>(lParam);
      for (int32_t n = 0; n < kExtClipboardSlots; ++n) {
        std::string line = LineOf(*host, n);
        SendDlgItemMessage(dialog, idSlotList, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(line.c_str()));
      }
      Reselect(dialog, 0);
      // The paste button follows the system clipboard while the dialog is open.
      (void)AddClipboardFormatListener(dialog);
      UpdateButtons(dialog, *host);
      return 1;
    }
    case WM_CLIPBOARDUPDATE:
      if (TExtClipHost* host = HostOf(dialog)) UpdateButtons(dialog, *host);
      return 1;
    case WM_DESTROY:
      RemoveClipboardFormatListener(dialog);
      return 0;
    case WM_COMMAND: {
      TExtClipHost* host = HostOf(dialog);
      if (!host) return 0;
      auto id = static_cast<int32_t>(wParam & 0xFFFF);
      auto code = static_cast<uint32_t>((wParam >> 16) & 0xFFFF);
      switch (id) {
        case idSlotList:
          if (code == LBN_SELCHANGE) UpdateButtons(dialog, *host);
          return 1;
        case IDOK:
          // Enter goes to the default button only while it can act.
          if (IsWindowEnabled(GetDlgItem(dialog, idSlotInsertClose))) Act(dialog, *host, idSlotInsertClose);
          return 1;
        case IDCANCEL:
          Finish(dialog, IDCANCEL);
          return 1;
        case IDHELP:
          if (host->Help) host->Help();
          return 1;
        case idSlotInsertClose: case idSlotFromSelection: case idSlotFromClipboard:
        case idSlotToClipboard: case idSlotClear: case idSlotClearAll:
          Act(dialog, *host, id);
          if (IsWindow(dialog) && IsWindowVisible(dialog)) UpdateButtons(dialog, *host);
          return 1;
        default:
          return 0;
      }
    }
    default:
      return 0;
  }
}

}  // namespace

intptr_t RunExtClipboardDialog(TExtClipHost& host) {
  if (!host.Slots) return -1;
  return DialogBox(host.Owner, kTemplate, ExtClipProc, reinterpret_cast<intptr_t>(&host));
}
