// The print form's steps and the library's error box.
#include "printlib/PrintSteps.h"

#include <cstring>

#include "platform/ui/MessageBox.h"
#include "printlib/PageComposer.h"
#include "printlib/PrintStrings.h"

TPrintSteps ZKPrintFormSteps() {
  TPrintSteps steps;
  steps.BeginPrint = [](const TPrintJob& job) {
    return std::make_unique<TNEWPageInfo>(
        std::string(job.DocumentName, strnlen(job.DocumentName, sizeof(job.DocumentName))));
  };
  steps.PrintPage = [](const TPrintJob& job, TNEWPageInfo& info, TSpecialCanvas& canvas,
                       int32_t page, int32_t total, std::string* error) {
    return ComposePage(job, info, canvas, page, total, error);
  };
  steps.EndPrint = [](std::unique_ptr<TNEWPageInfo> info) { info.reset(); };
  return steps;
}

std::string MissingStepError(const TPrintSteps& steps) {
  if (!steps.BeginPrint) return std::string(LoadPrintString(psBeginMissing));
  if (!steps.PrintPage) return std::string(LoadPrintString(psPageMissing));
  if (!steps.EndPrint) return std::string(LoadPrintString(psEndMissing));
  return {};
}

void ReportPrintError(uint32_t owner, const std::string& text) {
  platform::MessageBox(owner, text, LoadPrintString(psPrintErrorCaption),
                       platform::MB_OK | platform::MB_ICONSTOP);
}
