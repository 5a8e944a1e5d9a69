// Painting of the editor window: colour runs of the syntax colouring and the marks that make
// blanks, tabs and line ends visible.
#include "editor/text/EditChildData.h"

#include <algorithm>

#include "editor/text/TabColumns.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {
// Marks of visible blanks and line ends in the two character sets (the DOS codes are those
// of code page 850, where the Windows glyphs stand elsewhere).
constexpr char kMiddleDotWin = static_cast<char>(183);
constexpr char kMiddleDotDos = static_cast<char>(250);
constexpr char kLineEndWin = static_cast<char>(182);
constexpr char kLineEndDos = static_cast<char>(244);
constexpr int32_t kVisiblePartMax = 500;
}  // namespace

void TEditChildData::DrawColored(TCanvas& dc, int32_t x, int32_t origin, int32_t line,
                                 int32_t from, int32_t to, int32_t y) {
  std::string_view text = Lines.Text(line);
  std::span<const int32_t> tabs(TabStops.data(), TabStops.size());
  auto draw = [&](int32_t a, int32_t b) {
    if (b <= a) return;
    x += dc.TabbedTextOut(x, y, text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a)),
                          tabs, origin).Width;
  };
  const std::vector<TColorRun>* runs = Coloring ? &Coloring->ColorLine(line) : nullptr;
  if (!runs || runs->empty()) {
    draw(from, to);
    return;
  }
  int32_t pos = from;
  for (const TColorRun& run : *runs) {
    int32_t a = std::max(run.Start, pos);
    int32_t b = std::min(run.Start + run.Length, to);
    if (b <= a) continue;
    draw(pos, a);
    TColorRef old = dc.SetTextColor(run.Color);
    draw(a, b);
    dc.SetTextColor(old);
    pos = b;
  }
  draw(pos, to);
}

void TEditChildData::DrawSpecial(TCanvas& dc, int32_t origin, int32_t line, int32_t from,
                                 int32_t to, int32_t y) {
  std::string_view text = Lines.Text(line);
  const TLineMeasure measure = Measure();
  TColorRef old = dc.SetTextColor(MarkColor);
  dc.SetPen(MarkColor);
  const char dot = DosMode ? kMiddleDotDos : kMiddleDotWin;
  const int32_t mid = y + CharHeight / 2;
  int64_t x = measure.XOf(text, from);
  for (int32_t i = from; i < to; ++i) {
    char c = text[static_cast<size_t>(i)];
    int64_t next = c == '\t' ? measure.NextStop(x) : x + measure.Width(static_cast<uint8_t>(c));
    int32_t sx = static_cast<int32_t>(std::clamp<int64_t>(origin + x, INT32_MIN / 2, INT32_MAX / 2));
    if (c == ' ') {
      dc.TextOut(sx, y, std::string_view(&dot, 1));
    } else if (c == '\t') {
      int32_t width = static_cast<int32_t>(next - x);
      int32_t start = sx + (width > 2 * CharWidth ? CharWidth / 2 : 0);
      int32_t tip = sx + width - 2;
      if (tip > start) {
        dc.MoveTo(start, mid);
        dc.LineTo(tip, mid);
        dc.MoveTo(tip - 2, mid - 2);
        dc.LineTo(tip, mid);
        dc.MoveTo(tip - 2, mid + 2);
        dc.LineTo(tip, mid);
      }
    }
    x = next;
  }
  if (to == static_cast<int32_t>(text.size())) {
    int64_t endX = origin + x;
    TRect client = GetClientRect(Window);
    if (endX >= GutterWidth() && endX < client.Right) {
      const char mark = DosMode ? kLineEndDos : kLineEndWin;
      dc.TextOut(static_cast<int32_t>(endX), y, std::string_view(&mark, 1));
    }
  }
  dc.SetTextColor(old);
}

void TEditChildData::PaintLine(TCanvas& dc, int32_t x, int32_t line, int32_t y) {
  const int32_t len = Lines.Length(line);
  if (len > 0) DrawColored(dc, x, x, line, 0, len, y);
  if (ShowSpecial) DrawSpecial(dc, x, line, 0, len, y);
}

void TEditChildData::PaintLineVisiblePart(TCanvas& dc, int32_t line, int32_t y) {
  std::string_view text = Lines.Text(line);
  const int32_t len = static_cast<int32_t>(text.size());
  const int32_t origin = GutterWidth() - Scroller->PosX * CharWidth;
  const TLineMeasure measure = Measure();
  int32_t first = 0;
  int32_t most = kVisiblePartMax;
  if (FixedPitch) {
    first = ColumnToIndexBefore(text.data(), Scroller->PosX, TabWidth);
    most = GetClientRect(Window).Width() / CharWidth + 1;
  } else {
    const int64_t target = static_cast<int64_t>(Scroller->PosX) * CharWidth;
    int32_t lo = 0, hi = len;
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
  first = std::min(first, len);
  const int32_t to = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(first) + most, len));
  const int64_t startX = origin + measure.XOf(text, first);
  if (to > first) {
    DrawColored(dc, static_cast<int32_t>(std::min<int64_t>(startX, INT32_MAX / 2)), origin, line,
                first, to, y);
  }
  if (ShowSpecial) DrawSpecial(dc, origin, line, first, to, y);
}
