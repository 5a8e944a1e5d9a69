// The headless printer: pages kept as texts at physical page positions.
#include "platform/ui/HeadlessPrinter.h"

namespace platform {

namespace {

// Records every text of a page; the canvas origin is the printable corner, so the
// unprintable strip is added back to give physical page positions.
class TRecordingCanvas final : public TCanvas {
 public:
  TRecordingCanvas(const TPrinterMetrics& metrics, std::vector<TPrintedText>& page)
      : TCanvas(TRect{0, 0, metrics.PrintableWidth, metrics.PrintableHeight}),
        Metrics_(metrics),
        Page_(page) {}

 protected:
  void DoText(int32_t x, int32_t y, std::string_view text, const TFontInfo&, TColorRef, bool,
              TColorRef) override {
    Page_.push_back(TPrintedText{x + Metrics_.OffsetX, y + Metrics_.OffsetY, std::string(text)});
  }
  void DoFill(const TRect&, TColorRef) override {}
  void DoLine(TPoint, TPoint, TColorRef, int32_t) override {}
  void DoInvert(const TRect&) override {}
  void DoBitmap(int32_t, int32_t, const TSmallBitmap&) override {}

 private:
  TPrinterMetrics Metrics_;
  std::vector<TPrintedText>& Page_;
};

class THeadlessDevice final : public TPrintDevice {
 public:
  THeadlessDevice(THeadlessPrinters& owner, const TPrinterMetrics& metrics)
      : Owner_(owner), Metrics_(metrics) {}
  ~THeadlessDevice() override { Canvas_.reset(); }

  const TPrinterMetrics& Metrics() const override { return Metrics_; }
  bool StartDoc(std::string_view title) override {
    if (Index_ >= 0) return false;
    Owner_.Documents.push_back(TPrintedDocument{std::string(title), {}, false, false});
    Index_ = static_cast<int32_t>(Owner_.Documents.size()) - 1;
    return true;
  }
  bool StartPage() override {
    if (Index_ < 0 || Canvas_) return false;
    auto& pages = Owner_.Documents[static_cast<size_t>(Index_)].Pages;
    pages.emplace_back();
    Canvas_ = std::make_unique<TRecordingCanvas>(Metrics_, pages.back());
    return true;
  }
  TCanvas* PageCanvas() override { return Canvas_.get(); }
  bool EndPage() override {
    if (!Canvas_) return false;
    Canvas_.reset();
    return true;
  }
  bool EndDoc() override {
    if (Index_ < 0) return false;
    Canvas_.reset();
    Owner_.Documents[static_cast<size_t>(Index_)].Ended = true;
    return true;
  }
  void AbortDoc() override {
    Canvas_.reset();
    if (Index_ >= 0) Owner_.Documents[static_cast<size_t>(Index_)].Aborted = true;
  }

 private:
  THeadlessPrinters& Owner_;
  TPrinterMetrics Metrics_;
  int32_t Index_ = -1;
  std::unique_ptr<TRecordingCanvas> Canvas_;
};

}  // namespace

TPrinterMetrics THeadlessPrinters::A4Metrics() {
  TPrinterMetrics m;
  m.PageWidth = 2100;
  m.PageHeight = 2970;
  m.DpiX = 254;
  m.DpiY = 254;
  m.OffsetX = 50;
  m.OffsetY = 50;
  m.PrintableWidth = 2000;
  m.PrintableHeight = 2870;
  return m;
}

std::vector<std::string> THeadlessPrinters::PrinterNames() {
  if (!Installed) return {};
  return {std::string(kPrinterName)};
}

std::string THeadlessPrinters::DefaultPrinter() {
  return Installed ? std::string(kPrinterName) : std::string();
}

std::unique_ptr<TPrintDevice> THeadlessPrinters::Open(const TPrinterSetup& setup) {
  if (!Installed || setup.Name != kPrinterName) return nullptr;
  LastSetup = setup;
  return std::make_unique<THeadlessDevice>(*this, Metrics);
}

THeadlessPrinters& HeadlessPrinters() {
  static THeadlessPrinters printers;
  return printers;
}

}  // namespace platform
