// Geometry of a compare window: caption strips, the two panes and the splitter between
// them for both layouts, and the width of a pane's line-number gutter.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

constexpr int32_t kDiffCaptionHeight = 18;
constexpr int32_t kDiffSplitterSize = 6;
constexpr int32_t kDiffPaneMin = 54;       // a pane never gets less
constexpr int32_t kDiffFarEdgeMin = 60;    // room kept before the far edge
constexpr int32_t kDiffNoSplitter = -1;    // no position yet: the centre

// The splitter position for a requested one along `size` (the client width side by side,
// the height one above the other): at least 54, at most size - 60, the centre for
// kDiffNoSplitter, and 54 for anything outside 0 to 10000.
int32_t ClampSplitter(int32_t requested, int32_t size);

struct TDiffPlaces {
  platform::TRect Caption[2];
  platform::TRect Pane[2];
  platform::TRect Splitter;
  int32_t SplitterPos = 0;  // the clamped position the places were made with
};

// Places of both panes in a client area of `width` x `height`; layout 0 side by side,
// 1 one above the other.
TDiffPlaces DiffPlaces(uint8_t layout, int32_t width, int32_t height, int32_t splitter);

// Pixel width of the gutter for line numbers up to the highest 0-based index shown: the
// digits times the character width and 4, and 1.5 character widths more for a
// proportional font.
int32_t DiffGutterWidth(int32_t highestLine, int32_t charWidth, bool fixedPitch);
