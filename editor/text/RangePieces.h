// Walking the lines of a range piece by piece, and the text of a range.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"
#include "platform/core/HandleTable.h"

// The left and right display columns of a column block. The two corners may stand in
// lines with different TABs; which of the candidate columns count depends on the line
// the caret is on, so that the block follows the caret's screen column.
void ColumnBlockEdges(const TTextLines& lines, const TTextRange& range, int32_t caretLine,
                      int32_t caretColumn, int32_t* left, int32_t* right);

// The state of one walk; each caller holds its own.
struct TRangeWalk {
  const TTextLines* Lines = nullptr;
  TTextRange Range;
  bool ColumnMode = false;
  int32_t Left = 0;  // column mode: display columns of the block
  int32_t Right = 0;
  int32_t Line = 0;  // the next line to yield
};

// Each call yields one line's piece: a pointer into the line's text and a length, or
// null and 0 for an empty piece. False when the range (or the document) is exhausted.
// The caret matters only in column mode.
bool FirstRangePiece(TRangeWalk& walk, const TTextLines& lines, const TTextRange& range,
                     bool columnMode, int32_t caretLine, int32_t caretColumn, const char** piece,
                     int32_t* length);
bool NextRangePiece(TRangeWalk& walk, const char** piece, int32_t* length);

// The size of the range's text with its pieces joined by CR LF, including a closing
// NUL; 0 when the range yields nothing. With a buffer, the text is copied into it.
size_t GetRangeText(const TTextLines& lines, const TTextRange& range, bool columnMode, char* buffer,
                    int32_t caretLine, int32_t caretColumn);

// The same text in a new movable memory block; false when memory is exhausted or the
// range yields nothing.
bool GetRangeTextHandle(const TTextLines& lines, const TTextRange& range, bool columnMode,
                        int32_t caretLine, int32_t caretColumn, platform::THandle* block);
