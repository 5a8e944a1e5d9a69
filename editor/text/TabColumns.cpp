#include "editor/text/TabColumns.h"

namespace {

constexpr char kTab = '\t';

int32_t ColumnToIndex(const char* text, int32_t column, int32_t tabSize, bool after) {
  if (tabSize < 1) tabSize = 1;
  int32_t index = 0;
  int32_t col = 0;
  if (text) {
    while (text[index] && col < column) {
      int32_t width = text[index] == kTab ? tabSize - col % tabSize : 1;
      if (col + width > column) return after ? index + 1 : index;
      col += width;
      ++index;
    }
  }
  return column > col ? index + (column - col) : index;
}

}  // namespace

int32_t IndexToColumn(const char* text, int32_t index, int32_t tabSize) {
  if (!text) return index;
  if (tabSize < 1) tabSize = 1;
  int32_t col = 0;
  int32_t i = 0;
  for (; i < index && text[i]; ++i)
    col += text[i] == kTab ? tabSize - col % tabSize : 1;
  return col + (index - i);
}

int32_t ColumnToIndexAfter(const char* text, int32_t column, int32_t tabSize) {
  return ColumnToIndex(text, column, tabSize, true);
}

int32_t ColumnToIndexBefore(const char* text, int32_t column, int32_t tabSize) {
  return ColumnToIndex(text, column, tabSize, false);
}
