#include "editor/compare/DiffLayout.h"

#include <algorithm>

using platform::TRect;

int32_t ClampSplitter(int32_t requested, int32_t size) {
  int32_t pos = requested;
  if (pos == kDiffNoSplitter) {
    pos = size / 2 - kDiffSplitterSize / 2;
  } else if (pos < 0 || pos > 10000) {
    pos = kDiffPaneMin;
  }
  // Too close to the far edge first, so that a window smaller than both limits still
  // keeps its first pane.
  if (pos > size - kDiffFarEdgeMin) pos = size - kDiffFarEdgeMin;
  if (pos < kDiffPaneMin) pos = kDiffPaneMin;
  return pos;
}

TDiffPlaces DiffPlaces(uint8_t layout, int32_t width, int32_t height, int32_t splitter) {
  TDiffPlaces p;
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (layout == 0) {
    const int32_t pos = ClampSplitter(splitter, width);
    const int32_t right = pos + kDiffSplitterSize;
    p.SplitterPos = pos;
    p.Caption[0] = TRect{0, 0, pos, kDiffCaptionHeight};
    p.Caption[1] = TRect{right, 0, std::max(width, right), kDiffCaptionHeight};
    p.Pane[0] = TRect{0, kDiffCaptionHeight, pos, std::max(height, kDiffCaptionHeight)};
    p.Pane[1] = TRect{right, kDiffCaptionHeight, std::max(width, right),
                      std::max(height, kDiffCaptionHeight)};
    p.Splitter = TRect{pos, 0, right, height};
  } else {
    const int32_t pos = ClampSplitter(splitter, height);
    const int32_t second = pos + kDiffSplitterSize;
    p.SplitterPos = pos;
    p.Caption[0] = TRect{0, 0, width, kDiffCaptionHeight};
    p.Pane[0] = TRect{0, kDiffCaptionHeight, width, std::max(pos, kDiffCaptionHeight)};
    p.Splitter = TRect{0, pos, width, second};
    p.Caption[1] = TRect{0, second, width, second + kDiffCaptionHeight};
    p.Pane[1] = TRect{0, second + kDiffCaptionHeight, width,
                      std::max(height, second + kDiffCaptionHeight)};
  }
  return p;
}

int32_t DiffGutterWidth(int32_t highestLine, int32_t charWidth, bool fixedPitch) {
  // Digits of the largest 1-based number shown, at least two: counting them from the
  // 0-based index would clip "100" or anything past 99999.
  int32_t digits = 2;
  for (int64_t limit = 100; static_cast<int64_t>(highestLine) + 1 >= limit && digits < 10; limit *= 10) ++digits;
  int32_t width = digits * charWidth + 4;
  if (!fixedPitch) width += charWidth * 3 / 2;
  return width;
}
