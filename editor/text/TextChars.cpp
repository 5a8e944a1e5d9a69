// Character classes and the locale ordering of the text windows.
#include "editor/text/TextChars.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/charset/Charset.h"
#include "platform/ui/CodePages.h"

namespace {

bool IsGermanWin(uint8_t c) {
  return c == 196 || c == 214 || c == 220 || c == 223 || c == 228 || c == 246 || c == 252;
}
bool IsGermanDos(uint8_t c) {
  return c == 129 || c == 132 || c == 142 || c == 148 || c == 153 || c == 154 || c == 225;
}

// Code page 850 to 1252 through Unicode, built once.
const std::array<uint8_t, 256>& DosToWinTable() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
      int32_t w = platform::UnicodeToCp1252(platform::Cp850ToUnicode(static_cast<uint8_t>(c)));
      t[static_cast<size_t>(c)] = w < 0 ? '?' : static_cast<uint8_t>(w);
    }
    return t;
  }();
  return table;
}

// Primary weight of one byte of a folded text (letters without case and accent), and the
// second letter an expansion adds (ß = ss); 0 when there is none.
struct TWeight {
  uint16_t First;
  uint16_t Second;
};

TWeight PrimaryWeight(uint8_t c) {
  uint8_t u = platform::UpperWin(c);
  auto letter = [](char l) { return static_cast<uint16_t>(0x200 + (l - 'A') * 2); };
  switch (u) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC4: case 0xC5: return {letter('A'), 0};
    case 0xC7: return {letter('C'), 0};
    case 0xC8: case 0xC9: case 0xCA: case 0xCB: return {letter('E'), 0};
    case 0xCC: case 0xCD: case 0xCE: case 0xCF: return {letter('I'), 0};
    case 0xD1: return {letter('N'), 0};
    case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD8: return {letter('O'), 0};
    case 0xD9: case 0xDA: case 0xDB: case 0xDC: return {letter('U'), 0};
    case 0xDD: return {letter('Y'), 0};
    case 0xDF: return {letter('S'), letter('S')};
    default: break;
  }
  if (u >= 'A' && u <= 'Z') return {letter(static_cast<char>(u)), 0};
  // Everything else keeps its code, below the letters for punctuation and digits.
  if (u < 'A') return {static_cast<uint16_t>(u), 0};
  return {static_cast<uint16_t>(0x300 + u), 0};
}

// One byte per primary weight, in the weights' order (0 stays free: keys compare like
// strings, a shorter key first); ß is the only character with two weights.
struct TPrimaryTable {
  std::array<uint8_t, 256> First{};
  std::array<uint8_t, 256> Second{};
};

const TPrimaryTable& PrimaryTable() {
  static const TPrimaryTable table = [] {
    std::array<uint16_t, 256> weights{};
    std::vector<uint16_t> distinct;
    for (int c = 0; c < 256; ++c) {
      weights[static_cast<size_t>(c)] = PrimaryWeight(static_cast<uint8_t>(c)).First;
      distinct.push_back(weights[static_cast<size_t>(c)]);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    auto rank = [&](uint16_t w) {
      return static_cast<uint8_t>(
          1 + (std::lower_bound(distinct.begin(), distinct.end(), w) - distinct.begin()));
    };
    TPrimaryTable t;
    for (int c = 0; c < 256; ++c) {
      t.First[static_cast<size_t>(c)] = rank(weights[static_cast<size_t>(c)]);
      uint16_t second = PrimaryWeight(static_cast<uint8_t>(c)).Second;
      t.Second[static_cast<size_t>(c)] = second ? rank(second) : 0;
    }
    return t;
  }();
  return table;
}

// Accent level: the plain letter before its accented forms; case level: lower before upper.
int32_t CompareAccents(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t k = 0; k < n; ++k) {
    uint8_t ua = platform::UpperWin(static_cast<uint8_t>(a[k]));
    uint8_t ub = platform::UpperWin(static_cast<uint8_t>(b[k]));
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int32_t CompareCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t k = 0; k < n; ++k) {
    uint8_t ca = static_cast<uint8_t>(a[k]);
    uint8_t cb = static_cast<uint8_t>(b[k]);
    if (ca == cb) continue;
    bool la = platform::LowerWin(ca) == ca;
    bool lb = platform::LowerWin(cb) == cb;
    if (la != lb) return la ? -1 : 1;
    return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool IsWordChar(uint8_t c, bool dosMode) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
    return true;
  }
  return dosMode ? IsGermanDos(c) : IsGermanWin(c);
}

bool IsToggleLower(uint8_t c) {
  return (c >= 'a' && c <= 'z') || c == 129 || c == 132 || c == 148 || c == 228 || c == 246 ||
         c == 252;
}

bool IsToggleUpper(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || c == 142 || c == 153 || c == 154 || c == 196 || c == 214 ||
         c == 220;
}

uint8_t ToggleCaseChar(uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 32);
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 32);
  switch (c) {
    // DOS: ü Ü, ä Ä, ö Ö
    case 129: return 154;
    case 154: return 129;
    case 132: return 142;
    case 142: return 132;
    case 148: return 153;
    case 153: return 148;
    // Windows: ä Ä, ö Ö, ü Ü
    case 228: return 196;
    case 196: return 228;
    case 246: return 214;
    case 214: return 246;
    case 252: return 220;
    case 220: return 252;
    default: return c;
  }
}

uint8_t WinToDosChar(uint8_t c) { return platform::WinToDos(c); }
uint8_t DosToWinChar(uint8_t c) { return DosToWinTable()[c]; }

void AppendCollationKey(std::string_view text, std::string& out) {
  const TPrimaryTable& t = PrimaryTable();
  for (char ch : text) {
    uint8_t c = static_cast<uint8_t>(ch);
    out.push_back(static_cast<char>(t.First[c]));
    if (t.Second[c]) out.push_back(static_cast<char>(t.Second[c]));
  }
}

int32_t CompareTextLocaleTies(std::string_view a, std::string_view b, bool caseSensitive) {
  if (int32_t r = CompareAccents(a, b)) return r;
  if (!caseSensitive) return 0;
  return CompareCase(a, b);
}

int32_t CompareTextLocale(std::string_view a, std::string_view b, bool caseSensitive) {
  std::string ka, kb;
  AppendCollationKey(a, ka);
  AppendCollationKey(b, kb);
  if (int32_t r = std::string_view(ka).compare(kb)) return r < 0 ? -1 : 1;
  return CompareTextLocaleTies(a, b, caseSensitive);
}
