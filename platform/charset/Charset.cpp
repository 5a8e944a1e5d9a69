// Windows-1252 case tables, built once at compile time.
#include "platform/charset/Charset.h"

#include <array>

namespace platform {
namespace {

struct TCaseTables {
  std::array<uint8_t, 256> Upper{};
  std::array<uint8_t, 256> Lower{};
};

constexpr TCaseTables MakeTables() {
  TCaseTables t;
  for (int i = 0; i < 256; ++i) {
    t.Upper[i] = static_cast<uint8_t>(i);
    t.Lower[i] = static_cast<uint8_t>(i);
  }
  auto pair = [&t](int upper, int lower) {
    t.Upper[lower] = static_cast<uint8_t>(upper);
    t.Lower[upper] = static_cast<uint8_t>(lower);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  // Latin-1 letters: À..Þ pair with à..þ, except the multiplication sign.
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) pair(c, c + 32);
  }
  pair(0x8A, 0x9A);  // Š š
  pair(0x8C, 0x9C);  // Œ œ
  pair(0x8E, 0x9E);  // Ž ž
  pair(0x9F, 0xFF);  // Ÿ ÿ
  return t;
}

constexpr TCaseTables kTables = MakeTables();

}  // namespace

uint8_t UpperWin(uint8_t c) { return kTables.Upper[c]; }
uint8_t LowerWin(uint8_t c) { return kTables.Lower[c]; }

bool EqualNoCaseWin(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (kTables.Upper[static_cast<uint8_t>(a[i])] != kTables.Upper[static_cast<uint8_t>(b[i])])
      return false;
  }
  return true;
}

bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

bool StartsWithNoCaseWin(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCaseWin(text.substr(0, prefix.size()), prefix);
}

std::string UpperCaseWin(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(kTables.Upper[static_cast<uint8_t>(c)]);
  return out;
}

}  // namespace platform
