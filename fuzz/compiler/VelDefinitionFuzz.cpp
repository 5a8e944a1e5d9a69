// Loads arbitrary bytes as a definition file with the sample driver and runs its command
// macro for a few commands: malformed definitions must end in messages, never in a crash,
// an out-of-bounds read or a hang.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "compiler/core/Definition.h"
#include "compiler/core/Finish.h"
#include "compiler/core/Source.h"

namespace {

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string driver =
      ReadFile(std::string(ZK_SOURCE_DIR) + "/samples/vel/ZIRE.DRV");
  TMessageList messages;
  TVelReporter reporter(messages);
  DestinationData output;
  MarkerMemo markers(reporter, output);
  DefinitionData definitions(reporter, markers, output);
  definitions.StepLimit = 20000;  // keeps each input fast; the bound itself is what is tested
  if (!definitions.LoadImages(std::string(reinterpret_cast<const char*>(data), size), &driver))
    return 0;
  static const char* const kCommands[][4] = {
      {"SET", "M3", "5", nullptr},   {"IF", "E1.7", nullptr, nullptr},
      {"JMP", "START", nullptr, nullptr}, {"X", "A2.1", "TAB+4", "0FFh"},
      {"", nullptr, nullptr, nullptr}};
  int32_t line = 0;
  for (const auto& command : kCommands) {
    reporter.Line = line++;
    for (auto& p : definitions.Parameters) p = ParameterData{};
    for (int i = 1; i < 4 && command[i] != nullptr; ++i) {
      ParameterData& p = definitions.Parameters[static_cast<size_t>(i - 1)];
      if (!ParseParameterText(command[i], &p)) std::abort();
      p.Unconsumed = true;
    }
    (void)definitions.RunCommandMacro(command[0]);
    if (output.Bytes().size() > DestinationData::kMaxBytes) std::abort();
  }
  // The finish resolves whatever the macros referenced; there is no file to write.
  (void)FinishCompilation(markers, output, reporter, definitions.ReadDriverEntry(8), 4096, nullptr);
  return 0;
}
