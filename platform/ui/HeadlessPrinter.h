// The printers of the headless back end: one printer of fixed, known metrics (or none), whose
// pages are kept in memory as texts at positions for tests to inspect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/Printer.h"

namespace platform {

// One text drawn on a printed page, in physical page coordinates (device units).
struct TPrintedText {
  int32_t X = 0;
  int32_t Y = 0;
  std::string Text;
};

struct TPrintedDocument {
  std::string Title;
  std::vector<std::vector<TPrintedText>> Pages;
  bool Ended = false;
  bool Aborted = false;
};

class THeadlessPrinters final : public TPrinterSystem {
 public:
  static constexpr std::string_view kPrinterName = "Testdrucker";
  // An A4 page at 254 dots per inch (one unit a tenth of a millimetre) with a strip of
  // 50 units unprintable on every side.
  static TPrinterMetrics A4Metrics();

  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinter() override;
  std::unique_ptr<TPrintDevice> Open(const TPrinterSetup& setup) override;

  bool Installed = true;
  TPrinterMetrics Metrics = A4Metrics();
  // Jobs printed so far, in order.
  std::vector<TPrintedDocument> Documents;
  TPrinterSetup LastSetup;
};

// The headless printers the layer uses while the back end has none of its own.
THeadlessPrinters& HeadlessPrinters();

}  // namespace platform
