// The entry table of "ZKPrint.DLL": entry 1 prints a job, entry 2 previews it. Nothing thrown
// below leaves them.
#include <exception>
#include <memory>

#include "platform/ui/Printer.h"
#include "printlib/PreviewForm.h"
#include "printlib/PrintJob.h"
#include "printlib/PrintRun.h"

using namespace platform;

namespace {

// The printer of the last job; at first the system's default printer.
TPrinterSetup& CurrentPrinter() {
  static TPrinterSetup setup;
  return setup;
}

// The job's printer when it names one, else the current printer; null when the system has
// no printer at all.
std::unique_ptr<TPrintDevice> SelectPrinter(const TPrintJob& job) {
  TPrinterSetup chosen;
  if (job.PrinterSettings != 0 && job.PrinterNames != 0 &&
      ReadPrinterSetup(job.PrinterSettings, job.PrinterNames, chosen)) {
    CurrentPrinter() = chosen;
  }
  std::unique_ptr<TPrintDevice> device = OpenPrinter(CurrentPrinter());
  // A printer that has gone since it was chosen gives way to the default one.
  if (!device && !CurrentPrinter().Name.empty()) device = OpenPrinter(TPrinterSetup{});
  return device;
}

int32_t zkp_Print(TPrintJob* job) {
  if (job == nullptr) return -1;
  try {
    job->Preview = 0;
    std::unique_ptr<TPrintDevice> device = SelectPrinter(*job);
    if (!device) return -1;
    const int32_t result = RunPrint(*job, job->PageCount, *device, ZKPrintFormSteps());
    return result == prDone || result == prCancelled ? 0 : -2;
  } catch (const std::exception&) {
    return -2;
  }
}

int32_t zkp_PrintPreview(TPrintJob* job) {
  if (job == nullptr) return -1;
  try {
    job->Preview = 1;
    std::unique_ptr<TPrintDevice> device = SelectPrinter(*job);
    if (!device) return -1;
    const TPrinterMetrics metrics = device->Metrics();
    device.reset();
    RunPreview(*job, metrics);
    return 0;
  } catch (const std::exception&) {
    return -2;
  }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const TPrintEntryTable ZKPrintEntries{
    2, {nullptr, &zkp_Print, &zkp_PrintPreview}};
