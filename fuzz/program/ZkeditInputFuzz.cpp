// Arbitrary bytes as the editor's command line (arguments split at NUL bytes) and as a
// recovery copy: parsing never crashes, the request's strings stay terminated and in
// bounds, and a recovery copy that parses writes back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/frame/StartupRequest.h"
#include "editor/program/Recovery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  size_t start = 0;
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == 0) {
      args.push_back(bytes.substr(start, i - start));
      start = i + 1;
    }
  }
  // Arguments whose length is odd "exist on disk".
  TStartupRequest request = ParseCommandLine(args, [](const std::string& p) {
    return static_cast<int32_t>(p.size() % 2);
  });
  if (strnlen(request.FileName, sizeof request.FileName) > kStartupNameMax) std::abort();
  if (strnlen(request.GroupName, sizeof request.GroupName) > kStartupGroupMax) std::abort();
  if (request.Line < 0 || request.Column < 0 || request.Filler[0] || request.Filler[1]) std::abort();

  TRecoveryCopy copy;
  if (ParseRecoveryCopy(bytes, copy) && FormatRecoveryCopy(copy) != bytes) std::abort();
  return 0;
}
