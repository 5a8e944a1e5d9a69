// Upper-casing of the file compare: a-z and the small umlauts of the Windows and the DOS
// code page. Each code page folds within itself; other bytes stay as they are.
#pragma once

#include <array>
#include <cstdint>

namespace diff_case {

constexpr std::array<uint8_t, 256> BuildUpper() {
  std::array<uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c)
    t[c] = static_cast<uint8_t>(c);
  for (int c = 'a'; c <= 'z'; ++c)
    t[c] = static_cast<uint8_t>(c - 'a' + 'A');
  t[228] = 196;  // Windows ä ö ü
  t[246] = 214;
  t[252] = 220;
  t[132] = 142;  // DOS ä ö ü
  t[148] = 153;
  t[129] = 154;
  return t;
}

inline constexpr std::array<uint8_t, 256> kUpper = BuildUpper();

inline uint8_t Upper(uint8_t c) {
  return kUpper[c];
}

}  // namespace diff_case
