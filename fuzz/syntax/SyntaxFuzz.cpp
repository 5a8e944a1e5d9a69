// Arbitrary bytes as "ZKColors.Ini" and as the document: every definition loads, and
// colouring gives ordered runs inside their lines, the same after a cold jump.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/search/SyntaxColoring.h"
#include "editor/text/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  platform::TProfileFile file;
  file.Parse(bytes);
  TTextLines lines;
  size_t pos = 0;
  while (pos <= bytes.size() && lines.Count() < 200) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    if (line.find('\0') != std::string_view::npos) line = line.substr(0, line.find('\0'));
    lines.AddCopy(line);
    pos = end + 1;
  }
  TSyntaxExtensions extensions = ReadSyntaxExtensions(file);
  (void)FindSyntaxType(extensions, bytes.substr(0, 40));
  for (int32_t n = 0; n < kMaxSyntaxTypes; ++n) {
    TSyntaxColorInfo info;
    if (!LoadSyntaxColorInfo(file, n, {}, info)) continue;
    TSyntaxColoring warm(lines, info);
    for (int32_t i = 0; i < lines.Count(); ++i) {
      int32_t end = 0;
      for (const TColorRun& run : warm.ColorLine(i)) {
        if (run.Start < end || run.Length <= 0) std::abort();
        end = run.Start + run.Length;
        if (end > lines.Length(i)) std::abort();
      }
    }
    TSyntaxColoring cold(lines, info);
    int32_t last = lines.Count() - 1;
    if (cold.ColorLine(last).size() != warm.ColorLine(last).size()) std::abort();
  }
  return 0;
}
