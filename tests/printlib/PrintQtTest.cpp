// Printing on Qt's offscreen platform: a job printed to a PDF file (page count and the text
// of page 1 read back with the PDF tools), and the preview window at two zoom levels saved
// as pictures in the build folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/qt/QtBackend.h"
#include "platform/ui/MessageLoop.h"
#include "printlib/PageComposer.h"
#include "printlib/PreviewForm.h"
#include "printlib/PrintRun.h"
#include "tests/printlib/PrintTestSupport.h"

using namespace platform;
using namespace printtest;

namespace {

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

class PrintQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Pdf = (std::filesystem::path(ZK_SCREENSHOT_DIR) / "print_qt_test.pdf").string();
    std::filesystem::remove(Pdf);
    setenv("ZK_PRINT_PDF", Pdf.c_str(), 1);
    InitUi(std::make_unique<TQtBackend>());
    TLogFont log;
    log.Height = -16;
    log.PitchAndFamily = kFixedPitch;
    log.FaceName = "Courier New";
    Font = CreateFontIndirect(log);
    Callback = RegisterPrintLineCallback(&LineProc);
    Document().clear();
    for (int32_t i = 1; i <= 150; ++i) Document().push_back("Zeile " + std::to_string(i) + "\tmit Tab");
    Job = TPrintJob{};
    std::strcpy(Job.DocumentName, "beispiel.txt");
    std::strcpy(Job.Header, "Seite \x01\x01 von \x02\x02");
    Job.MarginLeft = Job.MarginTop = Job.MarginBottom = 200;
    Job.TabSize = 8;
    Job.FirstPage = 1;
    Job.LastPage = kToTheEnd;
    Job.LastLine = kToTheEnd;
    Job.Font = Font;
    Job.LineCallback = Callback;
    Job.PageCount = -1;
    Job.LineCount = 150;
  }
  void TearDown() override {
    RemoveHandle(Callback);
    ShutdownUi();
    unsetenv("ZK_PRINT_PDF");
  }

  std::string Pdf;
  TFont Font = 0;
  THandle Callback = 0;
  TPrintJob Job{};
};

TEST_F(PrintQtTest, JobPrintedToPdfHasItsPagesAndText) {
  EXPECT_EQ(Printers().DefaultPrinter(), std::string(kPdfPrinterName));
  auto device = OpenPrinter(TPrinterSetup{});
  ASSERT_TRUE(device);
  const TPrinterMetrics metrics = device->Metrics();
  EXPECT_GT(metrics.DpiY, 0);
  EXPECT_GT(metrics.OffsetX, 0);
  // The pages a counting pass finds on the same printer.
  TNEWPageInfo info("count");
  TSpecialCanvas counter("Pagination", metrics);
  counter.SetModePaginate();
  int32_t pages = 0;
  while (!info.Done && pages < 100) {
    std::string error;
    ASSERT_TRUE(ComposePage(Job, info, counter, ++pages, -1, &error)) << error;
  }
  ASSERT_GE(pages, 2);
  ASSERT_EQ(RunPrint(Job, -1, *device, ZKPrintFormSteps()), prDone);
  device.reset();
  ASSERT_TRUE(std::filesystem::exists(Pdf));
  const std::string pdfInfo = RunCommand("pdfinfo '" + Pdf + "' 2>&1");
  const size_t at = pdfInfo.find("Pages:");
  ASSERT_NE(at, std::string::npos) << pdfInfo;
  EXPECT_EQ(std::atoi(pdfInfo.c_str() + at + 6), pages) << pdfInfo;
  EXPECT_NE(pdfInfo.find("beispiel.txt"), std::string::npos) << pdfInfo;
  const std::string page1 = RunCommand("pdftotext -layout -f 1 -l 1 '" + Pdf + "' - 2>&1");
  EXPECT_NE(page1.find("Seite 1 von " + std::to_string(pages)), std::string::npos) << page1;
  EXPECT_NE(page1.find("Zeile 1 "), std::string::npos) << page1;
  EXPECT_NE(page1.find("mit Tab"), std::string::npos) << page1;
  EXPECT_EQ(page1.find("Zeile 150"), std::string::npos);
}

TEST_F(PrintQtTest, PreviewScreenshotsAtTwoZoomLevels) {
  auto device = OpenPrinter(TPrinterSetup{});
  ASSERT_TRUE(device);
  const TPrinterMetrics metrics = device->Metrics();
  device.reset();
  auto* backend = static_cast<TQtBackend*>(UiBackend());
  const std::string first = std::string(ZK_SCREENSHOT_DIR) + "/print_preview_zoom1.png";
  const std::string second = std::string(ZK_SCREENSHOT_DIR) + "/print_preview_zoom2.png";
  bool shot = false;
  QImage normal;
  QImage zoomed;
  // Driven from timers of the preview's own modal loop.
  QTimer::singleShot(300, [&] {
    TPreviewForm* form = TPreviewForm::Current();
    if (!form) return;
    QWidget* widget = backend->WidgetOf(form->Window());
    if (widget) {
      normal = widget->grab().toImage();
      normal.save(QString::fromStdString(first));
    }
    form->ZoomIn();
    form->ZoomIn();
    QTimer::singleShot(300, [&, form, widget] {
      if (widget) {
        zoomed = widget->grab().toImage();
        zoomed.save(QString::fromStdString(second));
      }
      shot = true;
      SendMessage(form->Window(), WM_COMMAND, TPreviewForm::idcClose, 0);
    });
  });
  RunPreview(Job, metrics);
  ASSERT_TRUE(shot);
  ASSERT_FALSE(normal.isNull());
  ASSERT_FALSE(zoomed.isNull());
  // The page is white and holds dark text; zoomed in, white covers more of the view.
  auto whiteShare = [](const QImage& image) {
    int64_t white = 0;
    for (int y = 0; y < image.height(); y += 2) {
      for (int x = 0; x < image.width(); x += 2) {
        if (image.pixelColor(x, y) == QColor(Qt::white)) ++white;
      }
    }
    return static_cast<double>(white) / ((image.width() / 2) * (image.height() / 2));
  };
  EXPECT_GT(whiteShare(zoomed), whiteShare(normal));
  EXPECT_GT(whiteShare(normal), 0.1);
}

}  // namespace
