// Line hash, equality, blank lines and pairing under the comparison options.
#pragma once

#include <cstdint>

#include "editor/views/DiffLine.h"
#include "editor/views/DiffTypes.h"

// The hash of a text under the options (blanks and tabs skipped with IgnoreSpaces,
// characters upper-cased with IgnoreCase).
uint32_t DiffTextHash(const char* text, int32_t length, const TDiffOptions& options);

// The line's hash, computed on first use.
inline uint32_t LineHash(TDiffLine& line, const TDiffOptions& options) {
  if (!(line.Flags & dlfHashed)) {
    line.Hash = DiffTextHash(line.Text, line.Length, options);
    line.Flags |= dlfHashed;
  }
  return line.Hash;
}

// Texts equal under the options (hashes are not looked at).
bool DiffTextsEqual(const char* a, int32_t lengthA, const char* b, int32_t lengthB,
                    const TDiffOptions& options);

// Equal hashes and equal texts.
bool LinesEqual(TDiffLine& a, TDiffLine& b, const TDiffOptions& options);

// Nothing but blanks and tabs before the end or a CR or LF.
bool IsBlankText(const char* text);

// With IgnoreBlankLines a blank line takes no part in matching: it is never paired.
inline bool IsIgnoredLine(const TDiffLine& line, const TDiffOptions& options) {
  return options.IgnoreBlankLines && IsBlankText(line.Text);
}

// Makes a and b partners when both are unmatched, neither is ignored and they are equal.
bool PairLines(TDiffLine& a, TDiffLine& b, const TDiffOptions& options);
