// Splitting file masks and matching wildcard patterns.
#include "editor/grep/FileMasks.h"

#include "platform/charset/Charset.h"

std::vector<std::string> SplitFileMasks(std::string_view masks) {
  std::vector<std::string> patterns;
  std::string current;
  bool quoted = false;
  for (char c : masks) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      if (!current.empty()) patterns.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) patterns.push_back(std::move(current));
  return patterns;
}

namespace {

bool SameChar(char a, char b) {
  return platform::UpperWin(static_cast<uint8_t>(a)) == platform::UpperWin(static_cast<uint8_t>(b));
}

// Iterative matcher with one back-track point per star: linear in practice, no recursion.
bool Match(std::string_view p, std::string_view n) {
  size_t pi = 0, ni = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starN = ni;
    } else if (pi < p.size() && (p[pi] == '?' || SameChar(p[pi], n[ni]))) {
      ++pi;
      ++ni;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

bool MatchWildcard(std::string_view pattern, std::string_view name) {
  if (Match(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos)
    return Match(pattern.substr(0, pattern.size() - 2), name);
  return false;
}
