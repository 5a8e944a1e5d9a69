// One canvas for the three passes of a job: counting pages (draws nothing), printing (draws
// on the printer) and previewing (draws on a screen canvas scaled from printer units). All
// measuring is done with the printer's metrics, so a page is laid out alike in every pass.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/LogFont.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Printer.h"

enum class TCanvasMode : uint8_t { Preview = 0, Print = 1, Paginate = 2 };

// Where the preview puts the physical page on the screen canvas.
struct TPreviewMapping {
  int32_t Left = 0;  // screen position of the page's corner
  int32_t Top = 0;
  double ScaleX = 1;  // screen pixels per printer unit
  double ScaleY = 1;
};

class TSpecialCanvas {
 public:
  static constexpr size_t kTabbedRunMax = 500;

  TSpecialCanvas(std::string name, const platform::TPrinterMetrics& metrics);
  ~TSpecialCanvas();
  TSpecialCanvas(const TSpecialCanvas&) = delete;
  TSpecialCanvas& operator=(const TSpecialCanvas&) = delete;

  void SetModePreview(platform::TCanvas* target, const TPreviewMapping& mapping);
  void SetModePrint(platform::TCanvas* printer);
  void SetModePaginate();
  TCanvasMode Mode() const { return Mode_; }
  const std::string& Name() const { return Name_; }
  const platform::TPrinterMetrics& Metrics() const { return Metrics_; }
  int32_t PrintableRight() const { return Metrics_.OffsetX + Metrics_.PrintableWidth; }
  int32_t PrintableBottom() const { return Metrics_.OffsetY + Metrics_.PrintableHeight; }

  // The printer font: a negative height (a character height in printer units). False, with
  // the error text in `error`, for a font that breaks that rule.
  [[nodiscard]] bool SetFont(const platform::TLogFont& printerFont, std::string* error);

  // Measuring, on the printer's metrics.
  int32_t TextWidth(std::string_view text) const;
  // Width of text with tab stops every `tabWidth` from its start.
  int32_t TabbedTextWidth(std::string_view text, int32_t tabWidth) const;
  int32_t TextHeight() const;
  int32_t AverageCharWidth() const;

  // Drawing in physical page coordinates (printer units).
  void DrawTextInRect(std::string_view text, const platform::TRect& rect, uint32_t format);
  // At most kTabbedRunMax characters; tab stops every `tabWidth` from `tabOrigin`.
  void TabbedTextOut(int32_t x, int32_t y, std::string_view text, int32_t tabWidth,
                     int32_t tabOrigin);
  void ExcludeClipRect(const platform::TRect& rect);
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);

 private:
  int32_t CharWidth(unsigned char c) const;
  platform::TPoint ToScreen(int32_t x, int32_t y) const;
  void DrawRun(int32_t x, int32_t y, std::string_view text);
  void ReleaseFonts();

  std::string Name_;
  platform::TPrinterMetrics Metrics_;
  TCanvasMode Mode_ = TCanvasMode::Paginate;
  platform::TCanvas* Target_ = nullptr;  // the printer page or the preview's screen
  TPreviewMapping Mapping_;
  platform::TFont PrinterFont_ = 0;
  platform::TFont DisplayFont_ = 0;
  platform::TLogFont PrinterLog_;
  bool HasFont_ = false;
};
