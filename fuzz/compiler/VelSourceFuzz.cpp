// Compiles arbitrary bytes as a VEL source against the sample definition and driver, and
// checks that a kept record is well formed and a failed compile keeps none.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "compiler/core/Compile.h"
#include "compiler/core/Destination.h"
#include "fuzz/FuzzScratch.h"

namespace {



}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string samples = std::string(ZK_SOURCE_DIR) + "/samples/vel/";
  static const std::string in = FuzzScratchFile("in.vel");
  static const std::string out = FuzzScratchFile("out.ved");
  FuzzWriteFile(in, data, size);

  TMessageList messages;
  const int32_t result =
      VelCompile(in.c_str(), (samples + "ZIRE.CFG").c_str(), (samples + "ZIRE.DRV").c_str(),
                 nullptr, 4096, nullptr, nullptr, out.c_str(), messages);
  std::string record = FuzzReadFile(out);
  if (result != kCompileOk) {
    if (messages.ErrorCount() == 0 || !record.empty()) std::abort();
    return 0;
  }
  if (messages.ErrorCount() != 0 || record.size() < sizeof(TRecordHeader)) std::abort();
  const auto length = static_cast<uint32_t>(static_cast<uint8_t>(record[3]) |
                                            static_cast<uint8_t>(record[4]) << 8 |
                                            static_cast<uint8_t>(record[5]) << 16 |
                                            static_cast<uint32_t>(static_cast<uint8_t>(record[6])) << 24);
  if (length != record.size() || static_cast<uint8_t>(record[2]) != kRecordMagic) std::abort();
  const std::string stored = record.substr(0, 2);
  SetRecordChecks(record);
  if (record.substr(0, 2) != stored) std::abort();
  unlink(out.c_str());
  return 0;
}
