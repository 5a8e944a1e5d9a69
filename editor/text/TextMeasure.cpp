// Tabbed line measurement for caret placement, hit testing and selection rectangles.
#include "editor/text/TextMeasure.h"

#include <algorithm>

#include "platform/ui/Canvas.h"

TLineMeasure::TLineMeasure(const platform::TFontInfo* font, std::span<const int32_t> tabs,
                           int32_t charWidth)
    : Font_(font), Tabs_(tabs), CharWidth_(std::max(charWidth, 1)) {}

int64_t TLineMeasure::NextStop(int64_t x) const {
  // The canvas works in 32-bit pixels; positions this far out only occur for the limit check.
  if (x > INT32_MAX / 2) {
    int32_t step = Tabs_.empty() ? 8 * CharWidth_ : std::max(Tabs_.back(), 1);
    return (x / step + 1) * step;
  }
  int32_t ave = Font_ ? Font_->Metrics.AveCharWidth : CharWidth_;
  return platform::TCanvas::NextTabStop(static_cast<int32_t>(x), Tabs_, 0, ave);
}

int64_t TLineMeasure::RunWidth(std::string_view text) const {
  if (!Font_) return static_cast<int64_t>(text.size()) * CharWidth_;
  int64_t w = 0;
  for (char c : text) w += Font_->Widths[static_cast<uint8_t>(c)];
  return w;
}

int64_t TLineMeasure::XOf(std::string_view text, int32_t index) const {
  int64_t x = 0;
  int32_t n = std::min<int32_t>(std::max(index, 0), static_cast<int32_t>(text.size()));
  for (int32_t i = 0; i < n; ++i) {
    uint8_t c = static_cast<uint8_t>(text[static_cast<size_t>(i)]);
    x = c == '\t' ? NextStop(x) : x + Width(c);
  }
  if (index > n) x += static_cast<int64_t>(index - n) * CharWidth_;
  return x;
}

int32_t TLineMeasure::IndexAt(std::string_view text, int64_t x, bool roundHalf) const {
  if (x <= 0) return 0;
  int64_t pos = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    int64_t next = c == '\t' ? NextStop(pos) : pos + Width(c);
    if (x < next) {
      if (roundHalf && x >= pos + (next - pos + 1) / 2) return static_cast<int32_t>(i + 1);
      return static_cast<int32_t>(i);
    }
    pos = next;
  }
  int64_t beyond = (x - pos) / CharWidth_;
  if (roundHalf && (x - pos) % CharWidth_ >= (CharWidth_ + 1) / 2) ++beyond;
  int64_t index = static_cast<int64_t>(text.size()) + beyond;
  return static_cast<int32_t>(std::min<int64_t>(index, INT32_MAX));
}
