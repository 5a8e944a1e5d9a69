// The extended clipboard: ten private slots that live while the program runs, filled from
// the selection of a text or search-result window and inserted into a text window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

constexpr int32_t kExtClipboardSlots = 10;

class TExtClipboard {
 public:
  // The selection of `window` (a text or search-result window) into the slot; an empty
  // selection leaves the slot as it was. True when the slot took new content.
  bool CopyToSlot(platform::TWindow window, int32_t slot);
  // The slot's text inserted at the caret of a writable text window like typed text (one
  // undo step). An empty slot, another kind of window or a read-only one: nothing happens
  // and the answer is false.
  bool PasteSlot(platform::TWindow window, int32_t slot);

  // Empty for an empty slot or a number outside 0 to 9.
  const std::string& Slot(int32_t slot) const;
  bool Filled(int32_t slot) const { return !Slot(slot).empty(); }
  bool AnyFilled() const;
  // Empty bytes empty the slot; false for a number outside 0 to 9.
  bool Set(int32_t slot, std::string_view bytes);
  void ClearAll();

 private:
  std::array<std::string, kExtClipboardSlots> Slots_;
};

// Whether a window can give its selection to a slot (a text or search-result window with a
// selection), and whether it takes a slot's text (a writable text window).
bool CanCopyToSlot(platform::TWindow window);
bool CanPasteSlot(platform::TWindow window);
// The code page the window's text is in: true for a window in DOS mode.
bool SlotWindowIsDos(platform::TWindow window);
