// The loader's command line: split at blanks, a first pass for the run settings and a
// second pass that turns each argument into an action.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "loader/actions/Actions.h"

namespace krlad {

struct TRunSettings {
  int32_t Port = 1;             // COMn
  int32_t SwitchOffMethod = 0;  // -Pn; 0 = none
  bool NoRetry = false;         // -Y
  bool Console = false;         // -K: texts and questions on the terminal
};

// Arguments separated by blanks; there is no quoting, so a file name cannot hold a blank.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The arguments as the program received them, each one whole, so that a file name may hold
// blanks (the compilers quote the record's path); empty and blank-only ones are dropped, as
// they would vanish from a line split at blanks.
std::vector<std::string> ProgramArguments(const std::vector<std::string>& given);

enum class TSettingsResult : uint8_t {
  Ok,
  ShowParams,  // no argument, -? or an argument we do not know: message 1020, end
};

// First pass over all arguments.
[[nodiscard]] TSettingsResult ParseSettings(const std::vector<std::string>& args,
                                            TRunSettings& settings);

enum class TArgumentResult : uint8_t {
  Action,     // `action` is filled
  Setting,    // handled by the first pass (or accepted without effect, -SF)
  BadMemory,  // -*S without a usable address or length
  Unknown,
};

// Second pass: one argument.
[[nodiscard]] TArgumentResult ParseArgument(std::string_view arg, TAction& action);

}  // namespace krlad
