// Splits arbitrary bytes as a command line, and checks that every argument, quoted again,
// splits back to itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = platform::SplitCommandLine(line);
  std::string again = "p";
  for (size_t i = 1; i < args.size(); ++i) again += " " + platform::QuoteArgument(args[i]);
  std::vector<std::string> back = platform::SplitCommandLine(again);
  std::vector<std::string> expected{"p"};
  if (args.size() > 1) expected.insert(expected.end(), args.begin() + 1, args.end());
  if (back != expected) std::abort();
  return 0;
}
