// Expression evaluation for macro arguments.
#include "compiler/core/Expression.h"

#include <cctype>
#include <cstring>

namespace {

bool IsOperatorStart(char c) { return std::strchr("+-*/<>=", c) != nullptr && c != '\0'; }

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

int32_t Apply(char op, int32_t left, int32_t right) {
  switch (op) {
    case '+': return Wrap(int64_t{left} + right);
    case '-': return Wrap(int64_t{left} - right);
    case '*': return Wrap(int64_t{left} * right);
    case '/': return right == 0 ? 0 : Wrap(int64_t{left} / right);
    case '<': return left < right ? 1 : 0;
    case '>': return left > right ? 1 : 0;
    case '=': return left == right ? 1 : 0;  // "=="
    case '!': return left != right ? 1 : 0;  // "=!"
    default: return right;
  }
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

int32_t ParseMacroNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  size_t end = 0;
  while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) ++end;
  text = text.substr(0, end);
  int base = 10;
  if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) {
    base = 16;
    text.remove_suffix(1);
  } else if (!text.empty() && (text.back() == 'b' || text.back() == 'B')) {
    bool binary = text.size() > 1;
    for (size_t i = 0; i + 1 < text.size(); ++i)
      if (text[i] != '0' && text[i] != '1') binary = false;
    if (binary) {
      base = 2;
      text.remove_suffix(1);
    }
  }
  uint32_t value = 0;
  for (char c : text) {
    const int d = DigitValue(c);
    if (d >= base) break;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
  }
  return Wrap(negative ? -int64_t{value} : int64_t{value});
}

int32_t EvaluateExpression(std::string_view text, TExpressionTerms& terms) {
  int32_t acc = 0;
  char op = '+';
  size_t i = 0;
  while (i < text.size()) {
    // One term.
    const char c = text[i];
    int32_t value = 0;
    size_t end = i + 1;
    if (c == 'B' || c == 'I' || c == 'M' || c == 'V') {
      while (end < text.size() && !IsOperatorStart(text[end])) ++end;
      const std::string_view arg = text.substr(i + 1, end - i - 1);
      if (c == 'B') value = terms.DriverEntry(ParseMacroNumber(arg));
      if (c == 'I') value = terms.ParameterOffset(arg == "#" ? kCurrentParameter : ParseMacroNumber(arg));
      if (c == 'M') value = terms.SymbolValue(arg);
      if (c == 'V') value = terms.Variable(ParseMacroNumber(arg));
    } else {
      // A sign belongs to the number only where a term is expected.
      end = i;
      if (c == '-' || c == '+') ++end;
      while (end < text.size() && !IsOperatorStart(text[end])) ++end;
      if (end == i) end = i + 1;  // an operator where a term belongs: skipped
      value = ParseMacroNumber(text.substr(i, end - i));
    }
    acc = Apply(op, acc, value);
    i = end;
    if (i >= text.size()) break;
    // One operator.
    op = text[i];
    if (op == '=' && i + 1 < text.size() && (text[i + 1] == '=' || text[i + 1] == '!')) {
      op = text[i + 1] == '=' ? '=' : '!';
      ++i;
    } else if (op == '=') {
      op = '?';  // a lone "=" is no operator; the next term replaces the value
    }
    ++i;
  }
  return acc;
}
