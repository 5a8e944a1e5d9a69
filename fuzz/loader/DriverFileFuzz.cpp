// Driver files from outside: the identification and the bootloader name behind their
// pointers.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzScratch.h"
#include "loader/actions/DriverFile.h"
#include "platform/file/File.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = FuzzScratchFile("driver.bin");
  FuzzWriteFile(path, data, size);
  const int32_t file = platform::FileOpen(path.c_str(), platform::TFileAccess::ReadOnly);
  if (file < 0) __builtin_trap();
  krlad::TDriverId id{};
  (void)krlad::ReadDriverId(file, true, id);
  (void)krlad::ReadDriverId(file, false, id);
  std::string name;
  if (krlad::ReadBootloaderName(file, name) && name.size() != krlad::kBootloaderNameSize) __builtin_trap();
  (void)krlad::NameText(name);
  (void)platform::FileClose(file);
  return 0;
}
