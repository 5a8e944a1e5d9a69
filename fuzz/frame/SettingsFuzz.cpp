// Arbitrary bytes as the settings file: reading must never crash, and what we write from
// what we read must read back to the same settings.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/frame/FileList.h"
#include "editor/frame/GrepConfig.h"
#include "editor/frame/IniOptions.h"

namespace {

std::string WriteAll(const TIniOptions& options, const TFileLists& lists) {
  platform::TProfileFile out;
  WriteSettings(options, out);
  SaveFileLists(out, lists);
  return out.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::TProfileFile file;
  file.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  TIniOptions options;
  ReadSettings(options, file);
  TFileLists lists;
  LoadFileLists(file, lists);
  for (int32_t n = -1; n <= 10; ++n) {
    TGrepConfig config;
    if (ReadGrepConfig(file, n, config)) {
      platform::TProfileFile scratch;
      if (!WriteGrepConfig(scratch, n, config)) std::abort();
      TGrepConfig back;
      if (!ReadGrepConfig(scratch, n, back) || !(back == config)) std::abort();
    }
  }

  std::string first = WriteAll(options, lists);
  platform::TProfileFile again;
  again.Parse(first);
  TIniOptions options2;
  ReadSettings(options2, again);
  TFileLists lists2;
  LoadFileLists(again, lists2);
  if (WriteAll(options2, lists2) != first) std::abort();
  return 0;
}
