// Hexadecimal colour text.
#include "platform/gfx/ColorText.h"

#include <cstdio>

namespace platform {

bool ParseHexColor(std::string_view text, size_t maxDigits, TColorRef* color) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > maxDigits) return false;
  uint32_t v = 0;
  for (char c : text) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return false;
    }
    v = v * 16 + static_cast<uint32_t>(d);
  }
  *color = v & 0x00FFFFFF;
  return true;
}

std::string FormatHexColor(TColorRef color, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits,
                digits <= 6 ? color & 0xFFFFFF : color);
  return buffer;
}

}  // namespace platform
