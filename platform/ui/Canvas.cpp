// Canvas state and text layout with tab stops; the primitives belong to the back end.
#include "platform/ui/Canvas.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

const TFontInfo& FallbackFont() {
  static const TFontInfo info = [] {
    TFontInfo f;
    f.Metrics = TTextMetric{16, 13, 3, 0, 8, 8, 0, kAnsiCharset};
    f.Widths.fill(8);
    return f;
  }();
  return info;
}

bool Covers(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
         inner.Bottom <= outer.Bottom;
}

}  // namespace

bool TClipState::Visible(const TRect& r) const {
  if (IntersectRect(Box, r).IsEmpty()) return false;
  TRect inBox = IntersectRect(Box, r);
  return std::none_of(Excluded.begin(), Excluded.end(),
                      [&](const TRect& e) { return Covers(e, inBox); });
}

TCanvas::TCanvas(TRect bounds) : Font_(GetStockFont()) { Clip_.Box = bounds; }

TFont TCanvas::SelectFont(TFont font) {
  if (!GetFontInfo(font)) return Font_;
  return std::exchange(Font_, font);
}

TColorRef TCanvas::SetTextColor(TColorRef color) { return std::exchange(TextColor_, color); }
TColorRef TCanvas::SetBkColor(TColorRef color) { return std::exchange(BkColor_, color); }
int32_t TCanvas::SetBkMode(int32_t mode) { return std::exchange(BkMode_, mode); }
TPoint TCanvas::SetViewportOrg(TPoint origin) { return std::exchange(Origin_, origin); }

const TFontInfo& TCanvas::FontInfo() const {
  const TFontInfo* info = GetFontInfo(Font_);
  return info ? *info : FallbackFont();
}

TTextMetric TCanvas::GetTextMetrics() const { return FontInfo().Metrics; }

int32_t TCanvas::RunWidth(std::string_view text) const {
  const TFontInfo& f = FontInfo();
  int32_t width = 0;
  for (unsigned char c : text) width += f.Widths[c];
  return width;
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
  if (text.empty()) return;
  DoText(x + Origin_.X, y + Origin_.Y, text, FontInfo(), TextColor_, BkMode_ == OPAQUE,
         BkColor_);
}

int32_t TCanvas::NextTabStop(int32_t pos, std::span<const int32_t> tabs, int32_t tabOrigin,
                             int32_t aveCharWidth) {
  int32_t rel = pos - tabOrigin;
  auto every = [&](int32_t step) {
    step = std::max(step, 1);
    int32_t r = rel < 0 ? 0 : (rel / step + 1) * step;
    return tabOrigin + r;
  };
  if (tabs.empty()) return every(8 * std::max(aveCharWidth, 1));
  if (tabs.size() == 1) return every(tabs[0] > 0 ? tabs[0] : 8 * std::max(aveCharWidth, 1));
  for (int32_t stop : tabs) {
    if (stop > rel) return tabOrigin + stop;
  }
  // Beyond the table the last interval repeats.
  int32_t last = tabs.back();
  int32_t step = std::max(last - tabs[tabs.size() - 2], 1);
  return tabOrigin + last + ((rel - last) / step + 1) * step;
}

TSize TCanvas::LayoutTabbed(int32_t x, int32_t y, std::string_view text,
                            std::span<const int32_t> tabs, int32_t tabOrigin, bool draw) {
  const TFontInfo& f = FontInfo();
  int32_t pos = x;
  size_t start = 0;
  while (start <= text.size()) {
    size_t tab = text.find('\t', start);
    std::string_view run = text.substr(start, tab == std::string_view::npos ? text.npos
                                                                            : tab - start);
    if (draw && !run.empty()) TextOut(pos, y, run);
    pos += RunWidth(run);
    if (tab == std::string_view::npos) break;
    int32_t next = NextTabStop(pos, tabs, tabOrigin, f.Metrics.AveCharWidth);
    if (draw && BkMode_ == OPAQUE && next > pos) {
      FillRect(TRect{pos, y, next, y + f.Metrics.Height}, BkColor_);
    }
    pos = next;
    start = tab + 1;
  }
  return TSize{pos - x, f.Metrics.Height};
}

TSize TCanvas::TabbedTextOut(int32_t x, int32_t y, std::string_view text,
                             std::span<const int32_t> tabs, int32_t tabOrigin) {
  return LayoutTabbed(x, y, text, tabs, tabOrigin, true);
}

TSize TCanvas::GetTextExtent(std::string_view text) const {
  return TSize{RunWidth(text), FontInfo().Metrics.Height};
}

TSize TCanvas::GetTabbedTextExtent(std::string_view text, std::span<const int32_t> tabs) const {
  return const_cast<TCanvas*>(this)->LayoutTabbed(0, 0, text, tabs, 0, false);
}

void TCanvas::DrawText(std::string_view text, const TRect& rect, uint32_t format) {
  TSize size = GetTextExtent(text);
  int32_t x = rect.Left;
  if (format & DT_CENTER) {
    x = rect.Left + (rect.Width() - size.Width) / 2;
  } else if (format & DT_RIGHT) {
    x = rect.Right - size.Width;
  }
  int32_t y = rect.Top;
  if (format & DT_VCENTER) {
    y = rect.Top + (rect.Height() - size.Height) / 2;
  } else if (format & DT_BOTTOM) {
    y = rect.Bottom - size.Height;
  }
  if (format & DT_NOCLIP) {
    TextOut(x, y, text);
    return;
  }
  TClipState saved = Clip_;
  IntersectClipRect(rect);
  TextOut(x, y, text);
  Clip_ = std::move(saved);
  ClipChanged();
}

void TCanvas::FillRect(const TRect& rect, TColorRef color) {
  if (rect.IsEmpty()) return;
  DoFill(ToDevice(rect), color);
}

void TCanvas::SetPen(TColorRef color, int32_t width) {
  PenColor_ = color;
  PenWidth_ = std::max(width, 1);
}

void TCanvas::MoveTo(int32_t x, int32_t y) { PenPos_ = {x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y) {
  DoLine({PenPos_.X + Origin_.X, PenPos_.Y + Origin_.Y}, {x + Origin_.X, y + Origin_.Y},
         PenColor_, PenWidth_);
  PenPos_ = {x, y};
}

void TCanvas::InvertRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  DoInvert(ToDevice(rect));
}

void TCanvas::DrawBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) {
  if (bitmap.Width <= 0 || bitmap.Height <= 0 ||
      bitmap.Pixels.size() != static_cast<size_t>(bitmap.Width) * bitmap.Height) {
    return;
  }
  DoBitmap(x + Origin_.X, y + Origin_.Y, bitmap);
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  Clip_.Excluded.push_back(ToDevice(rect));
  ClipChanged();
}

void TCanvas::IntersectClipRect(const TRect& rect) {
  Clip_.Box = IntersectRect(Clip_.Box, ToDevice(rect));
  ClipChanged();
}

}  // namespace platform
