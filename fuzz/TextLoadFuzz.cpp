// Loads arbitrary bytes as a text file in every mode at a small chunk size, and checks
// that what loads saves back to bytes that load to the same lines.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/text/TextFile.h"
#include "editor/text/TextLimits.h"
#include "fuzz/FuzzScratch.h"

namespace {


bool SameLines(const TTextLines& a, const TTextLines& b) {
  if (a.Count() != b.Count()) return false;
  for (int32_t i = 0; i < a.Count(); ++i)
    if (a.Text(i) != b.Text(i)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte picks the chunk size, the mode and the NUL conversion.
  const uint8_t control = data[0];
  SetTextBufferSize(1 + (control & 3));
  const int32_t mode = (control >> 2) & 7;  // includes invalid modes
  const bool convert = (control & 0x20) != 0;
  static const std::string in = FuzzScratchFile("in.txt");
  static const std::string out = FuzzScratchFile("out.txt");
  FuzzWriteFile(in, data + 1, size - 1);

  TTextLines lines;
  int32_t longest = -1, ends = -1;
  int32_t status = LoadTextFile(in.c_str(), lines, nullptr, 0, mode, convert, &longest, &ends);
  if (status != 0) {
    if (lines.Count() != 0) std::abort();
    return 0;
  }
  if (lines.Count() != ends + 1 || longest > TextLineLimit()) std::abort();
  for (int32_t i = 0; i < lines.Count(); ++i)
    if (lines.Length(i) > longest) std::abort();

  // Saved with the line end the mode splits at, the lines must load back unchanged:
  // whatever line-end bytes a line holds, the mode did not split there.
  const int32_t m = NormalizeLineEndMode(mode);
  const int32_t format = m == lemLf ? lefUnix : m == lemCr ? lefMacintosh : lefWindows;
  if (SaveTextFile(out.c_str(), lines, nullptr, false, 0, 0, format) != 0) std::abort();
  TTextLines again;
  if (LoadTextFile(out.c_str(), again, nullptr, 0, m, false, nullptr, nullptr) != 0) std::abort();
  if (!SameLines(lines, again)) std::abort();
  return 0;
}
