// Break positions of word wrap and text formatting.
#include "editor/text/WordWrap.h"

#include <algorithm>

int32_t FindBreakPosition(std::string_view text, int32_t limit) {
  const int32_t len = static_cast<int32_t>(text.size());
  if (len == 0 || len <= limit) return -1;
  limit = std::max(limit, 1);
  for (int32_t i = limit; i >= 1; --i) {
    char c = text[static_cast<size_t>(i)];
    if (c == ' ' || c == '\t' || (c == '-' && i < limit)) {
      // The blank or hyphen stays at the end of the first line.
      return i + 1;
    }
  }
  return limit;
}

std::string_view LeadingBlanks(std::string_view text, int32_t column) {
  size_t n = 0;
  size_t most = static_cast<size_t>(std::max(column, 0));
  while (n < text.size() && n < most && (text[n] == ' ' || text[n] == '\t')) ++n;
  return text.substr(0, n);
}
