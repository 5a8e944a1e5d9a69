#include "editor/text/RangePieces.h"

#include <algorithm>
#include <cstring>

#include "editor/text/TabColumns.h"
#include "platform/memory/GlobalMemory.h"

void ColumnBlockEdges(const TTextLines& lines, const TTextRange& range, int32_t caretLine,
                      int32_t caretColumn, int32_t* left, int32_t* right) {
  const int32_t tab = lines.TabSize;
  const char* startText = lines.At(range.StartLine);
  const char* endText = lines.At(range.EndLine);
  int32_t a = IndexToColumn(startText, range.StartColumn, tab);
  int32_t b = IndexToColumn(startText, range.EndColumn, tab);
  int32_t u = IndexToColumn(endText, range.StartColumn, tab);
  int32_t v = IndexToColumn(endText, range.EndColumn, tab);
  int32_t k = IndexToColumn(lines.At(caretLine), caretColumn, tab);
  int32_t lo1 = std::min(a, b), hi1 = std::max(a, b);
  int32_t lo2 = std::min(u, v), hi2 = std::max(u, v);
  int32_t x, y;
  if (caretLine != range.StartLine) {
    if (lo2 != k) {
      x = lo1, y = hi2;
    } else {
      x = lo2, y = hi1;
    }
  } else {
    if (lo1 != k) {
      x = lo2, y = hi1;
    } else {
      x = lo1, y = hi2;
    }
  }
  *left = std::min(x, y);
  *right = std::max(x, y);
}

namespace {

void PieceOfLine(const TRangeWalk& walk, int32_t i, const char** piece, int32_t* length) {
  const char* text = walk.Lines->At(i);
  int32_t len = text ? static_cast<int32_t>(std::strlen(text)) : 0;
  const TTextRange& r = walk.Range;
  int32_t from = 0, to = 0;
  if (walk.ColumnMode) {
    // A line that does not reach the block's left edge yields an empty piece.
    from = ColumnToIndexAfter(text, walk.Left, walk.Lines->TabSize);
    to = std::min(len, ColumnToIndexAfter(text, walk.Right, walk.Lines->TabSize));
  } else if (i == r.StartLine) {
    from = r.StartColumn;
    to = (i == r.EndLine && len > r.EndColumn) ? r.EndColumn : len;
  } else if (i < r.EndLine) {
    to = len;
  } else {
    to = std::min(len, r.EndColumn);
  }
  from = std::max(from, 0);
  if (from >= len || to <= from) {
    *piece = nullptr;
    *length = 0;
  } else {
    *piece = text + from;
    *length = to - from;
  }
}

}  // namespace

bool FirstRangePiece(TRangeWalk& walk, const TTextLines& lines, const TTextRange& range,
                     bool columnMode, int32_t caretLine, int32_t caretColumn, const char** piece,
                     int32_t* length) {
  walk.Lines = &lines;
  walk.Range = range;
  walk.ColumnMode = columnMode;
  walk.Line = std::max(range.StartLine, 0);
  if (columnMode) ColumnBlockEdges(lines, range, caretLine, caretColumn, &walk.Left, &walk.Right);
  return NextRangePiece(walk, piece, length);
}

bool NextRangePiece(TRangeWalk& walk, const char** piece, int32_t* length) {
  *piece = nullptr;
  *length = 0;
  if (!walk.Lines || walk.Line > walk.Range.EndLine || walk.Line >= walk.Lines->Count())
    return false;
  PieceOfLine(walk, walk.Line, piece, length);
  ++walk.Line;
  return true;
}

size_t GetRangeText(const TTextLines& lines, const TTextRange& range, bool columnMode, char* buffer,
                    int32_t caretLine, int32_t caretColumn) {
  TRangeWalk walk;
  const char* piece;
  int32_t length;
  if (!FirstRangePiece(walk, lines, range, columnMode, caretLine, caretColumn, &piece, &length))
    return 0;
  size_t size = 1;
  bool first = true;
  do {
    size += static_cast<size_t>(length) + (first ? 0 : 2);
    first = false;
  } while (NextRangePiece(walk, &piece, &length));
  if (!buffer) return size;

  char* out = buffer;
  first = true;
  FirstRangePiece(walk, lines, range, columnMode, caretLine, caretColumn, &piece, &length);
  do {
    if (!first) {
      *out++ = '\r';
      *out++ = '\n';
    }
    first = false;
    if (length > 0) std::memcpy(out, piece, static_cast<size_t>(length));
    out += length;
  } while (NextRangePiece(walk, &piece, &length));
  *out = '\0';
  return size;
}

bool GetRangeTextHandle(const TTextLines& lines, const TTextRange& range, bool columnMode,
                        int32_t caretLine, int32_t caretColumn, platform::THandle* block) {
  *block = 0;
  size_t size = GetRangeText(lines, range, columnMode, nullptr, caretLine, caretColumn);
  if (size == 0) return false;
  platform::THandle h = platform::GlobalAlloc(platform::GMEM_MOVEABLE, size);
  if (!h) return false;
  char* p = static_cast<char*>(platform::GlobalLock(h));
  GetRangeText(lines, range, columnMode, p, caretLine, caretColumn);
  platform::GlobalUnlock(h);
  *block = h;
  return true;
}
