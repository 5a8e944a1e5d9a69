// Canvases of the Qt back end: one that paints through a QPainter inside a paint event, and
// one for painting outside it that asks for a repaint of what it would have touched.
#pragma once

#include "platform/ui/Canvas.h"

class QPainter;
class QWidget;

namespace platform {

class TQtBackend;

class TQtPainterCanvas final : public TCanvas {
 public:
  TQtPainterCanvas(TQtBackend& backend, QPainter& painter, TRect bounds);

 protected:
  void DoText(int32_t x, int32_t y, std::string_view text, const TFontInfo& font,
              TColorRef color, bool opaque, TColorRef background) override;
  void DoFill(const TRect& rect, TColorRef color) override;
  void DoLine(TPoint from, TPoint to, TColorRef color, int32_t width) override;
  void DoInvert(const TRect& rect) override;
  void DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) override;
  void ClipChanged() override;

 private:
  TQtBackend& Backend_;
  QPainter& Painter_;
};

class TQtRepaintCanvas final : public TCanvas {
 public:
  TQtRepaintCanvas(QWidget* widget, TRect bounds);

 protected:
  void DoText(int32_t x, int32_t y, std::string_view text, const TFontInfo& font,
              TColorRef color, bool opaque, TColorRef background) override;
  void DoFill(const TRect& rect, TColorRef) override { Touch(rect); }
  void DoLine(TPoint from, TPoint to, TColorRef, int32_t width) override;
  void DoInvert(const TRect& rect) override { Touch(rect); }
  void DoBitmap(int32_t x, int32_t y, const TSmallBitmap& bitmap) override;

 private:
  void Touch(const TRect& rect);
  QWidget* Widget_;
};

}  // namespace platform
