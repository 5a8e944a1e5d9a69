// Invalid areas, scrolling of window contents and the paint cycle.
#include "platform/ui/Paint.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

void InvalidateRect(TWindow window, const TRect* rect) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  TRect client = GetClientRect(window);
  TRect area = rect ? IntersectRect(*rect, client) : client;
  if (area.IsEmpty()) return;
  w->Invalid = UnionRect(w->Invalid, area);
  State()->Backend->Invalidated(window, area);
  State()->Backend->Wake();
}

void ValidateRect(TWindow window, const TRect* rect) {
  TWindowObject* w = Lookup(window);
  if (!w) return;
  // The invalid area is a box: validating only part of it keeps the box.
  if (!rect || IntersectRect(w->Invalid, *rect) == w->Invalid) w->Invalid = TRect{};
}

TRect GetUpdateRect(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Invalid : TRect{};
}

void UpdateWindow(TWindow window) {
  TWindowObject* w = Lookup(window);
  if (!w || w->Invalid.IsEmpty()) return;
  TUiBackend* backend = State()->Backend.get();
  if (backend->PaintsNatively()) {
    backend->RepaintNow(window);
  } else {
    SendMessage(window, WM_PAINT, 0, 0);
  }
}

void ScrollWindow(TWindow window, int32_t dx, int32_t dy, const TRect* area) {
  TWindowObject* w = Lookup(window);
  if (!w || (dx == 0 && dy == 0)) return;
  TRect client = GetClientRect(window);
  TRect box = area ? IntersectRect(*area, client) : client;
  if (box.IsEmpty()) return;
  State()->Backend->ScrollPixels(window, dx, dy, box);
  // What was invalid inside the box moves with the contents.
  TRect inside = IntersectRect(w->Invalid, box);
  if (!inside.IsEmpty()) {
    w->Invalid = UnionRect(w->Invalid, IntersectRect(OffsetRect(inside, dx, dy), box));
  }
  TRect moved = IntersectRect(OffsetRect(box, dx, dy), box);
  if (moved.IsEmpty()) {
    InvalidateRect(window, &box);
    return;
  }
  if (dx > 0) {
    TRect strip{box.Left, box.Top, moved.Left, box.Bottom};
    InvalidateRect(window, &strip);
  } else if (dx < 0) {
    TRect strip{moved.Right, box.Top, box.Right, box.Bottom};
    InvalidateRect(window, &strip);
  }
  if (dy > 0) {
    TRect strip{box.Left, box.Top, box.Right, moved.Top};
    InvalidateRect(window, &strip);
  } else if (dy < 0) {
    TRect strip{box.Left, moved.Bottom, box.Right, box.Bottom};
    InvalidateRect(window, &strip);
  }
}

TCanvas* BeginPaint(TWindow window, TPaintStruct& paint) {
  TWindowObject* w = Lookup(window);
  if (!w) return nullptr;
  paint.Paint = w->Invalid.IsEmpty() ? GetClientRect(window) : w->Invalid;
  w->Invalid = TRect{};
  paint.Canvas = State()->Backend->CreatePaintCanvas(window, paint.Paint);
  if (paint.Canvas && w->Class->Background) {
    paint.Canvas->FillRect(paint.Paint, BrushColor(w->Class->Background));
  }
  return paint.Canvas.get();
}

void EndPaint(TWindow /*window*/, TPaintStruct& paint) { paint.Canvas.reset(); }

std::unique_ptr<TCanvas> GetWindowCanvas(TWindow window) {
  if (!Lookup(window)) return nullptr;
  return State()->Backend->CreateWindowCanvas(window);
}

}  // namespace platform
