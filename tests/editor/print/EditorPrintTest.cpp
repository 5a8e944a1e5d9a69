// Printing from the editor on the headless back end with the real print library: the binding
// with the library missing and restored, the print dialog and range preselection, the job's
// header and selection, the preview without a printer and its print request, and /P.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/frame/Frame.h"
#include "editor/print/EditorPrinting.h"
#include "editor/hex/HexChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/HeadlessPrinter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "printlib/PreviewForm.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

class EditorPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    HeadlessPrinters().Installed = true;
    HeadlessPrinters().Metrics = THeadlessPrinters::A4Metrics();
    HeadlessPrinters().Documents.clear();
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
    Frame->Options.MarginTop = 200;
    Frame->Printing = std::make_shared<TEditorPrinting>(ZK_PRINT_LIBRARY_DIR);
  }
  void TearDown() override {
    Frame.reset();
    ShutdownUi();
  }
  void Start(std::vector<std::string> args = {}) {
    Frame->Args = std::move(args);
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
  }
  static std::string Lines(int32_t n) {
    std::string text;
    for (int32_t i = 1; i <= n; ++i) text += "Zeile " + std::to_string(i) + "\r\n";
    return text;
  }
  static std::vector<std::string> TextsOf(const std::vector<TPrintedText>& page) {
    std::vector<std::string> texts;
    for (const auto& t : page) texts.push_back(t.Text);
    return texts;
  }
  static bool Has(const std::vector<TPrintedText>& page, const std::string& text) {
    for (const auto& t : page) {
      if (t.Text == text) return true;
    }
    return false;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
};

TEST_F(EditorPrintTest, MissingLibraryIsReportedAndFoundOnTheNextAttempt) {
  std::filesystem::create_directories(Dir.File("lib"));
  Frame->Printing = std::make_shared<TEditorPrinting>(Dir.File("lib"));
  std::string path = Dir.Write("a.txt", Lines(3));
  Start({path});
  QueuePrintAnswer([](TPrintDialog&) { return true; });
  Frame->Command(122);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Funktion kann nicht ausgeführt werden,\nDatei \"ZKPrint.DLL\" nicht gefunden!");
  EXPECT_EQ(Backend->Boxes[0].Caption, "Z&K Quellwerk: Datei drucken");
  EXPECT_EQ(Backend->Boxes[0].Type & MB_ICONMASK, MB_ICONSTOP);
  EXPECT_FALSE(Frame->Printing->Library().Loaded());
  Frame->PreviewActive();
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_EQ(Backend->Boxes[1].Caption, "Z&K Quellwerk: Seitenansicht");

  std::filesystem::copy_file(std::string(ZK_PRINT_LIBRARY_DIR) + "/ZKPrint.DLL", Dir.File("lib/ZKPrint.DLL"));
  QueuePrintAnswer([](TPrintDialog&) { return true; });
  Frame->Command(122);
  EXPECT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_TRUE(Frame->Printing->Library().Loaded());
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  EXPECT_EQ(HeadlessPrinters().Documents[0].Title, path);
  EXPECT_EQ(TextsOf(HeadlessPrinters().Documents[0].Pages[0]),
            (std::vector<std::string>{"Zeile 1", "Zeile 2", "Zeile 3"}));
}

TEST_F(EditorPrintTest, HeaderTemplateAndLineNumbersReachThePrintedPage) {
  std::string path = Dir.Write("b.txt", Lines(120));
  Frame->Options.PageHeader = "&N Seite &S von &G";
  Frame->Options.PrintLineNumbers = true;
  Start({path});
  TPrintDialog shown;
  QueuePrintAnswer([&shown](TPrintDialog& d) {
    shown = d;
    return true;
  });
  Frame->Command(122);
  EXPECT_EQ(shown.Range, TPrintDialog::TRange::All);
  EXPECT_EQ(shown.MaxPage, 65535);
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  const auto& pages = HeadlessPrinters().Documents[0].Pages;
  ASSERT_GE(pages.size(), 2u);
  const std::string total = std::to_string(pages.size());
  EXPECT_TRUE(Has(pages[0], "b.txt Seite 1 von " + total));
  EXPECT_TRUE(Has(pages[0], "1: "));
  EXPECT_TRUE(Has(pages[1], "b.txt Seite 2 von " + total));
}

TEST_F(EditorPrintTest, SelectionEndingInColumnZeroPrintsTheLinesBeforeIt) {
  std::string path = Dir.Write("c.txt", Lines(20));
  Start({path});
  TTextRange range{4, 0, 8, 0};
  GetChildData(Frame->Active())->SetSelection(&range, 0);
  TPrintDialog shown;
  QueuePrintAnswer([&shown](TPrintDialog& d) {
    shown = d;
    return true;
  });
  Frame->Command(122);
  EXPECT_EQ(shown.Range, TPrintDialog::TRange::Selection);
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  EXPECT_EQ(TextsOf(HeadlessPrinters().Documents[0].Pages[0]),
            (std::vector<std::string>{"Zeile 5", "Zeile 6", "Zeile 7", "Zeile 8"}));
}

TEST_F(EditorPrintTest, PageRangeIsRememberedAndSelectionWithoutOneBeeps) {
  std::string path = Dir.Write("d.txt", Lines(300));
  Start({path});
  QueuePrintAnswer([](TPrintDialog& d) {
    d.Range = TPrintDialog::TRange::Pages;
    d.FromPage = 2;
    d.ToPage = 3;
    return true;
  });
  Frame->Command(122);
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  EXPECT_EQ(HeadlessPrinters().Documents[0].Pages.size(), 2u);
  TPrintDialog shown;
  QueuePrintAnswer([&shown](TPrintDialog& d) {
    shown = d;
    d.Range = TPrintDialog::TRange::Selection;
    return true;
  });
  Frame->Command(122);
  EXPECT_EQ(shown.Range, TPrintDialog::TRange::Pages);
  EXPECT_EQ(shown.FromPage, 2);
  EXPECT_EQ(shown.ToPage, 3);
  EXPECT_EQ(Backend->Beeps.size(), 1u);
  EXPECT_EQ(HeadlessPrinters().Documents.size(), 1u);
  // Cancelling the dialog prints nothing.
  Frame->Command(122);
  EXPECT_EQ(HeadlessPrinters().Documents.size(), 1u);
}

TEST_F(EditorPrintTest, PreviewWithoutPrinterSaysSo) {
  std::string path = Dir.Write("e.txt", Lines(3));
  Start({path});
  HeadlessPrinters().Installed = false;
  Frame->Command(123);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Es ist kein Drucker installiert!");
  EXPECT_EQ(Backend->Boxes[0].Caption, "Z&K Quellwerk: Seitenansicht");
  EXPECT_EQ(Backend->Boxes[0].Type & MB_ICONMASK, MB_ICONSTOP);
}

TEST_F(EditorPrintTest, PreviewPrintButtonPrintsWithTheCountedTotal) {
  std::string path = Dir.Write("f.txt", Lines(150));
  Frame->Options.PageFooter = "&S/&G";
  Start({path});
  TScriptSteps steps;
  steps.Then([] {
    // The preview is the modal window that holds the focus.
    TWindow preview = GetFocus();
    while (GetParent(preview)) preview = GetParent(preview);
    ASSERT_NE(GetWindowText(preview).find("Seitenansicht"), std::string::npos);
    SendMessage(preview, WM_COMMAND, TPreviewForm::idcLastPage, 0);
    SendMessage(preview, WM_COMMAND, TPreviewForm::idcPrint, 0);
  });
  Backend->SetIdleScript([&] { return steps.Step(); });
  TPrintDialog shown;
  QueuePrintAnswer([&shown](TPrintDialog& d) {
    shown = d;
    return true;
  });
  Frame->Command(123);
  RunPendingMessages();
  Backend->SetIdleScript(nullptr);
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  const auto& pages = HeadlessPrinters().Documents[0].Pages;
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(pages[0].back().Text, "1/" + std::to_string(pages.size()));
}

TEST_F(EditorPrintTest, HexWindowPrintsItsDisplayLinesAndSelectedLines) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += static_cast<char>('A' + i % 26);
  std::string path = Dir.Write("h.bin", bytes);
  Start();
  TWindow hex = Frame->CreateDocumentWindow(wkHex, path, nullptr, false);
  ASSERT_NE(hex, 0u);
  auto* data = dynamic_cast<THexChildData*>(GetChildData(hex));
  ASSERT_TRUE(data);
  std::vector<std::string> lines;
  for (std::string line; data->GetLineText(static_cast<int32_t>(lines.size()), line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 7u);
  Frame->PrintAllActive();
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  EXPECT_EQ(HeadlessPrinters().Documents[0].Title, path);
  EXPECT_EQ(TextsOf(HeadlessPrinters().Documents[0].Pages[0]), lines);
  // 40 bytes from offset 16 up to 56 (exclusive) lie on display lines 1 to 3.
  data->SelectBytes(16, 56);
  QueuePrintAnswer([](TPrintDialog& d) {
    EXPECT_EQ(d.Range, TPrintDialog::TRange::Selection);
    return true;
  });
  Frame->Command(122);
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 2u);
  EXPECT_EQ(TextsOf(HeadlessPrinters().Documents[1].Pages[0]),
            (std::vector<std::string>{lines[1], lines[2], lines[3]}));
}

TEST_F(EditorPrintTest, PrintSwitchPrintsTheFileAndEndsTheProgram) {
  std::string path = Dir.Write("g.txt", Lines(5));
  Start({path, "/P"});
  ASSERT_EQ(HeadlessPrinters().Documents.size(), 1u);
  EXPECT_EQ(TextsOf(HeadlessPrinters().Documents[0].Pages[0]).front(), "Zeile 1");
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(Frame->Window));
}

}  // namespace
