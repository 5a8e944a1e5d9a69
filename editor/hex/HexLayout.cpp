// Line texts and caret columns of the hex editor.
#include "editor/hex/HexLayout.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string FormatHexLine(int64_t offset, std::string_view bytes, int32_t view, bool allChars) {
  const int32_t perLine = BytesPerLine(view);
  const size_t count = std::min<size_t>(bytes.size(), static_cast<size_t>(perLine));
  char address[16];
  std::snprintf(address, sizeof address, "%08llX:", static_cast<unsigned long long>(offset & 0xFFFFFFFF));
  std::string line(address);
  auto character = [&](size_t i) {
    auto b = static_cast<uint8_t>(bytes[i]);
    return ShowsAsCharacter(b, allChars) ? static_cast<char>(b) : '.';
  };
  if (view == hvCharsOnly) {
    line += ' ';
    for (size_t i = 0; i < static_cast<size_t>(perLine); ++i) line += i < count ? character(i) : ' ';
    return line;
  }
  for (size_t i = 0; i < 16; ++i) {
    line += i == 8 && count > 8 ? '-' : ' ';
    if (i < count) {
      auto b = static_cast<uint8_t>(bytes[i]);
      line += kDigits[b >> 4];
      line += kDigits[b & 15];
    } else {
      line += "  ";
    }
  }
  line += "  ";
  for (size_t i = 0; i < 16; ++i) line += i < count ? character(i) : ' ';
  return line;
}

bool ColumnToByte(int32_t view, int32_t column, TColumnInfo* info) {
  TColumnInfo out;
  if (view == hvCharsOnly) {
    if (column < kHexFirstDigit || column > kTextOnlyLastChar) return false;
    out.Index = column - kHexFirstDigit;
  } else if (column >= kHexFirstDigit && column <= kHexLastDigit) {
    if (column % 3 == 0) return false;
    out.HexPart = true;
    out.Index = (column - kHexFirstDigit) / 3;
    out.Digit = (column - kHexFirstDigit) % 3;
  } else if (column >= kHexFirstChar && column <= kHexLastChar) {
    out.Index = column - kHexFirstChar;
  } else {
    return false;
  }
  if (info) *info = out;
  return true;
}

int32_t ByteToColumn(int32_t view, int32_t index, bool hexPart) {
  if (view == hvCharsOnly) return kHexFirstDigit + index;
  return hexPart ? kHexFirstDigit + 3 * index : kHexFirstChar + index;
}

int32_t TabColumn(int32_t column) {
  if (column >= kHexFirstDigit && column <= kHexLastDigit) {
    return (column - kHexFirstDigit) / 3 + kHexFirstChar;
  }
  if (column >= kHexFirstChar && column <= kHexLastChar) {
    return (column - kHexFirstChar) * 3 + kHexFirstDigit;
  }
  return column;
}

void StepColumn(int32_t view, int32_t direction, int32_t* column, int32_t* line) {
  int32_t c = *column;
  if (view == hvCharsOnly) {
    if (direction < 0 && c <= kHexFirstDigit) {
      *column = kTextOnlyLastChar;
      --*line;
    } else if (direction > 0 && c >= kTextOnlyLastChar) {
      *column = kHexFirstDigit;
      ++*line;
    } else {
      *column = c + direction;
    }
    return;
  }
  const bool hex = c <= kHexLastDigit + 1;
  const int32_t first = hex ? kHexFirstDigit : kHexFirstChar;
  const int32_t last = hex ? kHexLastDigit : kHexLastChar;
  if (direction < 0 && c <= first) {
    *column = last;
    --*line;
  } else if (direction > 0 && c >= last) {
    *column = first;
    ++*line;
  } else {
    c += direction;
    if (hex && c % 3 == 0) c += direction;
    *column = c;
  }
}

int32_t NearestColumn(int32_t view, int32_t x, int32_t cellWidth) {
  cellWidth = std::max(cellWidth, 1);
  const int32_t cell = x < 0 ? -1 : x / cellWidth;
  const bool rightHalf = x >= 0 && (x % cellWidth) * 2 >= cellWidth;
  const int32_t last = view == hvCharsOnly ? kTextOnlyLastChar : kHexLastChar;
  int32_t column = std::clamp(cell, kHexFirstDigit, last);
  if (view == hvCharsOnly || cell < kHexFirstDigit || cell > last) return column;
  if (column > kHexLastDigit && column < kHexFirstChar) {
    // The two blanks between the parts: the nearer end.
    return column == kHexLastDigit + 1 ? kHexLastDigit : kHexFirstChar;
  }
  if (column <= kHexLastDigit && column % 3 == 0) return rightHalf ? column + 1 : column - 1;
  return column;
}
