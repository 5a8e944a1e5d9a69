// Reading and writing the tool-bar layout string.
#include "editor/frame/ToolBarLayout.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<uint8_t> ParseToolBarLayout(std::string_view text) {
  if (text.size() < 2) text = kDefaultToolBarLayout;
  std::vector<uint8_t> buttons;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int high = HexDigit(text[i]);
    int low = HexDigit(text[i + 1]);
    buttons.push_back(high < 0 || low < 0 ? kToolBarSeparator
                                          : static_cast<uint8_t>(high * 16 + low));
  }
  return buttons;
}

std::string FormatToolBarLayout(const std::vector<uint8_t>& buttons) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(buttons.size() * 2);
  for (uint8_t b : buttons) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}
