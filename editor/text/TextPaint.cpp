// Painting of the text view: gutter with line numbers and bookmark marks, lines with tabs,
// long lines from their first visible character, the selection inverted.
#include "editor/text/TextChildData.h"

#include <algorithm>
#include <cstdio>

#include "editor/text/BookmarkMarks.h"
#include "editor/text/TabColumns.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
// Characters drawn at most from a long line in a proportional font.
constexpr int32_t kVisiblePartMax = 500;
}  // namespace

void TTextChildData::Paint(TCanvas& dc, const TRect& update) {
  const int32_t firstRow = std::max(update.Top, 0) / CharHeight;
  const int32_t lastRow = (update.Bottom + CharHeight - 1) / CharHeight;
  const int32_t gutter = GutterWidth();
  const int32_t count = Lines.Count();
  if (LineNumbers) {
    dc.SetPen(TextColor);
    dc.MoveTo(gutter - 10, update.Top);
    dc.LineTo(gutter - 10, update.Bottom);
    for (int32_t row = firstRow; row <= lastRow; ++row) {
      int32_t line = Scroller->PosY + row;
      if (line >= count) break;
      char number[16];
      std::snprintf(number, sizeof number, "%6d", line + 1);
      int32_t y = row * CharHeight;
      dc.DrawText(number, TRect{2, y, gutter - 16, y + CharHeight}, DT_RIGHT | DT_SINGLELINE);
    }
  }
  if (BookmarkMarks && gutter >= 8) {
    for (int32_t row = firstRow; row <= lastRow; ++row) {
      int32_t line = Scroller->PosY + row;
      if (line >= count) break;
      for (int32_t n = 0; n < kBookmarkCount; ++n) {
        if (Bookmarks[static_cast<size_t>(n)].Line != line) continue;
        const TSmallBitmap& mark = BookmarkMark(n);
        dc.DrawBitmap(gutter - mark.Width - 2, row * CharHeight + (CharHeight - mark.Height + 1) / 2,
                      mark);
        break;  // the lowest number shows
      }
    }
  }
  if (gutter > 0) dc.ExcludeClipRect(TRect{0, update.Top, gutter, update.Bottom});
  const int32_t x = gutter - Scroller->PosX * CharWidth;
  for (int32_t row = firstRow; row <= lastRow; ++row) {
    int32_t line = Scroller->PosY + row;
    if (line >= count) break;
    if (ClipLongLines) {
      PaintLineVisiblePart(dc, line, row * CharHeight);
    } else {
      PaintLine(dc, x, line, row * CharHeight);
    }
  }
  if (HasSelection()) InvertRange(&dc, Selection);
}

void TTextChildData::PaintLine(TCanvas& dc, int32_t x, int32_t line, int32_t y) {
  std::string_view text = Lines.Text(line);
  if (text.empty()) return;
  dc.TabbedTextOut(x, y, text, TabStops, x);
}

void TTextChildData::PaintLineVisiblePart(TCanvas& dc, int32_t line, int32_t y) {
  std::string_view text = Lines.Text(line);
  if (text.empty()) return;
  const int32_t origin = GutterWidth() - Scroller->PosX * CharWidth;
  int32_t first = 0;
  int32_t most = kVisiblePartMax;
  const TLineMeasure measure = Measure();
  if (FixedPitch) {
    first = ColumnToIndexBefore(text.data(), Scroller->PosX, TabWidth);
    most = GetClientRect(Window).Width() / CharWidth + 1;
  } else {
    // The last character that starts at or before the scroll position.
    const int64_t target = static_cast<int64_t>(Scroller->PosX) * CharWidth;
    int32_t lo = 0, hi = static_cast<int32_t>(text.size());
    while (lo < hi) {
      int32_t mid = lo + (hi - lo + 1) / 2;
      if (measure.XOf(text, mid) <= target) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    first = lo;
  }
  if (first >= static_cast<int32_t>(text.size())) return;
  std::string_view part = text.substr(static_cast<size_t>(first), static_cast<size_t>(most));
  // The tab origin stays where a full-line paint would have it, so the stops do not move.
  int64_t startX = origin + measure.XOf(text, first);
  dc.TabbedTextOut(static_cast<int32_t>(std::min<int64_t>(startX, INT32_MAX / 2)), y, part,
                   TabStops, origin);
}
