// Byte classes and case folding of the searches: letters, digits and word characters
// know the German umlauts and sharp s of both the Windows and the DOS code page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace search_chars {

// One table per question, indexed by the byte.
struct TByteTables {
  std::array<bool, 256> Letter{};         // A-Z, a-z and the umlauts of both code pages
  std::array<bool, 256> WordChar{};       // letters, digits, "-" and "_"
  std::array<uint8_t, 256> RegExpFold{};  // folding of the regular-expression matcher
  std::array<uint8_t, 256> PlainFold{};   // folding of the case-insensitive plain search
  std::array<uint8_t, 256> DosForm{};     // Windows umlaut or sharp s -> its DOS byte, else 0
};

// Windows Ä Ö Ü ß ä ö ü and, position by position, their DOS bytes.
inline constexpr uint8_t kWindowsUmlauts[] = {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xF6, 0xFC};
inline constexpr uint8_t kDosUmlauts[] = {0x8E, 0x99, 0x9A, 0xE1, 0x84, 0x94, 0x81};

constexpr TByteTables BuildTables() {
  TByteTables t;
  for (int c = 0; c < 256; ++c) {
    t.RegExpFold[c] = static_cast<uint8_t>(c);
    t.PlainFold[c] = static_cast<uint8_t>(c);
  }
  for (int c = 'A'; c <= 'Z'; ++c) t.Letter[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) {
    t.Letter[c] = true;
    t.RegExpFold[c] = static_cast<uint8_t>(c - 'a' + 'A');
    t.PlainFold[c] = static_cast<uint8_t>(c - 'a' + 'A');
  }
  for (size_t i = 0; i < sizeof kWindowsUmlauts; ++i) {
    t.Letter[kWindowsUmlauts[i]] = true;
    t.Letter[kDosUmlauts[i]] = true;
    t.DosForm[kWindowsUmlauts[i]] = kDosUmlauts[i];
  }
  // The matcher folds only the DOS small umlauts; the Windows ones stay apart.
  t.RegExpFold[0x81] = 0x9A;
  t.RegExpFold[0x84] = 0x8E;
  t.RegExpFold[0x94] = 0x99;
  // The plain search makes every form of an umlaut the Windows capital.
  t.PlainFold[0x84] = t.PlainFold[0x8E] = t.PlainFold[0xE4] = 0xC4;
  t.PlainFold[0x94] = t.PlainFold[0x99] = t.PlainFold[0xF6] = 0xD6;
  t.PlainFold[0x81] = t.PlainFold[0x9A] = t.PlainFold[0xFC] = 0xDC;
  t.PlainFold[0xE1] = 0xDF;
  for (int c = 0; c < 256; ++c) t.WordChar[c] = t.Letter[c] || (c >= '0' && c <= '9');
  t.WordChar['-'] = true;
  t.WordChar['_'] = true;
  return t;
}

inline constexpr TByteTables kTables = BuildTables();

inline bool IsLetter(uint8_t c) { return kTables.Letter[c]; }
inline bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
inline bool IsWordChar(uint8_t c) { return kTables.WordChar[c]; }
// a-z upper-cased, DOS ü ä ö to Ü Ä Ö; every other byte stays.
inline uint8_t RegExpFold(uint8_t c) { return kTables.RegExpFold[c]; }
// a-z upper-cased, every form of an umlaut to the Windows capital, DOS ß to Windows ß.
inline uint8_t PlainFold(uint8_t c) { return kTables.PlainFold[c]; }

}  // namespace search_chars
