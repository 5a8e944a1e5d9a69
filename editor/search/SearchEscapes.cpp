// Escape expansion and hexadecimal input of the find dialog.
#include "editor/search/SearchEscapes.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool ExpandRegExpEscapes(std::string_view text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 >= text.size()) {
      out->push_back(c);
      continue;
    }
    const char e = text[i + 1];
    switch (e) {
      case 'F':
      case 'f':
        out->push_back('\x0C');
        ++i;
        break;
      case 'N':
      case 'n':
        out->append("\r\n");
        ++i;
        break;
      case 'T':
      case 't':
        out->push_back('\t');
        ++i;
        break;
      case '\\':
        out->push_back('\\');
        ++i;
        break;
      case 'X':
      case 'x':
        if (i + 3 < text.size() && HexValue(text[i + 2]) >= 0 && HexValue(text[i + 3]) >= 0) {
          const char b = static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
          out->push_back(b);
          i += 3;
          break;
        }
        [[fallthrough]];
      default:
        out->push_back(c);  // kept with its backslash; the character follows next round
        break;
    }
  }
  return out->find('\0') == std::string::npos;
}

int32_t ParseHexInput(std::string_view text, uint8_t* out, int32_t capacity) {
  int32_t count = 0;
  int32_t groups = 0;
  size_t i = 0;
  bool longGroup = false;  // a group of more than two digits
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') {
      if (HexValue(text[i]) < 0) return -1;
      ++i;
    }
    const size_t digits = i - start;
    ++groups;
    if (digits > 2) longGroup = true;
    // Only a single group may be longer than two digits, and then it must be even.
    if ((longGroup && groups > 1) || (digits > 2 && digits % 2 != 0)) return -1;
    size_t d = start;
    if (digits % 2 != 0) {  // one digit: a leading 0
      if (count >= capacity) return -1;
      out[count++] = static_cast<uint8_t>(HexValue(text[d++]));
    }
    for (; d < i; d += 2) {
      if (count >= capacity) return -1;
      out[count++] = static_cast<uint8_t>(HexValue(text[d]) * 16 + HexValue(text[d + 1]));
    }
  }
  return count > 0 ? count : -1;
}
