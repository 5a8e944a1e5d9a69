// Drawing of the window layer's primitives with QPainter; bytes become Unicode here.
#include "platform/qt/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>

#include "platform/qt/QtBackend.h"
#include "platform/ui/CodePages.h"

namespace platform {

namespace {

QColor ToQColor(TColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

TQtPainterCanvas::TQtPainterCanvas(TQtBackend& backend, QPainter& painter, TRect bounds)
    : TCanvas(bounds), Backend_(backend), Painter_(painter) {
  ClipChanged();
}

void TQtPainterCanvas::DoText(int32_t x, int32_t y, std::string_view text,
                              const TFontInfo& font, TColorRef color, bool opaque,
                              TColorRef background) {
  int32_t width = 0;
  for (unsigned char c : text) width += font.Widths[c];
  if (opaque) Painter_.fillRect(QRect(x, y, width, font.Metrics.Height), ToQColor(background));
  Painter_.setFont(Backend_.QtFont(font.Log));
  Painter_.setPen(ToQColor(color));
  bool oem = font.Log.CharSet == kOemCharset;
  // Every character at the position the layer measured, so carets and selections line up.
  int32_t pos = x;
  int32_t baseline = y + font.Metrics.Ascent;
  for (unsigned char c : text) {
    char32_t u = oem ? Cp850ToUnicode(c) : Cp1252ToUnicode(c);
    if (u > 0x20 && u != 0x7F) Painter_.drawText(QPoint(pos, baseline), QString(QChar(u)));
    pos += font.Widths[c];
  }
}

void TQtPainterCanvas::DoFill(const TRect& rect, TColorRef color) {
  Painter_.fillRect(ToQRect(rect), ToQColor(color));
}

void TQtPainterCanvas::DoLine(TPoint from, TPoint to, TColorRef color, int32_t width) {
  Painter_.setPen(QPen(ToQColor(color), width));
  Painter_.drawLine(from.X, from.Y, to.X, to.Y);
}

void TQtPainterCanvas::DoInvert(const TRect& rect) {
  Painter_.save();
  Painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  Painter_.fillRect(ToQRect(rect), Qt::white);
  Painter_.restore();
}

void TQtPainterCanvas::DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) {
  QImage image(bitmap.Width, bitmap.Height, QImage::Format_RGB32);
  for (int32_t row = 0; row < bitmap.Height; ++row) {
    for (int32_t col = 0; col < bitmap.Width; ++col) {
      image.setPixelColor(col, row,
                          ToQColor(bitmap.Pixels[static_cast<size_t>(row * bitmap.Width + col)]));
    }
  }
  Painter_.drawImage(x, y, image);
}

void TQtPainterCanvas::ClipChanged() {
  QRegion region(ToQRect(Clip().Box));
  for (const TRect& excluded : Clip().Excluded) region -= QRegion(ToQRect(excluded));
  Painter_.setClipRegion(region);
}

TQtRepaintCanvas::TQtRepaintCanvas(QWidget* widget, TRect bounds)
    : TCanvas(bounds), Widget_(widget) {}

void TQtRepaintCanvas::Touch(const TRect& rect) {
  TRect visible = IntersectRect(rect, Clip().Box);
  if (Widget_ && !visible.IsEmpty()) Widget_->update(ToQRect(visible));
}

void TQtRepaintCanvas::DoText(int32_t x, int32_t y, std::string_view text,
                              const TFontInfo& font, TColorRef, bool, TColorRef) {
  int32_t width = 0;
  for (unsigned char c : text) width += font.Widths[c];
  Touch(TRect{x, y, x + width, y + font.Metrics.Height});
}

void TQtRepaintCanvas::DoLine(TPoint from, TPoint to, TColorRef, int32_t width) {
  Touch(TRect{std::min(from.X, to.X) - width, std::min(from.Y, to.Y) - width,
              std::max(from.X, to.X) + width + 1, std::max(from.Y, to.Y) + width + 1});
}

void TQtRepaintCanvas::DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) {
  Touch(TRect{x, y, x + bitmap.Width, y + bitmap.Height});
}

}  // namespace platform
