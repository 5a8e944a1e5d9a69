// The invalid area of windows, scrolling of contents and the paint cycle.
#pragma once

#include <memory>

#include "platform/ui/Canvas.h"
#include "platform/ui/UiTypes.h"

namespace platform {

struct TPaintStruct {
  std::unique_ptr<TCanvas> Canvas;
  TRect Paint;  // the area to paint, in client coordinates
};

// Null rect: the whole client area.
void InvalidateRect(TWindow window, const TRect* rect);
void ValidateRect(TWindow window, const TRect* rect);
// The bounding box of the invalid area; empty when nothing is invalid.
TRect GetUpdateRect(TWindow window);
// Paints now when something is invalid.
void UpdateWindow(TWindow window);
// Moves the contents of `area` (null: client area) by (dx, dy) and invalidates what is
// uncovered; the invalid area inside moves along.
void ScrollWindow(TWindow window, int32_t dx, int32_t dy, const TRect* area);

// Starts painting: the canvas, the area and the background filled with the class brush.
TCanvas* BeginPaint(TWindow window, TPaintStruct& paint);
void EndPaint(TWindow window, TPaintStruct& paint);
// A canvas to draw on the window outside WM_PAINT.
std::unique_ptr<TCanvas> GetWindowCanvas(TWindow window);

}  // namespace platform
