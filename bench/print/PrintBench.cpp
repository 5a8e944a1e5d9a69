// Printing big.txt on Qt's offscreen platform to PDF: a run with the total placeholder in the
// header (counting up to 1,024 pages, then pages 1 to 3), the first preview page of a large
// document against a small one, and 1,000 pages with the size of the file.
// ZK_BENCH_FILE names the document; ZK_BENCH_PDF the PDF written.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/qt/QtBackend.h"
#include "platform/qt/QtCanvas.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UiSystem.h"
#include "printlib/PageComposer.h"
#include "printlib/PrintRun.h"

using namespace platform;

namespace {

std::vector<std::string>& Lines() {
  static std::vector<std::string> lines;
  return lines;
}

int32_t LineProc(uint32_t limit, int32_t line, int32_t, const char** text) {
  const auto& lines = Lines();
  if (line < 0 || static_cast<size_t>(line) >= std::min<size_t>(lines.size(), limit)) return 0;
  *text = lines[static_cast<size_t>(line)].empty() ? nullptr : lines[static_cast<size_t>(line)].c_str();
  return 1;
}

std::string PdfFile() {
  const char* file = std::getenv("ZK_BENCH_PDF");
  return file && *file ? file : "/tmp/zk_print_bench.pdf";
}

struct TSetup {
  TSetup() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("ZK_PRINT_PDF", PdfFile().c_str(), 1);
    InitUi(std::make_unique<TQtBackend>());
    const char* file = std::getenv("ZK_BENCH_FILE");
    std::ifstream in(file ? file : "/tmp/zkcorpus/big.txt", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Lines().push_back(std::move(line));
    }
    TLogFont log;
    log.Height = -13;
    log.PitchAndFamily = kFixedPitch;
    log.FaceName = "Courier New";
    Font = CreateFontIndirect(log);
    Callback = RegisterPrintLineCallback(&LineProc);
  }
  TPrintJob Job(const char* header, uint32_t lineLimit) const {
    TPrintJob job{};
    std::strcpy(job.DocumentName, "big.txt");
    std::strcpy(job.Header, header);
    job.MarginLeft = job.MarginTop = job.MarginBottom = 200;
    job.TabSize = 8;
    job.FirstPage = 1;
    job.LastPage = kToTheEnd;
    job.LastLine = kToTheEnd;
    job.Font = Font;
    job.LineCallback = Callback;
    job.CallbackContext = lineLimit;
    job.PageCount = -1;
    job.LineCount = static_cast<int32_t>(std::min<size_t>(Lines().size(), lineLimit));
    return job;
  }
  TFont Font = 0;
  THandle Callback = 0;
};

TSetup& Setup() {
  static TSetup setup;
  return setup;
}

void BM_PrintWithTotalPagesOneToThree(benchmark::State& state) {
  TPrintJob job = Setup().Job("Seite \x01\x01 von \x02\x02", UINT32_MAX);
  job.LastPage = 3;
  for (auto _ : state) {
    auto device = OpenPrinter(TPrinterSetup{});
    if (!device || RunPrint(job, -1, *device, ZKPrintFormSteps()) != prDone) state.SkipWithError("print failed");
  }
}
BENCHMARK(BM_PrintWithTotalPagesOneToThree)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first preview page: composed in preview mode on a screen-sized picture. Argument: the
// lines of the document (a small one, and all of big.txt).
void BM_PreviewFirstPage(benchmark::State& state) {
  TPrintJob job = Setup().Job("\x01\x01", static_cast<uint32_t>(state.range(0)));
  auto device = OpenPrinter(TPrinterSetup{});
  const TPrinterMetrics metrics = device->Metrics();
  device.reset();
  auto* backend = static_cast<TQtBackend*>(UiBackend());
  QImage image(800, 1100, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtPainterCanvas canvas(*backend, painter, TRect{0, 0, 800, 1100});
    std::unique_ptr<TNEWPageInfo> info = ZKPrintFormSteps().BeginPrint(job);
    TSpecialCanvas preview("Preview", metrics);
    TPreviewMapping mapping;
    mapping.ScaleX = 760.0 / metrics.PageWidth;
    mapping.ScaleY = 1075.0 / metrics.PageHeight;
    preview.SetModePreview(&canvas, mapping);
    std::string error;
    if (!ComposePage(job, *info, preview, 1, -1, &error)) state.SkipWithError("compose failed");
    preview.SetModePaginate();
  }
}
BENCHMARK(BM_PreviewFirstPage)->Arg(1000)->Arg(INT32_MAX)->Unit(benchmark::kMillisecond);

void BM_PrintThousandPages(benchmark::State& state) {
  TPrintJob job = Setup().Job("Seite \x01\x01", UINT32_MAX);
  job.LastPage = 1000;
  for (auto _ : state) {
    auto device = OpenPrinter(TPrinterSetup{});
    if (!device || RunPrint(job, -1, *device, ZKPrintFormSteps()) != prDone) state.SkipWithError("print failed");
  }
  std::error_code ec;
  state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(PdfFile(), ec));
}
BENCHMARK(BM_PrintThousandPages)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
