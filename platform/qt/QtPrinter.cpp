// Printing through Qt's print support: metrics of the page, pages drawn with the layer's
// painter canvas, PDF output for every user (also without an installed printer).
#include "platform/qt/QtPrinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdlib>
#include <filesystem>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtCanvas.h"

namespace platform {

namespace {

constexpr int kResolution = 600;
// The unprintable strip of PDF output, as a printer would have it.
constexpr double kPdfMarginMm = 5.0;

std::string PdfFileFor(std::string_view title) {
  if (const char* file = std::getenv(TQtPrinters::kPdfFileVariable); file && *file) return file;
  std::filesystem::path name = std::filesystem::path(std::string(title)).filename();
  if (name.empty()) name = "Druck";
  name.replace_extension(".pdf");
  const char* home = std::getenv("HOME");
  return (std::filesystem::path(home && *home ? home : ".") / name).string();
}

class TQtPrintDevice final : public TPrintDevice {
 public:
  TQtPrintDevice(TQtBackend& backend, std::unique_ptr<QPrinter> printer, std::string pdfFile)
      : Backend_(backend), Printer_(std::move(printer)), PdfFile_(std::move(pdfFile)) {
    const int res = Printer_->resolution();
    const QPageLayout layout = Printer_->pageLayout();
    const QRect full = layout.fullRectPixels(res);
    const QRect paint = layout.paintRectPixels(res);
    Metrics_.PageWidth = full.width();
    Metrics_.PageHeight = full.height();
    Metrics_.DpiX = res;
    Metrics_.DpiY = res;
    Metrics_.OffsetX = paint.left();
    Metrics_.OffsetY = paint.top();
    Metrics_.PrintableWidth = paint.width();
    Metrics_.PrintableHeight = paint.height();
  }
  ~TQtPrintDevice() override {
    Canvas_.reset();
    if (Painter_.isActive()) Painter_.end();
  }

  const TPrinterMetrics& Metrics() const override { return Metrics_; }
  bool StartDoc(std::string_view title) override {
    if (Painter_.isActive()) return false;
    Printer_->setDocName(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    if (Printer_->outputFormat() == QPrinter::PdfFormat) {
      Printer_->setOutputFileName(QString::fromStdString(PdfFile_.empty() ? PdfFileFor(title) : PdfFile_));
    }
    FirstPage_ = true;
    return Painter_.begin(Printer_.get());
  }
  bool StartPage() override {
    if (!Painter_.isActive() || Canvas_) return false;
    if (!FirstPage_ && !Printer_->newPage()) return false;
    FirstPage_ = false;
    Canvas_ = std::make_unique<TQtPainterCanvas>(
        Backend_, Painter_, TRect{0, 0, Metrics_.PrintableWidth, Metrics_.PrintableHeight});
    return true;
  }
  TCanvas* PageCanvas() override { return Canvas_.get(); }
  bool EndPage() override {
    if (!Canvas_) return false;
    Canvas_.reset();
    Painter_.setClipping(false);
    return true;
  }
  bool EndDoc() override {
    Canvas_.reset();
    return Painter_.isActive() && Painter_.end();
  }
  void AbortDoc() override {
    Canvas_.reset();
    Printer_->abort();
    if (Painter_.isActive()) Painter_.end();
  }

 private:
  TQtBackend& Backend_;
  std::unique_ptr<QPrinter> Printer_;
  std::string PdfFile_;
  QPainter Painter_;
  std::unique_ptr<TQtPainterCanvas> Canvas_;
  TPrinterMetrics Metrics_;
  bool FirstPage_ = true;
};

bool IsPdf(const std::string& name) { return name == kPdfPrinterName; }

void Configure(QPrinter& printer, const TPrinterSetup& setup) {
  if (IsPdf(setup.Name)) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                           QPageLayout::Millimeter);
    if (!setup.OutputFile.empty()) printer.setOutputFileName(QString::fromStdString(setup.OutputFile));
  } else {
    printer.setPrinterName(QString::fromStdString(setup.Name));
  }
  printer.setPageOrientation(setup.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setCopyCount(std::max(setup.Copies, 1));
}

}  // namespace

std::vector<std::string> TQtPrinters::PrinterNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  names.emplace_back(kPdfPrinterName);
  return names;
}

std::string TQtPrinters::DefaultPrinter() {
  if (const char* file = std::getenv(kPdfFileVariable); file && *file) return std::string(kPdfPrinterName);
  QString name = QPrinterInfo::defaultPrinterName();
  if (name.isEmpty()) {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.isEmpty()) name = names.front();
  }
  // A user without a printer still prints: to a PDF file.
  return name.isEmpty() ? std::string(kPdfPrinterName) : name.toStdString();
}

std::unique_ptr<TPrintDevice> TQtPrinters::Open(const TPrinterSetup& setup) {
  if (!IsPdf(setup.Name) && !QPrinterInfo::availablePrinterNames().contains(QString::fromStdString(setup.Name))) {
    return nullptr;
  }
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setResolution(kResolution);
  Configure(*printer, setup);
  if (!printer->isValid()) return nullptr;
  return std::make_unique<TQtPrintDevice>(Backend_, std::move(printer), setup.OutputFile);
}

int32_t TQtPrinters::RunPrintDialog(TPrintDialog& d) {
  QPrinter printer(QPrinter::HighResolution);
  TPrinterSetup setup = d.Setup;
  if (setup.Name.empty()) setup.Name = DefaultPrinter();
  Configure(printer, setup);
  QPrintDialog dialog(&printer, Backend_.WidgetOf(d.Owner));
  QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintPageRange |
                                                      QAbstractPrintDialog::PrintToFile;
  if (d.SelectionAllowed) options |= QAbstractPrintDialog::PrintSelection;
  dialog.setOptions(options);
  dialog.setMinMax(d.MinPage, d.MaxPage);
  dialog.setFromTo(d.FromPage, d.ToPage);
  switch (d.Range) {
    case TPrintDialog::TRange::Pages:
      dialog.setPrintRange(QAbstractPrintDialog::PageRange);
      break;
    case TPrintDialog::TRange::Selection:
      dialog.setPrintRange(QAbstractPrintDialog::Selection);
      break;
    default:
      dialog.setPrintRange(QAbstractPrintDialog::AllPages);
      break;
  }
  if (dialog.exec() != QDialog::Accepted) return 0;
  switch (dialog.printRange()) {
    case QAbstractPrintDialog::PageRange:
      d.Range = TPrintDialog::TRange::Pages;
      d.FromPage = std::max(printer.fromPage(), d.MinPage);
      d.ToPage = printer.toPage() > 0 ? printer.toPage() : d.MaxPage;
      break;
    case QAbstractPrintDialog::Selection:
      d.Range = TPrintDialog::TRange::Selection;
      break;
    default:
      d.Range = TPrintDialog::TRange::All;
      break;
  }
  TPrinterSetup chosen;
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    chosen.Name = std::string(kPdfPrinterName);
    chosen.OutputFile = printer.outputFileName().toStdString();
  } else {
    chosen.Name = printer.printerName().toStdString();
  }
  chosen.Landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  chosen.Copies = printer.copyCount();
  d.Setup = chosen;
  return 1;
}

TPrinterSystem* TQtBackend::Printers() {
  if (!Printers_) Printers_ = std::make_unique<TQtPrinters>(*this);
  return Printers_.get();
}

}  // namespace platform
