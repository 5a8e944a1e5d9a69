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

namespace {

std::string gScratch;

void RemoveScratch() {
  if (gScratch.empty()) return;
  unlink((gScratch + "/in.vel").c_str());
  unlink((gScratch + "/out.ved").c_str());
  rmdir(gScratch.c_str());
}

const std::string& ScratchDir() {
  if (gScratch.empty()) {
    char pattern[] = "/tmp/zkfuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    gScratch = pattern;
    std::atexit(RemoveScratch);
  }
  return gScratch;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string samples = std::string(ZK_SOURCE_DIR) + "/samples/vel/";
  const std::string in = ScratchDir() + "/in.vel";
  const std::string out = ScratchDir() + "/out.ved";
  FILE* f = std::fopen(in.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  TMessageList messages;
  const int32_t result =
      VelCompile(in.c_str(), (samples + "ZIRE.CFG").c_str(), (samples + "ZIRE.DRV").c_str(),
                 nullptr, 4096, nullptr, nullptr, out.c_str(), messages);
  std::string record = ReadFile(out);
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
