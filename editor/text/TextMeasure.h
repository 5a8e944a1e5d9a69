// Pixel positions inside a line under tab expansion, measured with a font's widths the way
// the canvas lays out tabbed text (tab origin at the line's start).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/Fonts.h"

class TLineMeasure {
 public:
  // `font` may be null: every byte is then `charWidth` wide.
  TLineMeasure(const platform::TFontInfo* font, std::span<const int32_t> tabs, int32_t charWidth);

  // The x of the boundary before `index`; beyond the text one character width per column.
  int64_t XOf(std::string_view text, int32_t index) const;
  // The character whose extent holds `x` (0 for x <= 0); beyond the text one column per
  // character width. With `roundHalf` a point in a character's right half gives the index
  // after it.
  int32_t IndexAt(std::string_view text, int64_t x, bool roundHalf) const;
  // Width of a run without TABs.
  int64_t RunWidth(std::string_view text) const;
  // The x where a TAB that starts at x ends.
  int64_t NextStop(int64_t x) const;
  int32_t Width(uint8_t c) const { return Font_ ? Font_->Widths[c] : CharWidth_; }

 private:
  const platform::TFontInfo* Font_;
  std::span<const int32_t> Tabs_;
  int32_t CharWidth_;
};
