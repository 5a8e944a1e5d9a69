// The print run: the pagination pass up to the first wanted page (or over the whole range
// when the total is needed), then the wanted pages on the printer, with the status window.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui/Printer.h"
#include "printlib/PrintJob.h"
#include "printlib/PrintSteps.h"

// Pages the pagination pass counts at most while the total is not known.
inline constexpr int32_t kPaginationLimit = 1024;

enum TPrintRunStatus : int32_t {
  prDone = 0,
  prCancelled = 1,
  prPrinterFailed = -2,  // the printer refused the document or a page
  prStepMissing = -3,    // an internal step is not there (reported already)
  prPageFailed = -4,     // a page could not be composed (reported already)
};

struct TPrintRunHooks {
  // Before each page of the printing pass, after the status window took its messages.
  std::function<void(int32_t page, class TPrintStatus& status)> BeforePage;
};

// Prints the job's pages on `device`; `total` is the page count if known, else negative.
[[nodiscard]] int32_t RunPrint(const TPrintJob& job, int32_t total, platform::TPrintDevice& device,
                               const TPrintSteps& steps, const TPrintRunHooks& hooks = {});
