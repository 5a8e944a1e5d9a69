// File-dialog filter lists as users edit them in the settings ("Desc|*.a;*.b|..."), and file
// names matched against them: parsing never crashes, a parsed list has no empty parts, and
// "*.*" matches every name.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/ui/CommonDialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\n');
  std::string_view filter = input.substr(0, cut);
  std::string_view name = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  std::vector<platform::TFileFilter> filters;
  if (platform::ParseFileFilter(filter, filters)) {
    for (const platform::TFileFilter& f : filters) {
      if (f.Description.empty() || f.Patterns.empty()) std::abort();
      for (const std::string& p : f.Patterns) {
        if (p.empty() || p.find('|') != std::string::npos || p.find(';') != std::string::npos) std::abort();
      }
      (void)platform::MatchesFilter(name, f);
    }
  }
  if (!platform::MatchesFilter(name, platform::TFileFilter{"Alle", {"*.*"}})) std::abort();
  return 0;
}
