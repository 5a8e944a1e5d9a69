// Composes every page of arbitrary document lines (form feeds, tabs, long lines without
// blanks, page placeholders in the header) on the headless printer with settings from the
// first bytes, and checks that the run ends and the page table only moves forward.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/HeadlessPrinter.h"
#include "platform/ui/UiSystem.h"
#include "printlib/PageComposer.h"

namespace {

std::vector<std::string> gLines;

int32_t LineProc(uint32_t, int32_t line, int32_t, const char** text) {
  if (line < 0 || static_cast<size_t>(line) >= gLines.size()) return 0;
  *text = gLines[static_cast<size_t>(line)].empty() ? nullptr : gLines[static_cast<size_t>(line)].c_str();
  return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  static bool initialised = false;
  if (!initialised) {
    platform::InitUi(std::make_unique<platform::THeadlessBackend>());
    initialised = true;
  }
  // Bytes 0-5: margins, tab size, flags, font height, first line.
  TPrintJob job{};
  job.MarginLeft = data[0] * 20;
  job.MarginRight = data[1] * 20;
  job.MarginTop = (data[2] & 0x7F) * 20;
  job.MarginBottom = (data[2] >> 4) * 100;
  job.TabSize = data[3] & 0x1F;
  job.BreakLines = data[3] & 0x20 ? 1 : 0;
  job.LineNumbers = data[3] & 0x40 ? 1 : 0;
  job.FirstPage = 1;
  job.LastPage = kToTheEnd;
  job.FirstLine = data[5] & 0x07;
  job.LastLine = kToTheEnd;
  platform::TLogFont log;
  log.Height = -(4 + data[4]);
  log.PitchAndFamily = data[4] & 1 ? platform::kFixedPitch : 0;
  job.Font = platform::CreateFontIndirect(log);
  const platform::THandle callback = RegisterPrintLineCallback(&LineProc);
  job.LineCallback = callback;
  // The rest: the header up to the first newline, then the lines.
  std::string rest(reinterpret_cast<const char*>(data) + 6, size - 6);
  size_t eol = rest.find('\n');
  std::string header = rest.substr(0, std::min(eol, kHeaderMax));
  header.resize(strnlen(header.c_str(), header.size()));
  std::memcpy(job.Header, header.data(), header.size());
  std::memcpy(job.Footer, header.data(), header.size());
  gLines.clear();
  if (eol != std::string::npos) {
    size_t start = eol + 1;
    while (start <= rest.size()) {
      size_t next = rest.find('\n', start);
      std::string line = rest.substr(start, next == std::string::npos ? std::string::npos : next - start);
      line.resize(strnlen(line.c_str(), line.size()));
      gLines.push_back(line);
      if (next == std::string::npos) break;
      start = next + 1;
    }
  }
  TSpecialCanvas counter("Pagination", platform::THeadlessPrinters::A4Metrics());
  counter.SetModePaginate();
  TNEWPageInfo info("fuzz");
  int32_t page = 0;
  int32_t previous = 0;
  while (!info.Done) {
    ++page;
    std::string error;
    if (!ComposePage(job, info, counter, page, -1, &error)) abort();
    const int32_t next = info.StartOf(page + 1);
    // Every page but the last takes at least one line.
    if (!info.Done && next <= previous) abort();
    previous = next;
    if (page > static_cast<int32_t>(gLines.size()) + 2) abort();
  }
  platform::RemoveHandle(callback);
  platform::DeleteFont(job.Font);
  return 0;
}
