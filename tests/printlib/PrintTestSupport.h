// A document behind the line callback and a job on the headless test printer, shared by the
// print library's tests.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Fonts.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/HeadlessPrinter.h"
#include "platform/ui/UiSystem.h"
#include "printlib/PrintJob.h"

namespace printtest {

// The document the callback reads; the callback context is ignored.
inline std::vector<std::string>& Document() {
  static std::vector<std::string> lines;
  return lines;
}
inline int32_t& CallbackCalls() {
  static int32_t calls = 0;
  return calls;
}

inline int32_t LineProc(uint32_t, int32_t line, int32_t, const char** text) {
  ++CallbackCalls();
  const auto& doc = Document();
  if (line < 0 || static_cast<size_t>(line) >= doc.size()) return 0;
  *text = doc[static_cast<size_t>(line)].empty() ? nullptr : doc[static_cast<size_t>(line)].c_str();
  return 1;
}

// Page 1000 x 1500 units at 96 dots per inch, 20 units unprintable on every side: a font of
// height -20 prints 20 units high and 10 wide.
inline platform::TPrinterMetrics TestMetrics() {
  platform::TPrinterMetrics m;
  m.PageWidth = 1000;
  m.PageHeight = 1500;
  m.DpiX = 96;
  m.DpiY = 96;
  m.OffsetX = 20;
  m.OffsetY = 20;
  m.PrintableWidth = 960;
  m.PrintableHeight = 1460;
  return m;
}

// Margins of 265 hundredths of a centimetre are 100 units at 96 dots per inch: the text area
// is (100, 100)-(900, 1400), 65 lines of 80 characters; header at y 50, footer at y 1430.
constexpr int32_t kMargin = 265;
constexpr int32_t kLinesPerPage = 65;

class TPrintFixture {
 public:
  TPrintFixture() {
    platform::InitUi(std::make_unique<platform::THeadlessBackend>());
    auto& printers = platform::HeadlessPrinters();
    printers.Installed = true;
    printers.Metrics = TestMetrics();
    printers.Documents.clear();
    Document().clear();
    CallbackCalls() = 0;
    platform::TLogFont log;
    log.Height = -20;
    log.PitchAndFamily = platform::kFixedPitch;
    log.FaceName = "Courier New";
    Font = platform::CreateFontIndirect(log);
    Callback = RegisterPrintLineCallback(&LineProc);
    Job = TPrintJob{};
    std::strcpy(Job.DocumentName, "test.txt");
    Job.MarginLeft = Job.MarginTop = Job.MarginRight = Job.MarginBottom = kMargin;
    Job.TabSize = 4;
    Job.FirstPage = 1;
    Job.LastPage = kToTheEnd;
    Job.FirstLine = 0;
    Job.LastLine = kToTheEnd;
    Job.Font = Font;
    Job.LineCallback = Callback;
    Job.PageCount = -1;
  }
  ~TPrintFixture() {
    platform::RemoveHandle(Callback);
    platform::ShutdownUi();
  }
  platform::THeadlessBackend& Backend() {
    return *static_cast<platform::THeadlessBackend*>(platform::UiBackend());
  }
  static void Lines(int32_t count, const std::string& prefix = "line ") {
    Document().clear();
    for (int32_t i = 1; i <= count; ++i) Document().push_back(prefix + std::to_string(i));
  }

  TPrintJob Job{};
  platform::TFont Font = 0;
  platform::THandle Callback = 0;
};

}  // namespace printtest
