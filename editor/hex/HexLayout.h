// The columns of a hex editor line: what a line shows for its bytes, which byte a column
// belongs to, and how the caret steps over the separators.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int32_t kHexLineColumns = 75;  // the horizontal scroll range
constexpr int32_t kHexFirstDigit = 10;
constexpr int32_t kHexLastDigit = 56;
constexpr int32_t kHexFirstChar = 59;
constexpr int32_t kHexLastChar = 74;
constexpr int32_t kTextOnlyLastChar = 73;

// View modes: 0 hex codes and characters (16 bytes a line), 1 characters only (64).
constexpr int32_t hvHexAndChars = 0;
constexpr int32_t hvCharsOnly = 1;

inline int32_t BytesPerLine(int32_t view) { return view == hvCharsOnly ? 64 : 16; }

// A byte shows as itself from 32 to 127, or with allChars anything but 0; else as ".".
inline bool ShowsAsCharacter(uint8_t byte, bool allChars) {
  return (byte >= 32 && byte <= 127) || (allChars && byte != 0);
}

// The text of a line at `offset` with its bytes (fewer than a full line leave blanks).
std::string FormatHexLine(int64_t offset, std::string_view bytes, int32_t view, bool allChars);

// Where a caret column points: the byte index in the line, whether it is in the hex part,
// and for the hex part which digit (0 high, 1 low). False for a column outside both parts
// or on a separator.
struct TColumnInfo {
  int32_t Index = 0;
  bool HexPart = false;
  int32_t Digit = 0;
};
bool ColumnToByte(int32_t view, int32_t column, TColumnInfo* info);

// The first caret column of a byte index in either part.
int32_t ByteToColumn(int32_t view, int32_t index, bool hexPart);

// Tab: between the hex digit and the character of the same byte (hex view only).
int32_t TabColumn(int32_t column);

// One step left (-1) or right (+1) from a caret position: separators are stepped over, and
// the ends of each part continue on the neighbouring line. The line may leave the document;
// the caller clamps it.
void StepColumn(int32_t view, int32_t direction, int32_t* column, int32_t* line);

// The caret column nearest to a pixel x (already relative to column 0) with cells of
// `cellWidth`: separators go to the digit of the half that was hit; clamped to the parts.
int32_t NearestColumn(int32_t view, int32_t x, int32_t cellWidth);
