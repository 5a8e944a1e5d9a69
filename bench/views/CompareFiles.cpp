// Compares two text files with the compare engine from the command line, so that it can
// be timed next to diff: compare_files [-w] [-i] [-B] [-d] [-v] FILE1 FILE2
//   -w ignore spaces, -i ignore case, -B ignore blank lines, -d only-differences rows,
//   -v print the rows. Prints the number of difference rows; exit 0 without differences,
//   1 with differences, 2 on failure.
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/views/CompareEngine.h"

namespace {

void PrintRows(const TDiffRows& rows) {
  for (int32_t row = 0; row < rows.RowCount(); ++row) {
    for (int pane = 0; pane < 2; ++pane) {
      const TDiffLine* line = rows.At(pane, row);
      if (!line)
        std::printf("%s%8s  ", pane ? " | " : "", "");
      else if (line->Separator())
        std::printf("%s%8s  ", pane ? " | " : "", "~~~~");
      else
        std::printf("%s%7d%c %.60s", pane ? " | " : "", line->Index + 1,
                    line->Changed() ? '*' : ' ', line->Text);
    }
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  TDiffOptions options;
  bool onlyDifferences = false, verbose = false;
  const char* names[2] = {nullptr, nullptr};
  int named = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "-w"))
      options.IgnoreSpaces = true;
    else if (!std::strcmp(argv[i], "-i"))
      options.IgnoreCase = true;
    else if (!std::strcmp(argv[i], "-B"))
      options.IgnoreBlankLines = true;
    else if (!std::strcmp(argv[i], "-d"))
      onlyDifferences = true;
    else if (!std::strcmp(argv[i], "-v"))
      verbose = true;
    else if (named < 2)
      names[named++] = argv[i];
    else
      named = 3;
  }
  if (named != 2) {
    std::fprintf(stderr, "usage: compare_files [-w] [-i] [-B] [-d] [-v] FILE1 FILE2\n");
    return 2;
  }
  TCompareEngine engine;
  const int32_t status = engine.Compare(names[0], names[1], options, onlyDifferences);
  if (status == csCannotRead) {
    std::fprintf(stderr, "Kann Datei nicht öffnen/lesen: %s\n", names[engine.FailedFile()]);
    return 2;
  }
  if (status != csOk) {
    std::fprintf(stderr, "compare failed: %d\n", status);
    return 2;
  }
  if (verbose) PrintRows(engine.Rows());
  const int32_t count = engine.Rows().DifferenceRows();
  if (count == 0)
    std::printf("Keine Unterschiede gefunden!\n");
  else
    std::printf("%d unterschiedliche Zeile(n) gefunden\n", count);
  return count == 0 ? 0 : 1;
}
