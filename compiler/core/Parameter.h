// One parameter of a VEL command, its textual form, and the parameter patterns.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr char pkName = 'm';  // name only (a label)
constexpr char pkWord = 'w';  // word operand or number
constexpr char pkBit = 'b';   // bit operand
constexpr int32_t kMaxParameters = 20;

struct ParameterData {
  std::string Name;  // "$" for a plain number
  char Kind = 0;     // 0: absent
  uint32_t Offset = 0;
  uint32_t Bit = 0;
  bool Unconsumed = false;

  // Back to absent; keeps the name's buffer (parameters are cleared for every command).
  void Clear() {
    Name.clear();
    Kind = 0;
    Offset = 0;
    Bit = 0;
    Unconsumed = false;
  }
  bool Present() const { return Kind != 0; }
  bool IsConstant() const { return Name == "$"; }
  // Name followed by the kind letter: "$w", "LOOPm", "Eb".
  std::string Form() const;
  // The argument test of MatchesPattern on Form(), without building it (it runs for every
  // pattern a definition tries on a parameter).
  bool FormFits(std::string_view argument) const;
};

using TParameters = std::array<ParameterData, kMaxParameters>;

// The filter of SPF, taken apart once when it is set (it is tried for every pattern of every
// parameter): the alternatives compared whole, and the last characters accepted from the
// first alternative beginning with "?" on.
class TParameterFilter {
 public:
  void Set(std::string_view text);
  // See PassesFilter.
  bool Passes(std::string_view form) const;

 private:
  std::string Text_;  // what the parts below were taken from
  bool Empty_ = true;
  std::vector<std::string> Whole_;
  std::array<bool, 256> LastChars_{};
};

// A form passes when one alternative of the filter ("/" or "%" separated) matches: the
// whole form, or (from the first alternative beginning with "?" on) the form's last
// character against any character of the alternative. An empty filter restricts nothing.
bool PassesFilter(std::string_view form, std::string_view filter);

// #GPAR / #NPAR: passes the filter and equals the argument, or with "?x" ends in x.
bool MatchesPattern(std::string_view form, std::string_view filter, std::string_view argument);
