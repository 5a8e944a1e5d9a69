// Splits arbitrary file masks and matches the patterns against arbitrary names:
// nothing may crash, patterns are never empty and hold no unquoted blank, and the
// matcher agrees with a plain recursive reference on short inputs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/grep/FileMasks.h"
#include "platform/charset/Charset.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Same(char a, char b) {
  return platform::UpperWin(static_cast<uint8_t>(a)) == platform::UpperWin(static_cast<uint8_t>(b));
}

bool Reference(std::string_view p, std::string_view n) {
  if (p.empty()) return n.empty();
  if (p[0] == '*') return Reference(p.substr(1), n) || (!n.empty() && Reference(p, n.substr(1)));
  return !n.empty() && (p[0] == '?' || Same(p[0], n[0])) && Reference(p.substr(1), n.substr(1));
}

}  // namespace

// Layout: file masks, a zero byte, a name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string_view masks = input.substr(0, split);
  const std::string_view name =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  size_t total = 0;
  for (const std::string& pattern : SplitFileMasks(masks)) {
    Check(!pattern.empty());
    Check(pattern.find('"') == std::string::npos);
    total += pattern.size();
    const bool match = MatchWildcard(pattern, name);
    if (pattern.size() <= 12 && name.size() <= 12) {
      bool expected = Reference(pattern, name);
      if (!expected && pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
          name.find('.') == std::string_view::npos)
        expected = Reference(std::string_view(pattern).substr(0, pattern.size() - 2), name);
      Check(match == expected);
    }
  }
  Check(total <= masks.size());
  return 0;
}
