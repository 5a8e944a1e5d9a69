// The page procedure: composes one page of a job on a canvas of any of the three passes,
// and the geometry it lays a page out by.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/LogFont.h"
#include "platform/ui/UiTypes.h"
#include "printlib/PageInfo.h"
#include "printlib/PrintJob.h"
#include "printlib/PrintCanvas.h"

// A margin in hundredths of a centimetre as device units at `dpi`, truncated.
int32_t MarginToDevice(int32_t margin, int32_t dpi);

// The font a job prints with, in printer units; its height stays negative when the job's font
// gives a character height. A job without a usable font handle gets a fixed-pitch default.
platform::TLogFont JobPrinterFont(const TPrintJob& job, const platform::TPrinterMetrics& metrics);

struct TPageGeometry {
  platform::TRect Text;     // the text area in physical page coordinates
  int32_t HeaderY = -1;     // -1: no header line
  int32_t FooterY = -1;     // -1: no footer line
  int32_t LineHeight = 0;
  int32_t RightMargin = 0;  // device units
  int32_t BottomLine = 0;   // page height - bottom margin
};
TPageGeometry ComputePageGeometry(const TPrintJob& job, const TSpecialCanvas& canvas);

// Composes page `page` (1-based; the page info must hold its start) and stores where the next
// page starts. `total` is the page count for the total placeholder, negative while unknown.
// False, with the text in `error`, when the job's font cannot be used.
[[nodiscard]] bool ComposePage(const TPrintJob& job, TNEWPageInfo& info, TSpecialCanvas& canvas,
                               int32_t page, int32_t total, std::string* error);

// How many bytes of `text` stay on a row `width` wide when a line is broken: the last tab,
// space or hyphen at or before the next-to-last byte ends the row (and stays on it); without
// one the row loses bytes from its end until it fits; at least one byte stays.
size_t BreakRowLength(const TSpecialCanvas& canvas, std::string_view text, int32_t tabWidth,
                      int32_t width);
