// The print library's own texts by number.
#pragma once

#include <cstdint>
#include <string_view>

enum TPrintString : uint16_t {
  psStatusCaption = 1,
  psStatusPrinting,
  psStatusPage,
  psStatusOf,
  psStatusCancel,
  psInitialising,
  psGeneratingPage,
  psCancelling,
  psBeginMissing,
  psPageMissing,
  psEndMissing,
  psPreviewCaption,
  psPreviewPrint,
  psPreviewNext,
  psPreviewPrevious,
  psPreviewZoomIn,
  psPreviewZoomOut,
  psPreviewTwoPages,
  psPreviewOnePage,
  psPreviewClose,
  psPreviewPageLabel,
  psPreviewOfTotal,
  psPrintErrorCaption,
};

// Empty for an unknown number.
std::string_view LoadPrintString(TPrintString id);
