// Conversions between character indexes and display columns under tab expansion.
#pragma once

#include <cstdint>

// Tab stops lie every `tabSize` columns (below 1 counts as 1). Characters after the end
// of the text count one column each; null text is an empty line.

// The display column of the character at `index`.
int32_t IndexToColumn(const char* text, int32_t index, int32_t tabSize);

// The character index at a display column; a column inside a TAB's span (after its
// first column) gives the index after the TAB.
int32_t ColumnToIndexAfter(const char* text, int32_t column, int32_t tabSize);

// As ColumnToIndexAfter, but a column inside a TAB's span gives the TAB's own index.
int32_t ColumnToIndexBefore(const char* text, int32_t column, int32_t tabSize);
