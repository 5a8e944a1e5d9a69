// Printers of the window layer: the system's printers and PDF output, the print dialog, the
// blocks that carry a printer choice through handles, and a device for one print job.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Canvas.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// The printer that writes a PDF file; it is there on every system with a display.
inline constexpr std::string_view kPdfPrinterName = "PDF-Datei";

// Geometry of a printer's page in its device units.
struct TPrinterMetrics {
  int32_t PageWidth = 0;   // physical page
  int32_t PageHeight = 0;
  int32_t DpiX = 0;
  int32_t DpiY = 0;
  int32_t OffsetX = 0;  // unprintable strip at the left and at the top
  int32_t OffsetY = 0;
  int32_t PrintableWidth = 0;
  int32_t PrintableHeight = 0;
};

// Which printer a job goes to, as the print dialog leaves it.
struct TPrinterSetup {
  std::string Name;        // empty: the default printer
  std::string OutputFile;  // of the PDF printer; empty: named after the job's title
  bool Landscape = false;
  int32_t Copies = 1;
};

// One print job on one printer. Pages are drawn on PageCanvas between StartPage and EndPage;
// its coordinates are device units with the origin at the printable corner.
class TPrintDevice {
 public:
  virtual ~TPrintDevice() = default;
  virtual const TPrinterMetrics& Metrics() const = 0;
  [[nodiscard]] virtual bool StartDoc(std::string_view title) = 0;
  [[nodiscard]] virtual bool StartPage() = 0;
  virtual TCanvas* PageCanvas() = 0;
  [[nodiscard]] virtual bool EndPage() = 0;
  [[nodiscard]] virtual bool EndDoc() = 0;
  // Drops the job; pages already sent are the printer's business.
  virtual void AbortDoc() = 0;
};

struct TPrintDialog {
  enum class TRange : uint8_t { All, Pages, Selection };
  TWindow Owner = 0;
  TPrinterSetup Setup;  // in and out
  int32_t MinPage = 1;
  int32_t MaxPage = 65535;
  int32_t FromPage = 1;  // in and out
  int32_t ToPage = 65535;
  TRange Range = TRange::All;  // in and out
  bool SelectionAllowed = false;
};

class TPrinterSystem {
 public:
  virtual ~TPrinterSystem() = default;
  virtual std::vector<std::string> PrinterNames() = 0;
  // Empty when the system has no printer at all.
  virtual std::string DefaultPrinter() = 0;
  // Null when the printer cannot be used.
  virtual std::unique_ptr<TPrintDevice> Open(const TPrinterSetup& setup) = 0;
  // 1 confirmed, 0 cancelled, -1 no dialog of its own (a scripted answer is taken).
  virtual int32_t RunPrintDialog(TPrintDialog& /*dialog*/) { return -1; }
};

// The back end's printers, else the headless ones (HeadlessPrinter.h).
TPrinterSystem& Printers();
// The setup's printer (the default one for an empty name); null when there is none.
std::unique_ptr<TPrintDevice> OpenPrinter(const TPrinterSetup& setup);
// False when cancelled or when there is no printer.
bool PrintDlg(TPrintDialog& dialog);
// The next print dialog without a native one is answered by the function (DialogScript.h).
void QueuePrintAnswer(std::function<bool(TPrintDialog&)> answer);

// The printer choice in two memory blocks (GlobalMemory.h), the settings and the names, as
// they travel through handles; 0 on failure. The caller frees them.
THandle StorePrinterSettings(const TPrinterSetup& setup);
THandle StorePrinterNames(const TPrinterSetup& setup);
// False when either block is 0 or unreadable; `out` is left as it was then.
bool ReadPrinterSetup(THandle settings, THandle names, TPrinterSetup& out);

}  // namespace platform
