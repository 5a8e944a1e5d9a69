// The print run over the begin, page and end steps.
#include "printlib/PrintRun.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "printlib/PrintStatus.h"
#include "printlib/PrintStrings.h"

using namespace platform;

namespace {

bool TotalNeeded(const TPrintJob& job) {
  return UsesTotalPlaceholder(std::string_view(job.Header, strnlen(job.Header, sizeof(job.Header)))) ||
         UsesTotalPlaceholder(std::string_view(job.Footer, strnlen(job.Footer, sizeof(job.Footer))));
}

}  // namespace

int32_t RunPrint(const TPrintJob& job, int32_t total, TPrintDevice& device,
                 const TPrintSteps& steps, const TPrintRunHooks& hooks) {
  if (std::string missing = MissingStepError(steps); !missing.empty()) {
    ReportPrintError(job.OwnerWindow, missing);
    return prStepMissing;
  }
  TPrintStatus status(job.OwnerWindow);
  std::unique_ptr<TNEWPageInfo> info = steps.BeginPrint(job);
  const std::string title = info->Title;
  if (!device.StartDoc(title)) {
    steps.EndPrint(std::move(info));
    return prPrinterFailed;
  }

  const int32_t firstPage = std::max(job.FirstPage, 1);
  const bool totalNeeded = TotalNeeded(job) && total < 0;
  int32_t n = firstPage - 1;
  if (totalNeeded) n = std::max(n, kPaginationLimit);
  std::string error;
  int32_t result = prDone;
  int32_t lastComposed = 0;
  if (n > 0) {
    status.SetTitle(std::string(LoadPrintString(psGeneratingPage)) + " ...");
    TSpecialCanvas counter("Pagination", device.Metrics());
    counter.SetModePaginate();
    for (int32_t page = 1; page <= n; ++page) {
      status.SetPage(page);
      status.Pump();
      if (!steps.PrintPage(job, *info, counter, page, total, &error)) {
        result = prPageFailed;
        break;
      }
      lastComposed = page;
      if (info->Done) break;
    }
  }
  // Counting the whole range leaves the total; printing then starts at the first wanted page
  // again, whose start the table holds now.
  if (result == prDone && totalNeeded) {
    total = lastComposed;
    info->Done = false;
  }
  // A range that starts behind the document's last page prints nothing.
  const bool beyondEnd = result == prDone && info->Done && lastComposed < firstPage;
  if (result == prDone && beyondEnd) {
    device.AbortDoc();
  } else if (result == prDone) {
    status.SetTitle(title);
    status.SetTotal(totalNeeded || TotalNeeded(job) ? total : -1);
    TSpecialCanvas printer("Print", device.Metrics());
    info->Done = false;
    for (int32_t page = firstPage;; ++page) {
      status.SetPage(page);
      status.Pump();
      if (hooks.BeforePage) hooks.BeforePage(page, status);
      if (status.Cancelled()) {
        device.AbortDoc();
        result = prCancelled;
        break;
      }
      if (!device.StartPage()) {
        device.AbortDoc();
        result = prPrinterFailed;
        break;
      }
      TCanvas* canvas = device.PageCanvas();
      canvas->SetViewportOrg(TPoint{-device.Metrics().OffsetX, -device.Metrics().OffsetY});
      printer.SetModePrint(canvas);
      if (!steps.PrintPage(job, *info, printer, page, total, &error)) {
        printer.SetModePaginate();
        device.AbortDoc();
        result = prPageFailed;
        break;
      }
      printer.SetModePaginate();
      if (!device.EndPage()) {
        device.AbortDoc();
        result = prPrinterFailed;
        break;
      }
      if (info->Done || page >= job.LastPage) {
        if (!device.EndDoc()) result = prPrinterFailed;
        break;
      }
    }
  }
  if (result == prPageFailed) ReportPrintError(job.OwnerWindow, error);
  steps.EndPrint(std::move(info));
  return result;
}
