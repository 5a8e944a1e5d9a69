// Painting of the compare window: caption strips with the file names, and the panes with
// their gutters, inverted changed rows, empty filler rows and the rules of left-out lines.
#include <algorithm>
#include <cstdio>

#include "editor/compare/DiffChildData.h"
#include "platform/ui/ClipboardData.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr int32_t kDrawnCharsMax = 2000;
constexpr TColorRef kLightEdge = MakeRgb(255, 255, 255);
constexpr TColorRef kDarkEdge = MakeRgb(128, 128, 128);

// A raised 3D edge: light at the top and left, dark at the bottom and right.
void RaisedEdge(TCanvas& dc, const TRect& r) {
  dc.SetPen(kLightEdge);
  dc.MoveTo(r.Left, r.Bottom - 1);
  dc.LineTo(r.Left, r.Top);
  dc.LineTo(r.Right - 1, r.Top);
  dc.SetPen(kDarkEdge);
  dc.LineTo(r.Right - 1, r.Bottom - 1);
  dc.LineTo(r.Left, r.Bottom - 1);
}

}  // namespace

void TDiffChildData::Paint(TCanvas& dc, const TRect& update) {
  (void)update;
  // File names come as UTF-8 paths; the canvas takes the Windows code page.
  const TFont old = dc.SelectFont(GetStockFont());
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  for (int side = 0; side < 2; ++side) {
    const TRect& r = Places_.Caption[side];
    if (r.Width() <= 0 || r.Height() <= 0) continue;
    dc.FillRect(r, GetSysColor(COLOR_BTNFACE));
    RaisedEdge(dc, r);
    const std::string& name = side == 0 ? Extra.FirstFile : Extra.SecondFile;
    dc.DrawText(Utf8ToCodePageText(name, false), TRect{r.Left + 4, r.Top + 1, r.Right - 2, r.Bottom - 1},
                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  dc.SelectFont(old);
}

void TDiffChildData::PaintPane(int pane, TCanvas& dc, const TRect& update) {
  const TRect client = GetClientRect(Panes[pane]);
  dc.FillRect(update, Background ? BrushColor(Background) : GetSysColor(COLOR_WINDOW));
  if (!Engine) return;
  const TDiffRows& rows = Engine->Rows();
  const TFont old = dc.SelectFont(Font);
  dc.SetBkMode(TRANSPARENT);
  const int32_t first = std::max(update.Top, 0) / CharHeight;
  const int32_t last = (update.Bottom + CharHeight - 1) / CharHeight;
  const int32_t x = Gutter - Scroller->PosX * CharWidth;
  const int32_t tabs[] = {std::max(TabWidthPixels, 1)};
  dc.SetTextColor(TextColor);
  for (int32_t i = first; i <= last; ++i) {
    const int32_t row = Scroller->PosY + i;
    if (row >= rows.RowCount()) break;
    const TDiffLine* line = rows.At(pane, row);
    if (!line) continue;  // a filler row stays empty
    const int32_t y = i * CharHeight;
    if (line->Separator()) {
      // Common lines were left out here.
      dc.SetPen(TextColor);
      dc.MoveTo(Gutter, y + CharHeight / 2);
      dc.LineTo(client.Right, y + CharHeight / 2);
      continue;
    }
    if (line->Length > 0) {
      dc.TabbedTextOut(x, y, std::string_view(line->Text, static_cast<size_t>(std::min(line->Length, kDrawnCharsMax))),
                       tabs, x);
    }
    if (line->Changed()) dc.InvertRect(TRect{Gutter, y, std::max(client.Right, Gutter), y + CharHeight});
  }
  // The gutter last: text scrolled to the left ends under it.
  const TRect gutter{0, update.Top, Gutter, update.Bottom};
  dc.FillRect(gutter, GetSysColor(COLOR_BTNFACE));
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  for (int32_t i = first; i <= last; ++i) {
    const int32_t row = Scroller->PosY + i;
    if (row >= rows.RowCount()) break;
    const TDiffLine* line = rows.At(pane, row);
    if (!line || line->Separator()) continue;
    char number[16];
    std::snprintf(number, sizeof number, "%d", line->Index + 1);
    const int32_t y = i * CharHeight;
    dc.DrawText(number, TRect{0, y, Gutter - 3, y + CharHeight}, DT_RIGHT | DT_SINGLELINE);
  }
  RaisedEdge(dc, TRect{0, std::min(update.Top, 0), Gutter, std::max(update.Bottom, client.Bottom)});
  dc.SelectFont(old);
}
