// The canvas of the three passes; measuring always on the printer font.
#include "printlib/PrintCanvas.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Fonts.h"

using namespace platform;

TSpecialCanvas::TSpecialCanvas(std::string name, const TPrinterMetrics& metrics)
    : Name_(std::move(name)), Metrics_(metrics) {}

TSpecialCanvas::~TSpecialCanvas() { ReleaseFonts(); }

void TSpecialCanvas::ReleaseFonts() {
  if (Target_ && Mode_ != TCanvasMode::Paginate) Target_->SelectFont(GetStockFont());
  if (PrinterFont_) DeleteFont(PrinterFont_);
  if (DisplayFont_) DeleteFont(DisplayFont_);
  PrinterFont_ = 0;
  DisplayFont_ = 0;
}

void TSpecialCanvas::SetModePreview(TCanvas* target, const TPreviewMapping& mapping) {
  Mode_ = TCanvasMode::Preview;
  Target_ = target;
  Mapping_ = mapping;
}

void TSpecialCanvas::SetModePrint(TCanvas* printer) {
  Mode_ = TCanvasMode::Print;
  Target_ = printer;
}

void TSpecialCanvas::SetModePaginate() {
  Mode_ = TCanvasMode::Paginate;
  Target_ = nullptr;
}

bool TSpecialCanvas::SetFont(const TLogFont& printerFont, std::string* error) {
  if (printerFont.Height >= 0) {
    if (error) *error = "Printer Font corrupted (Font.Height > 0)";
    return false;
  }
  if (HasFont_ && printerFont == PrinterLog_ && (Mode_ != TCanvasMode::Preview || DisplayFont_)) {
    if (Target_ && Mode_ == TCanvasMode::Print) Target_->SelectFont(PrinterFont_);
    if (Target_ && Mode_ == TCanvasMode::Preview) Target_->SelectFont(DisplayFont_);
    return true;
  }
  ReleaseFonts();
  HasFont_ = false;
  PrinterLog_ = printerFont;
  PrinterFont_ = CreateFontIndirect(printerFont);
  if (Mode_ == TCanvasMode::Preview) {
    // The screen shows the printer font scaled down; its height stays a character height.
    TLogFont display = printerFont;
    display.Height = -std::max(1, static_cast<int32_t>(std::lround(
                                      std::abs(printerFont.Height) * Mapping_.ScaleY)));
    if (display.Width > 0) {
      display.Width = std::max(1, static_cast<int32_t>(std::lround(display.Width * Mapping_.ScaleX)));
    }
    DisplayFont_ = CreateFontIndirect(display);
    if (DisplayFont_ == 0 || GetFontInfo(DisplayFont_)->Metrics.Height <= 0) {
      if (error) *error = "Display Canvas Font has been corrupted.\r\nFont Height is < 0";
      return false;
    }
  }
  HasFont_ = PrinterFont_ != 0;
  if (!HasFont_) {
    if (error) *error = "Printer Font corrupted (Font.Height is > 0)";
    return false;
  }
  if (Target_ && Mode_ == TCanvasMode::Print) Target_->SelectFont(PrinterFont_);
  if (Target_ && Mode_ == TCanvasMode::Preview) Target_->SelectFont(DisplayFont_);
  return true;
}

int32_t TSpecialCanvas::CharWidth(unsigned char c) const {
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  return info ? info->Widths[c] : 0;
}

int32_t TSpecialCanvas::TextWidth(std::string_view text) const {
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  if (!info) return 0;
  int32_t width = 0;
  for (unsigned char c : text) width += info->Widths[c];
  return width;
}

int32_t TSpecialCanvas::TabbedTextWidth(std::string_view text, int32_t tabWidth) const {
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  if (!info) return 0;
  const int32_t tabs[1] = {tabWidth};
  int32_t pos = 0;
  for (unsigned char c : text) {
    pos = c == '\t' ? TCanvas::NextTabStop(pos, tabs, 0, info->Metrics.AveCharWidth)
                    : pos + info->Widths[c];
  }
  return pos;
}

int32_t TSpecialCanvas::TextHeight() const {
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  return info ? info->Metrics.Height : 0;
}

int32_t TSpecialCanvas::AverageCharWidth() const {
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  return info ? info->Metrics.AveCharWidth : 0;
}

TPoint TSpecialCanvas::ToScreen(int32_t x, int32_t y) const {
  return TPoint{Mapping_.Left + static_cast<int32_t>(std::lround(x * Mapping_.ScaleX)),
                Mapping_.Top + static_cast<int32_t>(std::lround(y * Mapping_.ScaleY))};
}

void TSpecialCanvas::DrawRun(int32_t x, int32_t y, std::string_view text) {
  if (!Target_ || text.empty() || Mode_ == TCanvasMode::Paginate) return;
  if (Mode_ == TCanvasMode::Print) {
    Target_->TextOut(x, y, text);
    return;
  }
  // Character by character at the printer's positions, so the screen shows the printer's
  // layout whatever the screen font's own widths are.
  int32_t pos = x;
  for (size_t i = 0; i < text.size(); ++i) {
    TPoint p = ToScreen(pos, y);
    Target_->TextOut(p.X, p.Y, text.substr(i, 1));
    pos += CharWidth(static_cast<unsigned char>(text[i]));
  }
}

void TSpecialCanvas::DrawTextInRect(std::string_view text, const TRect& rect, uint32_t format) {
  if (!HasFont_) return;
  int32_t width = TextWidth(text);
  int32_t x = rect.Left;
  if (format & DT_CENTER) {
    x = rect.Left + (rect.Width() - width) / 2;
  } else if (format & DT_RIGHT) {
    x = rect.Right - width;
  }
  DrawRun(x, rect.Top, text);
}

void TSpecialCanvas::TabbedTextOut(int32_t x, int32_t y, std::string_view text,
                                   int32_t tabWidth, int32_t tabOrigin) {
  if (!HasFont_ || Mode_ == TCanvasMode::Paginate) return;
  text = text.substr(0, std::min(text.size(), kTabbedRunMax));
  const TFontInfo* info = GetFontInfo(PrinterFont_);
  const int32_t tabs[1] = {tabWidth};
  int32_t pos = x;
  size_t start = 0;
  while (start <= text.size()) {
    size_t tab = text.find('\t', start);
    std::string_view run = text.substr(start, tab == std::string_view::npos ? text.npos : tab - start);
    DrawRun(pos, y, run);
    pos += TextWidth(run);
    if (tab == std::string_view::npos) break;
    pos = TCanvas::NextTabStop(pos, tabs, tabOrigin, info->Metrics.AveCharWidth);
    start = tab + 1;
  }
}

void TSpecialCanvas::ExcludeClipRect(const TRect& rect) {
  if (!Target_ || Mode_ == TCanvasMode::Paginate) return;
  if (Mode_ == TCanvasMode::Print) {
    Target_->ExcludeClipRect(rect);
    return;
  }
  TPoint a = ToScreen(rect.Left, rect.Top);
  TPoint b = ToScreen(rect.Right, rect.Bottom);
  Target_->ExcludeClipRect(TRect{a.X, a.Y, b.X, b.Y});
}

void TSpecialCanvas::MoveTo(int32_t x, int32_t y) {
  if (!Target_ || Mode_ == TCanvasMode::Paginate) return;
  TPoint p = Mode_ == TCanvasMode::Print ? TPoint{x, y} : ToScreen(x, y);
  Target_->MoveTo(p.X, p.Y);
}

void TSpecialCanvas::LineTo(int32_t x, int32_t y) {
  if (!Target_ || Mode_ == TCanvasMode::Paginate) return;
  TPoint p = Mode_ == TCanvasMode::Print ? TPoint{x, y} : ToScreen(x, y);
  Target_->LineTo(p.X, p.Y);
}
