// Helpers of the compare tests: files from lines and a compact picture of the rows.
#pragma once

#include <string>
#include <vector>

#include "editor/views/CompareEngine.h"
#include "tests/support/TempDir.h"

namespace compare_test {

using V = std::vector<std::string>;

// The lines joined with CR LF, without a line end after the last one.
inline std::string Join(const V& lines) {
  std::string bytes;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) bytes += "\r\n";
    bytes += lines[i];
  }
  return bytes;
}

// One string per row: "left|right", a changed line with a leading "*", a filler as
// "-" and a separator as "~" followed by its line index.
inline std::string Entry(const TDiffLine* line) {
  if (!line) return "-";
  if (line->Separator()) return "~" + std::to_string(line->Index);
  return (line->Changed() ? "*" : "") + std::string(line->Text);
}

inline V Picture(const TDiffRows& rows) {
  V out;
  for (int32_t row = 0; row < rows.RowCount(); ++row)
    out.push_back(Entry(rows.At(0, row)) + "|" + Entry(rows.At(1, row)));
  return out;
}

}  // namespace compare_test
