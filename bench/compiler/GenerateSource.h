// A generated VEL source for the sample definition, `lines` lines long.
#pragma once

#include <string>

inline std::string GenerateVelSource(int lines) {
  static const char* const kBody[] = {
      "        SET(M1, 7)          ; Merker setzen",
      "        IF(E2.9) {",
      "          ON(A1.3)",
      "          ADD(R3, 1)",
      "        }",
      "        IFNOT(E0.1)",
      "          OFF(A0.1)",
      "        TOGGLE(M1.15)",
      "        WAIT(500)",
      "        [1, 2, 0FFFFh, \"Text\\0D\\0A\"]",
  };
  // Labels are letters only: a name with digits would be a word operand.
  auto labelName = [](int n) {
    std::string name = "L";
    do {
      name += static_cast<char>('A' + n % 26);
      n /= 26;
    } while (n > 0);
    return name;
  };
  std::string out;
  const int groups = (lines - 1) / 12;
  for (int g = 0; g < groups; ++g) {
    out += labelName(g) + ":\n";
    for (const char* line : kBody) {
      out += line;
      out += '\n';
    }
    out += "        CALL(" + labelName(g) + ")\n";
  }
  for (int rest = groups * 12; rest < lines - 1; ++rest) out += "; Kommentar\n";
  out += "        END()\n";
  return out;
}
