// The loader's command line: both passes over any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "loader/actions/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const auto args = krlad::SplitCommandLine(line);
  krlad::TRunSettings settings;
  (void)krlad::ParseSettings(args, settings);
  for (const auto& arg : args) {
    krlad::TAction action;
    if (krlad::ParseArgument(arg, action) == krlad::TArgumentResult::Action &&
        action.Kind == krlad::TActionKind::ReadMemory && action.Address > 0xFFFFFF)
      __builtin_trap();
  }
  return 0;
}
