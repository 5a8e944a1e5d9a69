// The plain-text form of a range.
#include "editor/text/TextClipboard.h"

#include "editor/text/RangePieces.h"

std::string PlainTextOfRange(const TTextLines& lines, const TTextRange& range, bool columnMode,
                             int32_t caretLine, int32_t caretColumn) {
  size_t size = GetRangeText(lines, range, columnMode, nullptr, caretLine, caretColumn);
  if (size == 0) return {};
  std::string bytes(size, '\0');
  GetRangeText(lines, range, columnMode, bytes.data(), caretLine, caretColumn);
  bytes.resize(size - 1);  // the closing NUL
  return bytes;
}
