// The begin, page and end steps every job runs through (the handlers of the library's hidden
// print form), and the library's internal print error.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "printlib/PageInfo.h"
#include "printlib/PrintJob.h"
#include "printlib/PrintCanvas.h"

struct TPrintSteps {
  std::function<std::unique_ptr<TNEWPageInfo>(const TPrintJob& job)> BeginPrint;
  // False, with the text in `error`, when the page cannot be composed.
  std::function<bool(const TPrintJob& job, TNEWPageInfo& info, TSpecialCanvas& canvas,
                     int32_t page, int32_t total, std::string* error)>
      PrintPage;
  std::function<void(std::unique_ptr<TNEWPageInfo> info)> EndPrint;
};

// The steps of the library's print form: page info with the job's document name, the page
// procedure, and freeing the table.
TPrintSteps ZKPrintFormSteps();

// The print error's text for the first missing step; empty when all are there.
std::string MissingStepError(const TPrintSteps& steps);

// Shows an internal error of the library as a message box over `owner`.
void ReportPrintError(uint32_t owner, const std::string& text);
