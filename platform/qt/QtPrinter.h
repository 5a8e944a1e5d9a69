// The printers of the Qt back end: the system's printers (CUPS) and PDF output, the print
// dialog, and a print device drawing through QPainter on a QPrinter.
#pragma once

#include <memory>

#include "platform/ui/Printer.h"

namespace platform {

class TQtBackend;

class TQtPrinters final : public TPrinterSystem {
 public:
  explicit TQtPrinters(TQtBackend& backend) : Backend_(backend) {}
  // The environment variable that makes PDF output to this file the default printer (tests,
  // scripts).
  static constexpr const char* kPdfFileVariable = "ZK_PRINT_PDF";

  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinter() override;
  std::unique_ptr<TPrintDevice> Open(const TPrinterSetup& setup) override;
  int32_t RunPrintDialog(TPrintDialog& dialog) override;

 private:
  TQtBackend& Backend_;
};

}  // namespace platform
