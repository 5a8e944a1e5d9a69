// Edit operations on characters; line breaks of multi-line text are "\r\n" like the
// system's fields, and the caret never stands between their two characters.
#include "platform/ui/EditModel.h"

#include <algorithm>

#include "platform/ui/UiTypes.h"

namespace platform::ctl_detail {

void TEditModel::SetSel(int64_t start, int64_t end) {
  size_t size = Text.size();
  if (start < 0) {
    Anchor = Caret;
    return;
  }
  size_t s = std::min(static_cast<size_t>(start), size);
  size_t e = end < 0 ? size : std::min(static_cast<size_t>(end), size);
  Anchor = s;
  Caret = e;
}

bool TEditModel::Replace(std::u32string_view text) {
  bool complete = true;
  if (!MultiLine) {
    size_t cut = text.find_first_of(U"\r\n");
    if (cut != std::u32string_view::npos) {
      text = text.substr(0, cut);
      complete = false;
    }
  }
  size_t start = SelStart();
  size_t kept = Text.size() - (SelEnd() - start);
  size_t room = Limit > kept ? Limit - kept : 0;
  if (text.size() > room) {
    text = text.substr(0, room);
    // Half a line break would be left behind.
    if (!text.empty() && text.back() == U'\r') text.remove_suffix(1);
    complete = false;
  }
  Text.replace(start, SelEnd() - start, text);
  Anchor = Caret = start + text.size();
  return complete;
}

bool TEditModel::Delete(bool forward) {
  if (Anchor != Caret) {
    Text.erase(SelStart(), SelEnd() - SelStart());
    Anchor = Caret = SelStart();
    return true;
  }
  size_t from = Caret;
  size_t to = Caret;
  if (forward) {
    if (to >= Text.size()) return false;
    to += Text.compare(to, 2, U"\r\n") == 0 ? 2 : 1;
  } else {
    if (from == 0) return false;
    from -= (from >= 2 && Text.compare(from - 2, 2, U"\r\n") == 0) ? 2 : 1;
  }
  Text.erase(from, to - from);
  Anchor = Caret = from;
  return true;
}

size_t TEditModel::LineStart(size_t pos) const {
  size_t nl = pos == 0 ? std::u32string::npos : Text.rfind(U'\n', pos - 1);
  return nl == std::u32string::npos ? 0 : nl + 1;
}

size_t TEditModel::LineEnd(size_t pos) const {
  size_t r = Text.find(U'\r', pos);
  size_t n = Text.find(U'\n', pos);
  return std::min({r, n, Text.size()});
}

void TEditModel::Move(uint32_t key, bool extend) {
  size_t pos = Caret;
  switch (key) {
    case VK_LEFT:
      if (!extend && Anchor != Caret) {
        pos = SelStart();
      } else if (pos > 0) {
        pos -= (pos >= 2 && Text.compare(pos - 2, 2, U"\r\n") == 0) ? 2 : 1;
      }
      break;
    case VK_RIGHT:
      if (!extend && Anchor != Caret) {
        pos = SelEnd();
      } else if (pos < Text.size()) {
        pos += Text.compare(pos, 2, U"\r\n") == 0 ? 2 : 1;
      }
      break;
    case VK_HOME:
      pos = MultiLine ? LineStart(pos) : 0;
      break;
    case VK_END:
      pos = MultiLine ? LineEnd(pos) : Text.size();
      break;
    case VK_UP:
    case VK_DOWN: {
      if (!MultiLine) return;
      size_t start = LineStart(pos);
      size_t column = pos - start;
      size_t target;
      if (key == VK_UP) {
        if (start == 0) return;
        target = LineStart(start - 1);
      } else {
        size_t end = LineEnd(pos);
        if (end >= Text.size()) return;
        target = end + (Text.compare(end, 2, U"\r\n") == 0 ? 2 : 1);
      }
      pos = std::min(target + column, LineEnd(target));
      break;
    }
    default:
      return;
  }
  Caret = pos;
  if (!extend) Anchor = pos;
}

void TEditModel::Reset(std::u32string text) {
  Text = std::move(text);
  Anchor = Caret = 0;
}

int32_t TEditModel::LineCount() const {
  if (!MultiLine) return 1;
  return 1 + static_cast<int32_t>(std::count(Text.begin(), Text.end(), U'\n'));
}

}  // namespace platform::ctl_detail
