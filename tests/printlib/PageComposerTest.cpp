// Page composition against the test printer: page table, margins, header and footer, line
// numbers, tabs, form feeds and line breaking.
#include <gtest/gtest.h>

#include "printlib/PageComposer.h"
#include "printlib/PrintRun.h"
#include "tests/printlib/PrintTestSupport.h"

using namespace platform;
using namespace printtest;

namespace {

class PageComposerTest : public ::testing::Test, public TPrintFixture {
 protected:
  // Composes pages until the last one in paginate mode; the number of pages.
  int32_t Paginate(TNEWPageInfo& info) {
    TSpecialCanvas canvas("Pagination", TestMetrics());
    canvas.SetModePaginate();
    int32_t page = 0;
    while (!info.Done && page < 10000) {
      std::string error;
      EXPECT_TRUE(ComposePage(Job, info, canvas, ++page, -1, &error)) << error;
    }
    return page;
  }
  // Prints the whole job on the headless printer; its pages.
  const std::vector<std::vector<TPrintedText>>& Print() {
    auto device = OpenPrinter(TPrinterSetup{});
    EXPECT_TRUE(device);
    EXPECT_EQ(RunPrint(Job, Job.PageCount, *device, ZKPrintFormSteps()), prDone);
    return HeadlessPrinters().Documents.back().Pages;
  }
  static const TPrintedText* Find(const std::vector<TPrintedText>& page, const std::string& text) {
    for (const auto& t : page) {
      if (t.Text == text) return &t;
    }
    return nullptr;
  }
};

TEST_F(PageComposerTest, PageTableHoldsTheStartOfEveryPage) {
  Lines(3 * kLinesPerPage + 5);
  TNEWPageInfo info("test.txt");
  EXPECT_EQ(Paginate(info), 4);
  EXPECT_EQ(info.StartOf(1), 0);
  EXPECT_EQ(info.StartOf(2), kLinesPerPage);
  EXPECT_EQ(info.StartOf(3), 2 * kLinesPerPage);
  EXPECT_EQ(info.StartOf(4), 3 * kLinesPerPage);
  EXPECT_EQ(info.HighestPage, 5);
  // Paginating asks for lines without drawing, with the measuring flag set.
  EXPECT_EQ(HeadlessPrinters().Documents.size(), 0u);
}

TEST_F(PageComposerTest, ExactlyFullPageEndsTheDocument) {
  Lines(kLinesPerPage);
  TNEWPageInfo info("test.txt");
  EXPECT_EQ(Paginate(info), 1);
  Lines(kLinesPerPage + 1);
  TNEWPageInfo more("test.txt");
  EXPECT_EQ(Paginate(more), 2);
}

TEST_F(PageComposerTest, FontTallerThanTheTextAreaStillPrintsALinePerPage) {
  Lines(3);
  TLogFont log;
  log.Height = -2000;
  log.PitchAndFamily = kFixedPitch;
  Job.Font = CreateFontIndirect(log);
  TNEWPageInfo info("test.txt");
  EXPECT_EQ(Paginate(info), 3);
}

TEST_F(PageComposerTest, PageTableGrowsPastItsFirstCapacity) {
  TNEWPageInfo info("x", 4);
  info.SetStart(3, 30);
  EXPECT_GE(info.Capacity(), 4 + TNEWPageInfo::kCapacityStep);
  info.SetStart(2000, 7);
  EXPECT_EQ(info.StartOf(2000), 7);
  EXPECT_EQ(info.StartOf(3), 30);
  EXPECT_EQ(info.StartOf(1999), -1);
}

TEST_F(PageComposerTest, TextHeaderAndFooterSitInsideTheMargins) {
  Lines(3);
  std::strcpy(Job.Header, "Kopf \x01\x01");
  std::strcpy(Job.Footer, "Fuss");
  Job.FooterAlign = 2;
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  const TPrintedText* first = Find(pages[0], "line 1");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->X, 100);
  EXPECT_EQ(first->Y, 100);
  const TPrintedText* third = Find(pages[0], "line 3");
  ASSERT_TRUE(third);
  EXPECT_EQ(third->Y, 140);
  const TPrintedText* header = Find(pages[0], "Kopf 1");
  ASSERT_TRUE(header);
  EXPECT_EQ(header->Y, 50);
  EXPECT_EQ(header->X, 100 + (800 - 60) / 2);  // centred
  const TPrintedText* footer = Find(pages[0], "Fuss");
  ASSERT_TRUE(footer);
  EXPECT_EQ(footer->Y, 1430);
  EXPECT_EQ(footer->X, 900 - 40);  // right-aligned
}

TEST_F(PageComposerTest, MarginsInsideTheUnprintableAreaStartAtThePrintableEdge) {
  Lines(2);
  Job.MarginLeft = Job.MarginTop = Job.MarginRight = Job.MarginBottom = 0;
  std::strcpy(Job.Header, "Kopf");
  std::strcpy(Job.Footer, "Fuss");
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  const TPrintedText* first = Find(pages[0], "line 1");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->X, 20);
  EXPECT_EQ(first->Y, 20);
  EXPECT_FALSE(Find(pages[0], "Kopf"));
  EXPECT_FALSE(Find(pages[0], "Fuss"));
  // A band no higher than a line has no header either.
  Job.MarginTop = 106;  // 40 units: a band of 20
  std::strcpy(Job.Header, "Kopf");
  const auto& again = Print();
  EXPECT_FALSE(Find(again[0], "Kopf"));
}

TEST_F(PageComposerTest, LineNumbersAreRightAlignedBeforeTheText) {
  Lines(12);
  Job.LineNumbers = 1;
  Job.FirstLine = 9;  // numbers are the document's, not the range's
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  const TPrintedText* number = Find(pages[0], "10: ");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->X, 100 + 70 - 40);
  const TPrintedText* text = Find(pages[0], "line 10");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->X, 170);
  EXPECT_FALSE(Find(pages[0], "line 9"));
  EXPECT_TRUE(Find(pages[0], "line 12"));
}

TEST_F(PageComposerTest, TabsStopEveryTabSizeCharactersFromTheTextStart) {
  Document() = {"a\tb", "abcde\tf"};
  const auto& pages = Print();
  const TPrintedText* b = Find(pages[0], "b");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->X, 100 + 40);
  const TPrintedText* f = Find(pages[0], "f");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->X, 100 + 80);
}

TEST_F(PageComposerTest, FormFeedStartsANewPageButNeverAnEmptyOne) {
  Lines(2 * kLinesPerPage);
  Document()[5] = "\fsection";        // breaks before it
  Document()[5 + kLinesPerPage] = "\fsecond";  // first line of its page already
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(Find(pages[0], "line 5"));
  EXPECT_FALSE(Find(pages[0], "\fsection"));
  const TPrintedText* section = Find(pages[1], "section");
  ASSERT_TRUE(section);
  EXPECT_EQ(section->Y, 100);
  const TPrintedText* second = Find(pages[2], "second");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Y, 100);
}

TEST_F(PageComposerTest, BrokenLinesKeepTheBreakCharacterAndCutWordsAtTheEnd) {
  const std::string exact(80, 'x');
  const std::string longWord(81, 'y');
  Document() = {exact, longWord, std::string(70, 'a') + " " + std::string(20, 'b'),
                std::string(75, 'c') + "-" + std::string(5, 'd'), "after"};
  Job.BreakLines = 1;
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  const auto& p = pages[0];
  // A line exactly as wide as the text area is not cut.
  ASSERT_TRUE(Find(p, exact));
  EXPECT_EQ(Find(p, exact)->Y, 100);
  // Without a blank the row loses characters from its end until it fits.
  ASSERT_TRUE(Find(p, std::string(80, 'y')));
  ASSERT_TRUE(Find(p, "y"));
  EXPECT_EQ(Find(p, "y")->Y, 140);
  // The blank stays on the first row.
  ASSERT_TRUE(Find(p, std::string(70, 'a') + " "));
  EXPECT_TRUE(Find(p, std::string(20, 'b')));
  // So does a hyphen.
  EXPECT_TRUE(Find(p, std::string(75, 'c') + "-"));
  EXPECT_TRUE(Find(p, "ddddd"));
  ASSERT_TRUE(Find(p, "after"));
  EXPECT_EQ(Find(p, "after")->Y, 100 + 7 * 20);
}

TEST_F(PageComposerTest, LongLineWithoutBlanksBecomesFullRows) {
  Document() = {std::string(250, 'z')};
  Job.BreakLines = 1;
  const auto& pages = Print();
  ASSERT_EQ(pages[0].size(), 4u);
  EXPECT_EQ(pages[0][0].Text.size(), 80u);
  EXPECT_EQ(pages[0][2].Text.size(), 80u);
  EXPECT_EQ(pages[0][3].Text.size(), 10u);
  EXPECT_EQ(pages[0][3].Y, 160);
}

TEST_F(PageComposerTest, BreakRowLengthTakesTheLastBreakInsideTheFittingPart) {
  Lines(1);
  TSpecialCanvas canvas("Pagination", TestMetrics());
  canvas.SetModePaginate();
  TLogFont log;
  log.Height = -20;
  log.PitchAndFamily = kFixedPitch;
  ASSERT_TRUE(canvas.SetFont(log, nullptr));
  // 10 units per character, a row of 50 holds 5.
  EXPECT_EQ(BreakRowLength(canvas, "ab cd efgh", 40, 50), 3u);
  EXPECT_EQ(BreakRowLength(canvas, "abcdefgh", 40, 50), 5u);
  // A break that is the next-to-last character of a fitting prefix counts.
  EXPECT_EQ(BreakRowLength(canvas, "abcd efgh", 40, 50), 5u);
  // A break behind the fitting part does not.
  EXPECT_EQ(BreakRowLength(canvas, "abcdefg hi", 40, 50), 5u);
  // A tab jumps to the next stop: "a\t" is 40 wide, "a\tbc" 60.
  EXPECT_EQ(BreakRowLength(canvas, "a\tbcd", 40, 50), 2u);
  // One character stays even when it does not fit.
  EXPECT_EQ(BreakRowLength(canvas, "mm", 40, 5), 1u);
}

TEST_F(PageComposerTest, WrappedRowsBelowTheBottomMarginAreDropped) {
  Lines(kLinesPerPage - 1);
  Document().push_back(std::string(170, 'q'));  // three rows on the last line of the page
  Document().push_back("next page");
  Job.BreakLines = 1;
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(Find(pages[0], std::string(80, 'q')));
  EXPECT_FALSE(Find(pages[0], std::string(10, 'q')));
  ASSERT_TRUE(Find(pages[1], "next page"));
  EXPECT_EQ(Find(pages[1], "next page")->Y, 100);
}

TEST_F(PageComposerTest, TotalPlaceholderShowsDotsWhileUnknown) {
  Lines(10);
  std::strcpy(Job.Header, "Seite \x01\x01 von \x02\x02 \x01\x01");
  auto device = OpenPrinter(TPrinterSetup{});
  ASSERT_TRUE(device->StartDoc("x"));
  ASSERT_TRUE(device->StartPage());
  device->PageCanvas()->SetViewportOrg(TPoint{-20, -20});
  TSpecialCanvas canvas("Print", TestMetrics());
  canvas.SetModePrint(device->PageCanvas());
  TNEWPageInfo info("x");
  std::string error;
  ASSERT_TRUE(ComposePage(Job, info, canvas, 1, -1, &error));
  canvas.SetModePaginate();
  ASSERT_TRUE(device->EndPage());
  ASSERT_TRUE(device->EndDoc());
  // Only the first placeholder of each kind is replaced.
  EXPECT_TRUE(Find(HeadlessPrinters().Documents.back().Pages[0], "Seite 1 von ... \x01\x01"));
}

TEST_F(PageComposerTest, NoLinesGivesOnePageWithHeaderAndFooterOnly) {
  std::strcpy(Job.Header, "Kopf");
  std::strcpy(Job.Footer, "Fuss");
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 2u);
  EXPECT_TRUE(Find(pages[0], "Kopf"));
  EXPECT_TRUE(Find(pages[0], "Fuss"));
}

TEST_F(PageComposerTest, RangeOfLinesEndsAtItsLastLine) {
  Lines(100);
  Job.FirstLine = 10;
  Job.LastLine = 12;
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 3u);
  EXPECT_EQ(pages[0][0].Text, "line 11");
  EXPECT_EQ(pages[0][2].Text, "line 13");
}

TEST_F(PageComposerTest, StaleOrForeignCallbackHandleComposesNothing) {
  Lines(3);
  EXPECT_EQ(LookupPrintLineCallback(Font), nullptr);
  Job.LineCallback = Font;
  const auto& pages = Print();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].empty());
  EXPECT_EQ(CallbackCalls(), 0);
}

}  // namespace
