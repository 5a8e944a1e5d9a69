// Compares two text files with the compare engine from the command line, so that it can
// be timed next to diff: compare_files [-w] [-i] [-B] [-d] [-v] FILE1 FILE2
//   -w ignore spaces, -i ignore case, -B ignore blank lines, -d only-differences rows,
//   -v print the rows. Prints the number of difference rows; exit 0 without differences,
//   1 with differences, 2 on failure.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "editor/text/TextFile.h"
#include "editor/views/CompareEngine.h"

namespace {

// The engine says only that a file could not be taken; loading it once more tells whether
// it could not be opened or read, or opened fine but is no text.
void ReportUnreadable(const char* name) {
  TTextLines lines;
  const int32_t status = LoadTextFile(name, lines, nullptr, 0, lemAny, false, nullptr, nullptr);
  switch (status) {
    case tfsNotText:
      std::fprintf(stderr, "Keine Textdatei (NUL-Zeichen oder zu lange Zeile): %s\n", name);
      break;
    case tfsTooManyLines:
      std::fprintf(stderr, "Zu viele Zeilen: %s\n", name);
      break;
    case tfsNoMemory:
      std::fprintf(stderr, "Zu wenig Speicher für: %s\n", name);
      break;
    case tfsReadError:
      std::fprintf(stderr, "Kann Datei nicht lesen: %s\n", name);
      break;
    default:
      std::fprintf(stderr, "Kann Datei nicht öffnen: %s\n", name);
      break;
  }
}

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

int Run(int argc, char** argv) {
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
    ReportUnreadable(names[engine.FailedFile()]);
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

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "compare_files: %s\n", e.what());
  }
  return 2;
}
