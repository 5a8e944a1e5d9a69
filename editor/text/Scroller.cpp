// Scroll positions, steps, bar scaling and the moving of window contents.
#include "editor/text/Scroller.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
// One update of the bars at a time in the whole program: setting a bar can resize a window,
// which asks for an update again.
bool UpdatingScrollBars = false;
}  // namespace

TScroller::TScroller(TWindow window, int32_t unitX, int32_t unitY, int32_t rangeX,
                     int32_t rangeY)
    : Window(window),
      UnitX(unitX),
      UnitY(unitY),
      RangeX(std::max(rangeX, 0)),
      RangeY(std::max(rangeY, 0)) {}

void TScroller::SetUnits(int32_t unitX, int32_t unitY) {
  UnitX = unitX;
  UnitY = unitY;
}

void TScroller::SetRange(int32_t rangeX, int32_t rangeY) {
  RangeX = std::max(rangeX, 0);
  RangeY = std::max(rangeY, 0);
  UpdateScrollBars();
  ScrollTo(PosX, PosY);
}

void TScroller::UpdatePageSteps() {
  TRect client = GetClientRect(Window);
  int32_t w = client.Width();
  int32_t h = client.Height();
  if (w == 0 || h == 0 || UnitX < 1 || UnitY < 1) return;
  // A window narrower or lower than one unit gets 0, never less.
  PageStepX = std::max((w + 1) / UnitX - 1, 0);
  PageStepY = std::max((h + 1) / UnitY - 1, 0);
}

void TScroller::UpdateScrollBars() {
  if (UpdatingScrollBars) return;
  UpdatingScrollBars = true;
  auto update = [&](int32_t bar, int32_t range, int32_t page) {
    int32_t top = std::max(0, std::min(range, kScrollBarLimit));
    SetScrollRange(Window, bar, 0, top);
    if (ProportionalThumb) SetScrollPage(Window, bar, std::min(page, top));
  };
  if (HasHorzBar) update(SB_HORZ, RangeX, PageStepX);
  if (HasVertBar) update(SB_VERT, RangeY, PageStepY);
  UpdatingScrollBars = false;
  UpdateThumbs();
}

int32_t TScroller::ToBar(int32_t pos, int32_t range) {
  if (range <= kScrollBarLimit) return pos;
  return MulDiv(pos, kScrollBarLimit, range);
}

int32_t TScroller::FromBar(int32_t thumb, int32_t range) {
  if (range <= kScrollBarLimit) return thumb;
  return MulDiv(thumb, range, kScrollBarLimit);
}

void TScroller::UpdateThumbs() {
  if (HasHorzBar) {
    int32_t bar = ToBar(PosX, RangeX);
    if (GetScrollPos(Window, SB_HORZ) != bar) SetScrollPos(Window, SB_HORZ, bar);
  }
  if (HasVertBar) {
    int32_t bar = ToBar(PosY, RangeY);
    if (GetScrollPos(Window, SB_VERT) != bar) SetScrollPos(Window, SB_VERT, bar);
  }
}

void TScroller::ScrollArea(int32_t dxPixels, int32_t dyPixels, bool vertical, bool small) {
  TRect area = GetClientRect(Window);
  bool excludeMargin = MarginWidth > 0 && (!vertical || !MarginScrollsVertically);
  if (excludeMargin) area.Left = std::min(MarginWidth, area.Right);
  if (small) {
    ScrollWindow(Window, dxPixels, dyPixels, &area);
  } else {
    InvalidateRect(Window, &area);
  }
}

void TScroller::ScrollTo(int32_t x, int32_t y) {
  x = std::clamp(x, 0, RangeX);
  y = std::clamp(y, 0, RangeY);
  int32_t dx = PosX - x;
  int32_t dy = PosY - y;
  if (dx == 0 && dy == 0) return;
  PosX = x;
  PosY = y;
  TRect client = GetClientRect(Window);
  // Pixel moves beyond the window only need everything repainted; keep them in range.
  auto pixels = [](int64_t units, int32_t unit, int32_t extent) {
    int64_t p = units * unit;
    int64_t limit = static_cast<int64_t>(extent) + 1;
    return static_cast<int32_t>(std::clamp(p, -limit, limit));
  };
  int32_t px = pixels(dx, UnitX, client.Width());
  int32_t py = pixels(dy, UnitY, client.Height());
  if (MoveOrigin) {
    ScrollWindow(Window, px, py, nullptr);
    return;
  }
  bool small = std::abs(dx) < PageStepX && std::abs(dy) < PageStepY;
  if (dx != 0) ScrollArea(px, 0, false, small);
  if (dy != 0) ScrollArea(0, py, true, small);
}

void TScroller::HScroll(uint32_t code, int32_t thumb) {
  switch (code) {
    case SB_LINELEFT:
      ScrollBy(-LineStepX, 0);
      break;
    case SB_LINERIGHT:
      ScrollBy(LineStepX, 0);
      break;
    // A window too small for a page moves a line at a time.
    case SB_PAGELEFT:
      ScrollBy(-std::max(PageStepX, 1), 0);
      break;
    case SB_PAGERIGHT:
      ScrollBy(std::max(PageStepX, 1), 0);
      break;
    case SB_THUMBPOSITION:
      ScrollTo(FromBar(thumb, RangeX), PosY);
      break;
    case SB_THUMBTRACK:
      if (TrackThumb) {
        ScrollTo(FromBar(thumb, RangeX), PosY);
        if (HasHorzBar) SetScrollPos(Window, SB_HORZ, thumb);
      }
      break;
    default:
      break;
  }
}

void TScroller::VScroll(uint32_t code, int32_t thumb) {
  switch (code) {
    case SB_LINEUP:
      ScrollBy(0, -LineStepY);
      break;
    case SB_LINEDOWN:
      ScrollBy(0, LineStepY);
      break;
    case SB_PAGEUP:
      ScrollBy(0, -std::max(PageStepY, 1));
      break;
    case SB_PAGEDOWN:
      ScrollBy(0, std::max(PageStepY, 1));
      break;
    case SB_THUMBPOSITION:
      ScrollTo(PosX, FromBar(thumb, RangeY));
      break;
    case SB_THUMBTRACK:
      if (TrackThumb) {
        ScrollTo(PosX, FromBar(thumb, RangeY));
        if (HasVertBar) SetScrollPos(Window, SB_VERT, thumb);
      }
      break;
    default:
      break;
  }
}

TPoint TScroller::AutoScrollStep() {
  if (!AutoScrollOn) return {};
  TPoint mouse = ScreenToClient(Window, GetCursorPos());
  TRect client = GetClientRect(Window);
  int32_t dx = 0;
  int32_t dy = 0;
  if (mouse.Y < client.Top) {
    dy = -1;
  } else if (mouse.Y >= client.Bottom) {
    dy = 1;
  }
  if (mouse.X < client.Left) {
    dx = -1;
  } else if (mouse.X >= client.Right) {
    dx = 1;
  }
  int32_t oldX = PosX;
  int32_t oldY = PosY;
  if (dx != 0 || dy != 0) ScrollBy(dx, dy);
  return {PosX - oldX, PosY - oldY};
}

void TScroller::ApplyOrigin(TCanvas& canvas) const {
  if (!MoveOrigin) return;
  int64_t x = static_cast<int64_t>(PosX) * UnitX;
  int64_t y = static_cast<int64_t>(PosY) * UnitY;
  if (x < 32768 && y < 32768) {
    canvas.SetViewportOrg({static_cast<int32_t>(-x), static_cast<int32_t>(-y)});
  }
}
