// Command lines as one text, the way the compilers and the editor build them: split into
// arguments by the Windows rules, and arguments quoted so that they split back unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits a command line the way a Windows program's start-up code does:
// - blanks and tabs separate arguments; a double quote switches quoting on and off, and
//   blanks inside quotes belong to the argument;
// - 2n backslashes followed by a quote give n backslashes and the quote acts as above;
//   2n+1 backslashes followed by a quote give n backslashes and a literal quote;
//   backslashes not followed by a quote are literal;
// - inside quotes, two quotes in a row give one literal quote and quoting stays on;
// - the first argument (the program) ends at the first blank outside quotes, and its
//   quotes are only removed: a program path keeps every backslash.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The argument quoted only when it needs it (blanks, tabs, quotes, or empty), so that
// SplitCommandLine gives it back as one argument, unchanged.
std::string QuoteArgument(std::string_view argument);

}  // namespace platform
