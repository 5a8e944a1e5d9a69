// The text and selection of an edit field (also the edit part of a combo box), as characters:
// insertion against a limit, deletion, caret moves with and without extending the selection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::ctl_detail {

class TEditModel {
 public:
  std::u32string Text;
  size_t Anchor = 0;  // the fixed end of the selection
  size_t Caret = 0;   // the moving end
  size_t Limit = 30000;
  bool MultiLine = false;

  size_t SelStart() const { return Anchor < Caret ? Anchor : Caret; }
  size_t SelEnd() const { return Anchor < Caret ? Caret : Anchor; }
  // start -1: no selection (the caret stays); end -1 or past the text: its end.
  void SetSel(int64_t start, int64_t end);
  // Replaces the selection with as much of `text` as the limit leaves room for; a single
  // line ends at the first line break. False when something had to be cut off.
  bool Replace(std::u32string_view text);
  // Backspace (forward false) or Delete; false when there was nothing to delete.
  bool Delete(bool forward);
  // Caret keys (the layer's virtual keys); `extend` keeps the anchor.
  void Move(uint32_t virtualKey, bool extend);
  // A new text from outside: the caret at its start, nothing selected.
  void Reset(std::u32string text);
  int32_t LineCount() const;

 private:
  size_t LineStart(size_t pos) const;
  size_t LineEnd(size_t pos) const;
};

}  // namespace platform::ctl_detail
