// The print run: the pagination pass, page ranges, the total page count, the status window,
// cancelling, and the library's internal errors.
#include <gtest/gtest.h>

#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "printlib/PrintRun.h"
#include "printlib/PrintStatus.h"
#include "tests/printlib/PrintTestSupport.h"

using namespace platform;
using namespace printtest;

namespace {

class PrintRunTest : public ::testing::Test, public TPrintFixture {
 protected:
  int32_t Run(const TPrintRunHooks& hooks = {}, TPrintSteps steps = ZKPrintFormSteps()) {
    auto device = OpenPrinter(TPrinterSetup{});
    EXPECT_TRUE(device);
    return RunPrint(Job, Job.PageCount, *device, steps, hooks);
  }
  const TPrintedDocument& Printed() { return HeadlessPrinters().Documents.back(); }
  static std::string FirstText(const std::vector<TPrintedText>& page) {
    return page.empty() ? std::string() : page.front().Text;
  }
};

TEST_F(PrintRunTest, PagesThreeToFourOfTenAreFoundByPaginatingSilently) {
  Lines(10 * kLinesPerPage);
  Job.FirstPage = 3;
  Job.LastPage = 4;
  std::vector<int32_t> printedPages;
  TPrintRunHooks hooks;
  hooks.BeforePage = [&](int32_t page, TPrintStatus&) { printedPages.push_back(page); };
  ASSERT_EQ(Run(hooks), prDone);
  const TPrintedDocument& doc = Printed();
  EXPECT_EQ(doc.Title, "test.txt");
  EXPECT_TRUE(doc.Ended);
  ASSERT_EQ(doc.Pages.size(), 2u);
  EXPECT_EQ(FirstText(doc.Pages[0]), "line " + std::to_string(2 * kLinesPerPage + 1));
  EXPECT_EQ(FirstText(doc.Pages[1]), "line " + std::to_string(3 * kLinesPerPage + 1));
  EXPECT_EQ(printedPages, (std::vector<int32_t>{3, 4}));
}

TEST_F(PrintRunTest, UnknownTotalIsCountedBeforePrintingFromTheFirstWantedPage) {
  Lines(3 * kLinesPerPage);
  Job.LastLine = kToTheEnd;
  std::strcpy(Job.Footer, "Seite \x01\x01 von \x02\x02");
  Job.FirstPage = 2;
  ASSERT_EQ(Run(), prDone);
  const TPrintedDocument& doc = Printed();
  ASSERT_EQ(doc.Pages.size(), 2u);
  EXPECT_EQ(doc.Pages[0].back().Text, "Seite 2 von 3");
  EXPECT_EQ(doc.Pages[1].back().Text, "Seite 3 von 3");
  EXPECT_EQ(FirstText(doc.Pages[0]), "line " + std::to_string(kLinesPerPage + 1));
}

TEST_F(PrintRunTest, KnownTotalIsPrintedWithoutCounting) {
  Lines(kLinesPerPage);
  std::strcpy(Job.Header, "\x01\x01/\x02\x02");
  Job.PageCount = 7;  // as the preview counted it
  ASSERT_EQ(Run(), prDone);
  ASSERT_EQ(Printed().Pages.size(), 1u);
  EXPECT_EQ(FirstText(Printed().Pages[0]), "1/7");
  // The lines of the page and one look behind it, no counting pass.
  EXPECT_EQ(CallbackCalls(), kLinesPerPage + 1);
}

TEST_F(PrintRunTest, RangeBehindTheLastPagePrintsNothing) {
  Lines(10);
  Job.FirstPage = 3;
  Job.LastPage = 4;
  ASSERT_EQ(Run(), prDone);
  EXPECT_TRUE(Printed().Pages.empty());
  EXPECT_FALSE(Printed().Ended);
}

TEST_F(PrintRunTest, StatusWindowShowsTheDocumentAndCancelStopsBeforeTheNextPage) {
  Lines(5 * kLinesPerPage);
  std::string title;
  std::string page;
  TPrintRunHooks hooks;
  hooks.BeforePage = [&](int32_t number, TPrintStatus& status) {
    ASSERT_NE(status.Window(), 0u);
    if (number == 2) {
      title = GetDlgItemText(status.Window(), TPrintStatus::idcTitle);
      page = GetDlgItemText(status.Window(), TPrintStatus::idcPage);
      SendMessage(status.Window(), WM_COMMAND, IDCANCEL, 0);
      EXPECT_EQ(GetDlgItemText(status.Window(), TPrintStatus::idcTitle), "Abbrechen ...");
    }
  };
  EXPECT_EQ(Run(hooks), prCancelled);
  EXPECT_EQ(title, "test.txt");
  EXPECT_EQ(page, "2");
  EXPECT_TRUE(Printed().Aborted);
  EXPECT_EQ(Printed().Pages.size(), 1u);
}

TEST_F(PrintRunTest, MissingStepsAreReportedAsPrintErrors) {
  Lines(3);
  const std::pair<int, const char*> cases[] = {{0, "Begin Print Function Not Assigned!"},
                                               {1, "Print Page Function Not Assigned!"},
                                               {2, "End Print Function Not Assigned!"}};
  for (const auto& [which, text] : cases) {
    TPrintSteps steps = ZKPrintFormSteps();
    if (which == 0) steps.BeginPrint = nullptr;
    if (which == 1) steps.PrintPage = nullptr;
    if (which == 2) steps.EndPrint = nullptr;
    size_t boxes = Backend().Boxes.size();
    EXPECT_EQ(Run({}, steps), prStepMissing);
    ASSERT_EQ(Backend().Boxes.size(), boxes + 1);
    EXPECT_EQ(Backend().Boxes.back().Text, text);
  }
  EXPECT_TRUE(HeadlessPrinters().Documents.empty());
}

TEST_F(PrintRunTest, PrinterFontWithPositiveHeightEndsTheJobWithAnError) {
  Lines(3);
  TLogFont log;
  log.Height = 20;
  Job.Font = CreateFontIndirect(log);
  EXPECT_EQ(Run(), prPageFailed);
  ASSERT_FALSE(Backend().Boxes.empty());
  EXPECT_EQ(Backend().Boxes.back().Text, "Printer Font corrupted (Font.Height > 0)");
  EXPECT_TRUE(Printed().Aborted);
}

}  // namespace
