// The hit-list window, its progress dialog and the search dialog on the headless back end.
#include <gtest/gtest.h>

#include "editor/frame/GrepConfig.h"
#include "editor/grep/GrepDialog.h"
#include "editor/grep/GrepProgress.h"
#include "editor/text/ChildWindowProc.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiSystem.h"
#include "tests/editor/grep/GrepTestHost.h"
#include "tests/support/TempDir.h"

using namespace platform;

class GrepWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Backend->SetIdleScript([this] { return Steps.Step(); });
    Host = std::make_unique<TGrepTestHost>();
  }
  void TearDown() override {
    Host.reset();
    ShutdownUi();
  }
  TGrepParam Order(const std::string& text, const std::string& masks = "*.*") {
    TGrepParam p;
    SetGrepField(p.SearchText, text);
    SetGrepField(p.FileMasks, masks);
    p.Dirs.push_back(Dir.Path());
    return p;
  }
  TWindow Open(const TGrepParam& order) {
    Status = 1;
    TWindow w = OpenGrepWindow(Host->Host, order, &Status);
    RunPendingMessages();
    return w;
  }
  void Key(TWindow w, uint32_t key) {
    SetFocus(w);
    ScriptKey(key);
    RunPendingMessages();
  }
  const TGrepOpenRequest* LastOpen() const {
    const TGrepNotified* n = Host->Last(cnGrepOpen);
    return n ? &n->Open : nullptr;
  }
  static void Click(TWindow dialog, int32_t id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static TWindow ActiveDialog() {
    TWindow w = GetFocus();
    while (w && GetClassName(w) != kDialogClass) w = GetParent(w);
    return w;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TGrepTestHost> Host;
  TScriptSteps Steps;
  int32_t Status = 1;
};

TEST_F(GrepWindowTest, SearchFillsTheWindowTitleAndStatusTexts) {
  Dir.Write("a.txt", "eins\r\nzwei ziel\r\n");
  Dir.Write("b.txt", "nichts\r\n");
  TWindow w = Open(Order("ziel", "*.txt"));
  ASSERT_NE(w, 0u);
  EXPECT_EQ(Status, grepOk);
  EXPECT_TRUE(Backend->Boxes.empty());
  EXPECT_EQ(GetWindowText(w), "Suche nach 'ziel' in '*.txt'");
  TGrepChildData* d = GrepChildOf(w);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->Lines.Count(), 2);
  EXPECT_EQ(d->Lines.Text(1), "     2: zwei ziel");
  std::string first, second;
  ASSERT_TRUE(GrepStatusTexts(gphDone, w, first, second));
  EXPECT_EQ(first, "Dateien: 1");
  EXPECT_EQ(second, "Textstellen: 1");
  ASSERT_TRUE(GrepStatusTexts(gphStart, w, first, second));
  EXPECT_EQ(first, "Suche nach/in Dateien - bitte warten ...");
  // Phases reached the frame, the progress dialog is gone.
  ASSERT_NE(Host->Last(cnGrepProgress), nullptr);
  EXPECT_EQ(Host->Notified.front().Value1, gphStart);
  EXPECT_EQ(Host->Last(cnGrepProgress)->Value1, gphDone);
  EXPECT_EQ(Host->Modeless, 0u);
  // The window closes once the search is over.
  SendMessage(w, WM_CLOSE, 0, 0);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(GrepWindowTest, TitleShowsUmlautsOfTheSearchText) {
  Dir.Write("a.txt", "Gr\xf6\xdf" "e\r\n");
  TWindow w = Open(Order("gr\xf6\xdf" "e", "*.txt"));
  ASSERT_NE(w, 0u);
  EXPECT_EQ(GetWindowText(w), "Suche nach 'größe' in '*.txt'");
}

TEST_F(GrepWindowTest, FailuresShowTheirMessageAndDestroyTheWindow) {
  EXPECT_EQ(Open(Order("x", "*.none")), 0u);
  EXPECT_EQ(Status, grepNoFileFound);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_EQ(Backend->Boxes[0].Text, "Es wurde keine spezifizierte Datei gefunden!");
  EXPECT_EQ(Backend->Boxes[0].Caption, "Z&K Quellwerk: Globale Suche");
  EXPECT_EQ(Backend->Boxes[0].Type & 0xF0, MB_ICONEXCLAMATION);
  EXPECT_EQ(MdiGetActive(Host->Client), 0u);

  Dir.Write("a.txt", "abc\n");
  EXPECT_EQ(Open(Order("x")), 0u);
  EXPECT_EQ(Backend->Boxes.back().Text, "Es wurden keine Textstellen gefunden!");

  TGrepParam bad = Order("a[");
  bad.RegularExpression = true;
  EXPECT_EQ(Open(bad), 0u);
  EXPECT_EQ(Status, grepBadRegExp);
  EXPECT_EQ(Backend->Boxes.back().Text, "Fehlerhafter regulärer Ausdruck!");
  EXPECT_EQ(Backend->Boxes.back().Type & 0xF0, MB_ICONSTOP);

  TGrepParam noDir = Order("x");
  noDir.Dirs.clear();
  EXPECT_EQ(Open(noDir), 0u);
  EXPECT_EQ(Status, grepNoDirectory);
  EXPECT_EQ(Backend->Boxes.size(), 3u);  // silent
  EXPECT_EQ(MdiGetActive(Host->Client), 0u);
}

TEST_F(GrepWindowTest, TooManyLinesKeepsTheWindowMarkedAborted) {
  std::string text;
  for (int i = 0; i < kGrepMaxLines + 10; ++i) text += "hit\n";
  Dir.Write("a.txt", text);
  TWindow w = Open(Order("hit"));
  ASSERT_NE(w, 0u);
  EXPECT_EQ(Status, grepTooManyLines);
  EXPECT_EQ(Backend->Boxes.back().Text,
            "Die Liste der Fundstellen wird zu groß - \ndie Suche wird abgebrochen!");
  EXPECT_EQ(GetWindowText(w), "Suche nach 'hit' in '*.*'  (Abgebrochen)");
  // The end of the list is reached with one key and back.
  TGrepChildData* d = GrepChildOf(w);
  d->MoveCaretTo(VK_END, 3, false);
  EXPECT_EQ(d->Caret.Line, kGrepMaxLines - 1);
  EXPECT_GT(d->Scroller->PosY, kGrepMaxLines - 100);
  d->MoveCaretTo(VK_HOME, 3, false);
  EXPECT_EQ(d->Scroller->PosY, 0);
}

TEST_F(GrepWindowTest, EnterDoubleClickAndCommandsOpenTheHitAtLineAndColumn) {
  Dir.Write("a.txt", "eins\r\nzwei\r\n  drei ziel\r\n");
  std::string bytes(40, 'x');
  bytes[2] = '\0';
  bytes.replace(7, 4, "ziel");
  Dir.Write("b.bin", bytes);
  TGrepParam order = Order("ziel");
  order.Info = true;
  TWindow w = Open(order);
  ASSERT_NE(w, 0u);
  TGrepChildData* d = GrepChildOf(w);
  ASSERT_EQ(d->Lines.Count(), 4);
  ASSERT_TRUE(d->BarMode);

  d->SetCaret(0, 1, false, false);
  Key(w, VK_RETURN);
  ASSERT_NE(LastOpen(), nullptr);
  EXPECT_EQ(LastOpen()->FileName, Dir.File("a.txt"));
  EXPECT_EQ(LastOpen()->Action, gaOpen);
  EXPECT_EQ(LastOpen()->Position, 2);
  EXPECT_EQ(LastOpen()->Column, 0);
  EXPECT_FALSE(LastOpen()->Binary);

  // Caret mode: the column follows the caret behind the 8-character prefix.
  Key(w, VK_INSERT);
  EXPECT_FALSE(d->BarMode);
  EXPECT_EQ(Host->Last(cnGrepBarMode)->Value1, 0);
  d->SetCaret(8 + 7, 1, false, false);
  GrepWindowCommand(w, 157);
  EXPECT_EQ(LastOpen()->Column, 7);

  // The binary hit: its offset and the binary flag; the file line: line 0.
  GrepWindowCommand(w, 152);
  EXPECT_TRUE(d->BarMode);
  d->SetCaret(0, 3, false, false);
  SendMessage(w, WM_LBUTTONDBLCLK, 0, MakeLParam(40, 3 * d->CharHeight + 2));
  ASSERT_EQ(Host->Last(cnGrepOpen)->Open.Position, 7);
  EXPECT_TRUE(LastOpen()->Binary);
  EXPECT_EQ(LastOpen()->FileName, Dir.File("b.bin"));
  d->SetCaret(0, 0, false, false);
  GrepWindowCommand(w, 158);
  EXPECT_EQ(LastOpen()->Action, gaRun);
  EXPECT_EQ(LastOpen()->Position, 0);
  EXPECT_EQ(LastOpen()->FileName, Dir.File("a.txt"));  // behind the info line's last tab
}

TEST_F(GrepWindowTest, AbortFromTheProgressDialogKeepsTheHitsSoFar) {
  for (int i = 0; i < 6; ++i) Dir.Write("f" + std::to_string(i) + ".txt", "hit\n");
  bool clicked = false;
  Host->OnNotify = [&](const TGrepNotified& n) {
    if (!clicked && n.Code == cnGrepProgress && n.Value1 == gphSearching && n.Value2 >= 30) {
      clicked = true;
      ASSERT_NE(Host->Modeless, 0u);
      EXPECT_EQ(GetWindowText(Host->Modeless), "Z&K Quellwerk: Text/Dateien suchen");
      EXPECT_EQ(GetWindowText(n.Child), "Suche nach 'hit' in '*.*'");
      // The window refuses to close while it searches.
      SendMessage(n.Child, WM_CLOSE, 0, 0);
      EXPECT_TRUE(IsWindow(n.Child));
      PostMessage(Host->Modeless, WM_COMMAND, IDCANCEL, 0);
    }
  };
  TWindow w = Open(Order("hit"));
  ASSERT_TRUE(clicked);
  ASSERT_NE(w, 0u);
  EXPECT_EQ(Status, grepOk);
  EXPECT_EQ(GetWindowText(w), "Suche nach 'hit' in '*.*'  (Abgebrochen)");
  const int32_t files = GrepChildOf(w)->FileCount();
  EXPECT_GE(files, 2);
  EXPECT_LT(files, 6);
}

TEST_F(GrepWindowTest, HitRangesPaintInTheHitColourBesideTheKindImages) {
  Host->Options.SystemColors = false;
  Host->Options.Colors[2].Text = MakeRgb(0, 0, 0);
  Host->Options.Colors[2].Highlight = MakeRgb(255, 0, 0);
  Host->Options.Colors[2].Back = MakeRgb(255, 255, 255);
  Dir.Write("a.txt", "ab ziel cd ziel\n");
  TWindow w = Open(Order("ziel"));
  ASSERT_NE(w, 0u);
  const size_t from = Backend->Records.size();
  InvalidateRect(w, nullptr);
  UpdateWindow(w);
  std::vector<std::pair<std::string, TColorRef>> texts;
  int bitmaps = 0;
  for (size_t i = from; i < Backend->Records.size(); ++i) {
    const TPaintRecord& r = Backend->Records[i];
    if (r.Window != w) continue;
    if (r.Op == TPaintRecord::TOp::Text) {
      texts.emplace_back(r.Text, r.Color);
      EXPECT_GE(r.Rect.Left, kGrepMarginWidth) << r.Text;  // right of the margin
    }
    if (r.Op == TPaintRecord::TOp::Bitmap) ++bitmaps;
  }
  EXPECT_EQ(bitmaps, 1);
  const std::vector<std::pair<std::string, TColorRef>> expected = {
      {Dir.File("a.txt"), MakeRgb(0, 0, 0)}, {"     1: ab ", MakeRgb(0, 0, 0)},
      {"ziel", MakeRgb(255, 0, 0)},          {" cd ", MakeRgb(0, 0, 0)},
      {"ziel", MakeRgb(255, 0, 0)}};
  EXPECT_EQ(texts, expected);
}

TEST_F(GrepWindowTest, DialogFillsTheOrderAndRemembersOptions) {
  Host->Options.GrepHistDirs.Add(Dir.Path());
  Host->Options.GrepHistDirs.Add("/tmp");
  TGrepParam order;
  Steps.Then([&] {
    TWindow d = ActiveDialog();
    ASSERT_NE(d, 0u);
    EXPECT_EQ(GetWindowText(d), "Z&K Quellwerk: Globale Suche (Grep)");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDOK)));  // no directory yet
    SetDlgItemText(d, kGdText, "Größe");
    SetDlgItemText(d, kGdMasks, "*.c *.h");
    // Choosing an earlier directory adds it, once only.
    for (int i = 0; i < 2; ++i) {
      SendDlgItemMessage(d, kGdHistDirs, CB_SETCURSEL, 1, 0);
      SendMessage(d, WM_COMMAND, MakeWParam(kGdHistDirs, CBN_SELCHANGE), 0);
    }
    EXPECT_EQ(SendDlgItemMessage(d, kGdDirList, LB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
    Click(d, kGdSubdirs);
    Click(d, kGdOutCounts);
    Click(d, IDOK);
  });
  ASSERT_TRUE(RunGrepDialog(Host->Frame, Host->Options, &Host->Profile, order));
  EXPECT_STREQ(order.SearchText, "Gr\xf6\xdf" "e");  // in the document's code page
  EXPECT_STREQ(order.FileMasks, "*.c *.h");
  ASSERT_EQ(order.Dirs.size(), 1u);
  EXPECT_EQ(order.Dirs[0], Dir.Path());  // the newest history entry comes first
  EXPECT_TRUE(order.Subdirectories);
  EXPECT_EQ(order.Output, 1);
  EXPECT_TRUE(Host->Options.GrepSubdirs);
  EXPECT_EQ(Host->Options.GrepOutput, 1);
  EXPECT_EQ(Host->Options.GrepTexts[0], "Größe");
  EXPECT_EQ(Host->Options.GrepDirs.Items(), std::vector<std::string>{Dir.Path()});
}

TEST_F(GrepWindowTest, ConfigurationsAreStoredAndLoadedByTheHiddenButtons) {
  Host->Options.GrepDirs.Assign({"/a", "/b"});
  TGrepParam order;
  Steps.Then([&] {
    TWindow d = ActiveDialog();
    SetDlgItemText(d, kGdText, "muster");
    Click(d, kGdWords);
    ScriptAltKey('0');
  });
  Steps.Then([&] {
    TWindow d = ActiveDialog();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, kGdConfigNumber)));
    ScriptType("4");
  });
  Steps.Then([&] {
    TWindow d = ActiveDialog();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kGdConfigNumber)));
    Click(d, IDCANCEL);
  });
  ASSERT_FALSE(RunGrepDialog(Host->Frame, Host->Options, &Host->Profile, order));
  TGrepConfig stored;
  ASSERT_TRUE(ReadGrepConfig(Host->Profile, 4, stored));
  EXPECT_EQ(stored.SearchText, "muster");
  EXPECT_TRUE(stored.WholeWords);
  EXPECT_EQ(stored.Dirs, (std::vector<std::string>{"/a", "/b"}));

  Host->Options.GrepDirs.Clear();
  Steps.Then([] { ScriptAltKey('4'); });
  Steps.Then([&] { Click(ActiveDialog(), IDOK); });
  ASSERT_TRUE(RunGrepDialog(Host->Frame, Host->Options, &Host->Profile, order));
  EXPECT_STREQ(order.SearchText, "muster");
  EXPECT_TRUE(order.WholeWords);
  EXPECT_EQ(order.Dirs.size(), 2u);
}
