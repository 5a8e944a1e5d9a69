// Building the list line of an extended-clipboard slot.
#include "editor/clipboard/SlotLine.h"

#include <algorithm>

#include "platform/ui/ClipboardData.h"

namespace {

constexpr char kTabMark = '\xBB';   // » in the Windows code page
constexpr char kLineMark = '\xB6';  // ¶ in the Windows code page
constexpr std::string_view kEmptyText = "   <nicht belegt>";

std::string Prefix(int32_t slot) { return std::to_string(slot) + ":  "; }

// Calls `text` with runs of content bytes and `mark` with each visible mark, in order.
template <typename TText, typename TMark>
void Walk(std::string_view content, TText text, TMark mark) {
  std::string_view head = content.substr(0, std::min(content.size(), kSlotLineBytes));
  size_t run = 0;
  for (size_t i = 0; i < head.size(); ++i) {
    char c = head[i];
    if (c != '\t' && c != '\r' && c != '\n') continue;
    if (i > run) text(head.substr(run, i - run));
    run = i + 1;
    // The pair CR LF is one line end: its CR carries the mark.
    if (c == '\n' && i > 0 && head[i - 1] == '\r') continue;
    mark(c == '\t' ? kTabMark : kLineMark);
  }
  if (run < head.size()) text(head.substr(run));
}

}  // namespace

std::string SlotLine(int32_t slot, std::string_view content) {
  std::string line = Prefix(slot);
  if (content.empty()) return line + std::string(kEmptyText);
  Walk(content, [&](std::string_view run) { line += run; }, [&](char m) { line += m; });
  return line;
}

std::string SlotListText(int32_t slot, std::string_view content, bool oem) {
  std::string line = Prefix(slot);
  if (content.empty()) return line + std::string(kEmptyText);
  Walk(
      content, [&](std::string_view run) { line += platform::CodePageTextToUtf8(run, oem); },
      [&](char m) { line += platform::CodePageTextToUtf8(std::string_view(&m, 1), false); });
  return line;
}
