// The macro machine's expressions: terms and operators, strictly left to right.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int32_t kCurrentParameter = INT32_MIN;

// What the terms B, I, M and V read.
class TExpressionTerms {
 public:
  virtual ~TExpressionTerms() = default;
  virtual int32_t DriverEntry(int32_t n) = 0;
  // kCurrentParameter means the current parameter ("I#").
  virtual int32_t ParameterOffset(int32_t n) = 0;
  virtual int32_t SymbolValue(std::string_view name) = 0;
  virtual int32_t Variable(int32_t n) = 0;
};

// Evaluates one argument word, e.g. "3+4*2" (14), "V5==0", "0FFh", "101b", "MTIMER/2".
// Arithmetic wraps at 32 bits; a division by zero gives 0.
int32_t EvaluateExpression(std::string_view text, TExpressionTerms& terms);

// A signed number: decimal, trailing "h" hexadecimal, trailing "b" binary. Parses the
// longest valid prefix, as a lenient reader of definition texts.
int32_t ParseMacroNumber(std::string_view text);
