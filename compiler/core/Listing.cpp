// The optional listing of symbols and references, for checking a definition by hand.
#include <cstdio>
#include <string>

#include "compiler/core/Finish.h"

bool WriteListing(const MarkerMemo& markers, const char* name) {
  std::FILE* f = std::fopen(name, "w");
  if (f == nullptr) return false;
  const std::string rule = "#" + std::string(70, '-') + "\n";
  std::fputs("BEGIN VALUES\n", f);
  std::fprintf(f, "#%4s %-30s %-10s  %-10s  \n", "seg.", "name", "address", "size");
  std::fputs(rule.c_str(), f);
  for (int32_t i = markers.Count() - 1; i >= 0; --i) {
    const Marke& m = markers.At(i);
    std::fprintf(f, " %-4u %-30s 0x%08lx  0x%08lx\n", unsigned{m.Flags}, markers.NameText(i),
                 static_cast<unsigned long>(static_cast<uint32_t>(m.Address)),
                 static_cast<unsigned long>(static_cast<uint32_t>(m.Value)));
  }
  std::fputs("END VALUES\n", f);
  std::fputs("BEGIN DESTINATIONS\n", f);
  std::fprintf(f, "#%-10s %4s %-10s %-30s\n", "position", "size", "offset", "name");
  std::fputs(rule.c_str(), f);
  for (int32_t i = markers.Count() - 1; i >= 0; --i) {
    const Marke& m = markers.At(i);
    for (int32_t at = m.Newest; at != kNoZiel; at = markers.ZielAt(at).Older) {
      const Ziel& z = markers.ZielAt(at);
      std::fprintf(f, " 0x%08lx %-4x 0x%08lx %-30s\n",
                   static_cast<unsigned long>(static_cast<uint32_t>(z.Position)),
                   unsigned{z.Kind},
                   static_cast<unsigned long>(static_cast<uint32_t>(z.Addend)),
                   markers.NameText(i));
    }
  }
  std::fputs("END DESTINATIONS\n", f);
  return std::fclose(f) == 0;
}
