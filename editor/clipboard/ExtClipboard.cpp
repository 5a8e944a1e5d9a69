// The ten slots of the extended clipboard and their exchange with the document windows.
#include "editor/clipboard/ExtClipboard.h"

#include <algorithm>

#include "editor/text/ChildAccess.h"
#include "editor/text/ChildTypes.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "editor/text/TextChildData.h"

namespace {

const std::string kEmpty;

bool ValidSlot(int32_t slot) { return slot >= 0 && slot < kExtClipboardSlots; }

// Text and search-result windows share the text view; hex and compare windows have none.
TTextChildData* TextView(platform::TWindow window) {
  uint8_t kind = ChildKind(window);
  if (kind != wkEdit && kind != wkGrep) return nullptr;
  return dynamic_cast<TTextChildData*>(GetChildData(window));
}

TEditChildData* WritableEdit(platform::TWindow window) {
  if (ChildKind(window) != wkEdit) return nullptr;
  auto* edit = dynamic_cast<TEditChildData*>(GetChildData(window));
  return edit && !edit->ReadOnly ? edit : nullptr;
}

}  // namespace

bool CanCopyToSlot(platform::TWindow window) {
  TTextChildData* view = TextView(window);
  return view && view->HasSelection();
}

bool CanPasteSlot(platform::TWindow window) { return WritableEdit(window) != nullptr; }

bool SlotWindowIsDos(platform::TWindow window) { return ChildDosMode(window); }

bool TExtClipboard::CopyToSlot(platform::TWindow window, int32_t slot) {
  if (!ValidSlot(slot)) return false;
  TTextChildData* view = TextView(window);
  if (!view || !view->HasSelection()) return false;
  std::string text = view->SelectionText();
  if (text.empty()) return false;
  Slots_[static_cast<size_t>(slot)] = std::move(text);
  return true;
}

bool TExtClipboard::PasteSlot(platform::TWindow window, int32_t slot) {
  if (!Filled(slot)) return false;
  TEditChildData* edit = WritableEdit(window);
  if (!edit) return false;
  // A copy: the insertion may not read from a slot that something else changes meanwhile.
  std::string text = Slot(slot);
  edit->InsertTextAtCaret(text);
  return true;
}

const std::string& TExtClipboard::Slot(int32_t slot) const {
  return ValidSlot(slot) ? Slots_[static_cast<size_t>(slot)] : kEmpty;
}

bool TExtClipboard::AnyFilled() const {
  return std::any_of(Slots_.begin(), Slots_.end(), [](const std::string& s) { return !s.empty(); });
}

bool TExtClipboard::Set(int32_t slot, std::string_view bytes) {
  if (!ValidSlot(slot)) return false;
  Slots_[static_cast<size_t>(slot)].assign(bytes);
  return true;
}

void TExtClipboard::ClearAll() {
  for (std::string& s : Slots_) {
    s.clear();
    s.shrink_to_fit();
  }
}
