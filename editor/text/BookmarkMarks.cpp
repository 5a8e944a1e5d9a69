// Bookmark marks: a blue tag with the bookmark's digit in white, 7 x 11 pixels, narrow enough
// to stand right of the gutter's separating line.
#include "editor/text/BookmarkMarks.h"

#include <array>

using namespace platform;

namespace {

constexpr int32_t kWidth = 7;
constexpr int32_t kHeight = 11;
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
  b.Width = kWidth;
  b.Height = kHeight;
  b.Pixels.assign(kWidth * kHeight, kTag);
  auto at = [&](int32_t x, int32_t y) -> TColorRef& {
    return b.Pixels[static_cast<size_t>(y * kWidth + x)];
  };
  for (int32_t x = 0; x < kWidth; ++x) at(x, 0) = at(x, kHeight - 1) = kEdge;
  for (int32_t y = 0; y < kHeight; ++y) at(0, y) = at(kWidth - 1, y) = kEdge;
  // The digit's 3 x 5 glyph, its rows doubled: x 2..4, y 1..10.
  const auto& glyph = kGlyphs[static_cast<size_t>(number)];
  for (int32_t row = 0; row < 5; ++row) {
    for (int32_t col = 0; col < 3; ++col) {
      if (!(glyph[static_cast<size_t>(row)] & (4 >> col))) continue;
      at(2 + col, 1 + row * 2) = kDigit;
      at(2 + col, 2 + row * 2) = kDigit;
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
