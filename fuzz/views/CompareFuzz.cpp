// Compares two files cut from the input under options from its first byte, in both
// views, and checks the rows: every line once in its pane in file order, partners equal,
// unchanged lines opposite their partners, the same difference count in both views.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/text/TextLimits.h"
#include "editor/views/CompareCheck.h"
#include "editor/views/CompareEngine.h"
#include "fuzz/FuzzScratch.h"

namespace {



void Check(const TCompareEngine& engine) {
  std::string why;
  if (!CheckCompare(engine, &why)) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  // Byte 0: options, view and read-buffer size; bytes 1-2: where the first file ends.
  const uint8_t control = data[0];
  SetTextBufferSize(1 + ((control >> 4) & 3));
  const TDiffOptions options{(control & 1) != 0, (control & 2) != 0, (control & 4) != 0};
  const bool onlyDifferences = (control & 8) != 0;
  const uint8_t* body = data + 3;
  const size_t bodySize = size - 3;
  const size_t cut = bodySize ? (static_cast<size_t>(data[1]) << 8 | data[2]) % (bodySize + 1) : 0;
  static const std::string f1 = FuzzScratchFile("1.txt"), f2 = FuzzScratchFile("2.txt");
  FuzzWriteFile(f1, body, cut);
  FuzzWriteFile(f2, body + cut, bodySize - cut);

  TCompareEngine engine;
  const int32_t status = engine.Compare(f1, f2, options, onlyDifferences);
  const bool hasNul = std::memchr(body, 0, bodySize) != nullptr;
  if (status == csCannotRead) {
    if (!hasNul || engine.Rows().RowCount() != 0) std::abort();
    return 0;
  }
  if (status != csOk || hasNul) std::abort();
  Check(engine);
  const int32_t count = engine.Rows().DifferenceRows();
  if (engine.SetOnlyDifferences(!onlyDifferences) != csOk) std::abort();
  Check(engine);
  if (engine.Rows().DifferenceRows() != count) std::abort();
  return 0;
}
