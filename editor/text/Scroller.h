// Maps scroll units (characters, lines) to pixels for one window and drives its scroll bars.
#pragma once

#include <cstdint>

#include "platform/ui/Canvas.h"
#include "platform/ui/UiTypes.h"

class TScroller {
 public:
  TScroller(platform::TWindow window, int32_t unitX, int32_t unitY, int32_t rangeX,
            int32_t rangeY);

  platform::TWindow Window = 0;
  int32_t PosX = 0;
  int32_t PosY = 0;
  int32_t UnitX = 1;  // pixels per unit
  int32_t UnitY = 1;
  int32_t RangeX = 0;  // largest position
  int32_t RangeY = 0;
  int32_t LineStepX = 1;
  int32_t LineStepY = 1;
  int32_t PageStepX = 1;  // invariant: >= 0
  int32_t PageStepY = 1;
  uint8_t AutoScrollOn = 1;
  uint8_t TrackThumb = 1;
  uint8_t MoveOrigin = 1;
  uint8_t HasHorzBar = 0;
  uint8_t HasVertBar = 0;
  uint8_t ProportionalThumb = 0;
  uint8_t MarginScrollsVertically = 0;
  int32_t MarginWidth = 0;  // pixels at the left that never scroll horizontally

  void SetUnits(int32_t unitX, int32_t unitY);
  // New ranges; the bars follow and the position is clamped.
  void SetRange(int32_t rangeX, int32_t rangeY);
  void UpdatePageSteps();
  void UpdateScrollBars();
  void UpdateThumbs();
  void ScrollTo(int32_t x, int32_t y);
  void ScrollBy(int32_t dx, int32_t dy) { ScrollTo(PosX + dx, PosY + dy); }
  // A WM_HSCROLL / WM_VSCROLL code with the bar's thumb position.
  void HScroll(uint32_t code, int32_t thumb);
  void VScroll(uint32_t code, int32_t thumb);
  // One step towards the mouse when it is outside the client area; returns the units moved.
  platform::TPoint AutoScrollStep();
  void ApplyOrigin(platform::TCanvas& canvas) const;

  // Scroll-bar value of a position and back, scaled above the bars' limit.
  static int32_t ToBar(int32_t pos, int32_t range);
  static int32_t FromBar(int32_t thumb, int32_t range);

 private:
  void ScrollArea(int32_t dxPixels, int32_t dyPixels, bool vertical, bool small);
};
