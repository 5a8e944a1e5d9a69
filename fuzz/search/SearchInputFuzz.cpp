// Runs the escape expansion and the hexadecimal-input parser on arbitrary dialog text:
// no crash, no overflow, and accepted hex input must read back what it says.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "editor/search/SearchEscapes.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::string expanded;
  const bool ok = ExpandRegExpEscapes(text, &expanded);
  // Every escape keeps or shrinks its length.
  Check(expanded.size() <= text.size());
  Check(ok == (std::memchr(expanded.data(), 0, expanded.size()) == nullptr));

  uint8_t bytes[80];
  const int32_t n = ParseHexInput(text, bytes, 80);
  Check(n == -1 || (n >= 1 && n <= 80));
  if (n > 0) {
    // The digits of the input, in order, are the digits of the bytes (a lone digit of a
    // group stands for a byte below 16).
    std::string digits;
    for (char c : text) {
      if (c == ' ') continue;
      Check(Digit(c) >= 0);
      digits += c;
    }
    int32_t total = 0;
    for (int32_t i = 0; i < n; ++i) total += bytes[i] < 16 ? 1 : 2;
    Check(static_cast<size_t>(total) <= digits.size() && digits.size() <= static_cast<size_t>(2 * n));
  }
  return 0;
}
