// Bookmark marks: a blue tag with the bookmark's digit in white, 11 x 11 pixels.
#include "editor/text/BookmarkMarks.h"

#include <array>

using namespace platform;

namespace {

constexpr int32_t kSize = 11;
constexpr TColorRef kTag = MakeRgb(0, 64, 192);
constexpr TColorRef kEdge = MakeRgb(0, 32, 96);
constexpr TColorRef kDigit = MakeRgb(255, 255, 255);

// 3 x 5 digit glyphs, one row per 3 bits (high bit left).
constexpr std::array<std::array<uint8_t, 5>, 10> kGlyphs = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
}};

TSmallBitmap MakeMark(int32_t number) {
  TSmallBitmap b;
  b.Width = kSize;
  b.Height = kSize;
  b.Pixels.assign(kSize * kSize, kTag);
  for (int32_t i = 0; i < kSize; ++i) {
    b.Pixels[static_cast<size_t>(i)] = kEdge;
    b.Pixels[static_cast<size_t>((kSize - 1) * kSize + i)] = kEdge;
    b.Pixels[static_cast<size_t>(i * kSize)] = kEdge;
    b.Pixels[static_cast<size_t>(i * kSize + kSize - 1)] = kEdge;
  }
  // The glyph doubled horizontally where it fits: 3 columns at x 3..8, rows 3..7.
  const auto& glyph = kGlyphs[static_cast<size_t>(number)];
  for (int32_t row = 0; row < 5; ++row) {
    for (int32_t col = 0; col < 3; ++col) {
      if (!(glyph[static_cast<size_t>(row)] & (4 >> col))) continue;
      for (int32_t dx = 0; dx < 2; ++dx) {
        int32_t x = 2 + col * 2 + dx;
        int32_t y = 3 + row;
        b.Pixels[static_cast<size_t>(y * kSize + x)] = kDigit;
      }
    }
  }
  return b;
}

}  // namespace

const TSmallBitmap& BookmarkMark(int32_t number) {
  static const std::array<TSmallBitmap, 10> marks = [] {
    std::array<TSmallBitmap, 10> m;
    for (int32_t i = 0; i < 10; ++i) m[static_cast<size_t>(i)] = MakeMark(i);
    return m;
  }();
  return marks[static_cast<size_t>(number >= 0 && number < 10 ? number : 0)];
}
