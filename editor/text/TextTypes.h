// Positions, ranges and line-end conventions shared by every text component.
#pragma once

#include <cstdint>

// A caret position: column is a character index (not a screen column), possibly
// beyond the end of the line.
struct TTextPos {
  int32_t Column = 0;
  int32_t Line = 0;
  friend bool operator==(const TTextPos&, const TTextPos&) = default;
};

// A stretch of text, start never after end, end exclusive. In column-block mode the
// two ends are the corners of a rectangle.
struct TTextRange {
  int32_t StartLine = 0;
  int32_t StartColumn = 0;
  int32_t EndLine = 0;
  int32_t EndColumn = 0;
  friend bool operator==(const TTextRange&, const TTextRange&) = default;
};

inline TTextRange MakeTextRange(int32_t startLine, int32_t startColumn, int32_t endLine,
                                int32_t endColumn) {
  return TTextRange{startLine, startColumn, endLine, endColumn};
}

inline bool IsEmptyRange(const TTextRange& r) {
  return r.StartLine == r.EndLine && r.StartColumn == r.EndColumn;
}

// How a file is written. The display names are the resource strings 80 + value.
enum TLineEndFormat : int32_t {
  lefWindows = 0,   // CR LF
  lefUnix = 1,      // LF
  lefMacintosh = 2  // CR
};

// How a file is split when read; any other value counts as lemCrLf.
enum TLineEndMode : int32_t {
  lemCrLf = 1,  // only CR LF ends a line; a lone CR or LF is a character
  lemLf = 2,
  lemCr = 3,
  lemAny = 4  // LF, CR, or CR LF as one
};

inline int32_t NormalizeLineEndMode(int32_t mode) {
  return mode >= lemCrLf && mode <= lemAny ? mode : lemCrLf;
}

// The kinds of line ends a file was read with, or'ed.
constexpr int32_t leCrLf = 1;
constexpr int32_t leLf = 2;
constexpr int32_t leCr = 4;
