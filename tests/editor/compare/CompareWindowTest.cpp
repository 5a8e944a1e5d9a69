// The compare window on the headless back end: rows and painting, navigation, go-to
// requests, the splitter, refresh, the two view toggles, failures and cancelling.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/compare/CompareRun.h"
#include "editor/compare/DiffChildData.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/views/CompareKeepAlive.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Input.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Paint.h"
#include "tests/editor/compare/CompareTestHost.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

std::string Numbered(int from, int to, const char* prefix = "Zeile ") {
  std::string text;
  for (int i = from; i <= to; ++i) text += prefix + std::to_string(i) + "\r\n";
  return text;
}

}  // namespace

class CompareWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Host = std::make_unique<TCompareTestHost>();
  }
  void TearDown() override {
    Host.reset();
    ShutdownUi();
  }

  TWindow Open(const std::string& a, const std::string& b, uint8_t layout = dlSideBySide,
               bool onlyDiffs = false) {
    TDiffExtraData extra;
    extra.FirstFile = a;
    extra.SecondFile = b;
    extra.Layout = layout;
    extra.OnlyDifferences = onlyDiffs;
    TWindow w = OpenCompareWindow(Host->Host, extra);
    RunPendingMessages();
    return w;
  }
  TDiffChildData* Diff(TWindow w) { return dynamic_cast<TDiffChildData*>(GetChildData(w)); }
  void Key(TWindow w, uint32_t key, bool shift = false, bool ctrl = false) {
    SetFocus(w);
    ScriptKey(key, shift, ctrl);
    RunPendingMessages();
  }
  // The paint records of a window since `from`.
  std::vector<TPaintRecord> RecordsOf(TWindow w, size_t from = 0) {
    std::vector<TPaintRecord> out;
    for (size_t i = from; i < Backend->Records.size(); ++i)
      if (Backend->Records[i].Window == w) out.push_back(Backend->Records[i]);
    return out;
  }
  size_t Repaint(TWindow pane) {
    size_t from = Backend->Records.size();
    InvalidateRect(pane, nullptr);
    UpdateWindow(pane);
    return from;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TCompareTestHost> Host;
};

TEST_F(CompareWindowTest, ThreeInsertedLinesShowOppositeFillersWithCountAndNavigation) {
  std::string a = Dir.Write("a.txt", Numbered(1, 10));
  std::string b = Dir.Write("b.txt", Numbered(1, 5) + "neu 1\r\nneu 2\r\nneu 3\r\n" + Numbered(6, 10));
  TWindow w = Open(a, b);
  ASSERT_NE(w, 0u);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(ChildKind(w), wkDiff);
  EXPECT_EQ(GetWindowText(w), "Dateivergleich 1");
  EXPECT_EQ(Host->LastCount(), 3);
  const TDiffRows& rows = d->Engine->Rows();
  // The line end at the end of each file leaves an empty last line.
  ASSERT_EQ(rows.RowCount(), 14);
  for (int32_t row = 5; row <= 7; ++row) {
    EXPECT_EQ(rows.At(0, row), nullptr) << row;
    ASSERT_NE(rows.At(1, row), nullptr);
    EXPECT_TRUE(rows.At(1, row)->Changed());
  }
  EXPECT_EQ(rows.At(0, 8)->Index, 5);
  EXPECT_EQ(rows.At(1, 8)->Index, 8);

  // The right pane inverts the three rows, the left one draws nothing on them.
  size_t from = Repaint(d->Panes[1]);
  std::vector<TRect> inverted;
  for (const TPaintRecord& r : RecordsOf(d->Panes[1], from))
    if (r.Op == TPaintRecord::TOp::Invert) inverted.push_back(r.Rect);
  ASSERT_EQ(inverted.size(), 3u);
  EXPECT_EQ(inverted[0].Top, 5 * d->CharHeight);
  EXPECT_EQ(inverted[0].Left, d->Gutter);
  from = Repaint(d->Panes[0]);
  std::vector<std::string> texts;
  for (const TPaintRecord& r : RecordsOf(d->Panes[0], from)) {
    if (r.Op == TPaintRecord::TOp::Invert) ADD_FAILURE() << "left pane inverted a row";
    if (r.Op == TPaintRecord::TOp::Text && r.Rect.Top >= 5 * d->CharHeight && r.Rect.Top < 8 * d->CharHeight)
      texts.push_back(r.Text);
  }
  EXPECT_TRUE(texts.empty()) << texts.front();

  // Tab: each next difference row becomes the top row, then a beep.
  Key(w, VK_TAB);
  EXPECT_EQ(d->TopRow(), 5);
  Key(w, VK_TAB);
  EXPECT_EQ(d->TopRow(), 6);
  Key(w, VK_TAB);
  EXPECT_EQ(d->TopRow(), 7);
  size_t beeps = Backend->Beeps.size();
  Key(w, VK_TAB);
  EXPECT_EQ(d->TopRow(), 7);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
  Key(w, VK_TAB, true);
  EXPECT_EQ(d->TopRow(), 6);
  CompareWindowCommand(w, 905);
  EXPECT_EQ(d->TopRow(), 5);
  CompareWindowCommand(w, 905);
  EXPECT_EQ(d->TopRow(), 5);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 2);
  // Scrolled panes paint the rows from the top row on.
  from = Repaint(d->Panes[1]);
  bool topDrawn = false;
  for (const TPaintRecord& r : RecordsOf(d->Panes[1], from))
    if (r.Op == TPaintRecord::TOp::Text && r.Text == "neu 1") topDrawn = r.Rect.Top == 0;
  EXPECT_TRUE(topDrawn);
}

TEST_F(CompareWindowTest, GotoRequestsUseTheNearestLineAboveAFiller) {
  std::string a = Dir.Write("a.txt", Numbered(1, 10));
  std::string b = Dir.Write("b.txt", Numbered(1, 5) + "neu 1\r\nneu 2\r\nneu 3\r\n" + Numbered(6, 10));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  Key(w, VK_TAB);
  Key(w, VK_TAB);
  ASSERT_EQ(d->TopRow(), 6);
  Key(w, VK_RETURN);
  const TNotified* go = Host->LastGoto();
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->Goto.Window, w);
  EXPECT_EQ(go->Goto.FirstFile, a);
  EXPECT_EQ(go->Goto.SecondFile, b);
  EXPECT_EQ(go->Goto.FirstLine, 4);  // the filler's nearest line above: "Zeile 5"
  EXPECT_EQ(go->Goto.SecondLine, 6);
  // A double click asks for that pane's file only, at the clicked row.
  SendMessage(d->Panes[0], WM_LBUTTONDBLCLK, 0, MakeLParam(30, 2 * d->CharHeight + 3));
  go = Host->LastGoto();
  EXPECT_EQ(go->Goto.FirstLine, 5);  // row 8: "Zeile 6"
  EXPECT_EQ(go->Goto.SecondLine, -1);
  SendMessage(d->Panes[1], WM_LBUTTONDBLCLK, 0, MakeLParam(30, 3));
  go = Host->LastGoto();
  EXPECT_EQ(go->Goto.FirstLine, -1);
  EXPECT_EQ(go->Goto.SecondLine, 6);
  // Below the last row: the last line.
  SendMessage(d->Panes[1], WM_LBUTTONDBLCLK, 0, MakeLParam(30, 40 * d->CharHeight));
  EXPECT_EQ(Host->LastGoto()->Goto.SecondLine, 13);
}

TEST_F(CompareWindowTest, SplitterKeepsBothPanesAndTheLayoutToggles) {
  std::string a = Dir.Write("a.txt", Numbered(1, 3));
  std::string b = Dir.Write("b.txt", Numbered(1, 4));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  MoveWindow(w, TRect{0, 0, 600, 400});
  RunPendingMessages();
  const TRect client = GetClientRect(w);
  // Centred at first.
  EXPECT_EQ(d->Places().SplitterPos, client.Width() / 2 - 3);
  EXPECT_EQ(GetWindowRect(d->Panes[1]).Left, GetWindowRect(d->Panes[0]).Right + 6);
  // Dragged to 10 pixels: it stays at 54.
  TRect bar = GetWindowRect(d->Splitter);
  SendMessage(d->Splitter, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 50));
  SendMessage(d->Splitter, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(10 - bar.Left + 2, 50));
  SendMessage(d->Splitter, WM_LBUTTONUP, 0, MakeLParam(10 - bar.Left + 2, 50));
  EXPECT_EQ(d->Places().SplitterPos, 54);
  EXPECT_EQ(GetWindowRect(d->Panes[0]).Width(), 54);
  EXPECT_EQ(GetWindowRect(d->Splitter).Left, 54);
  // Towards the far edge it keeps 60 pixels.
  bar = GetWindowRect(d->Splitter);
  SendMessage(d->Splitter, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(0, 50));
  SendMessage(d->Splitter, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(client.Width() - bar.Left, 50));
  SendMessage(d->Splitter, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(d->Places().SplitterPos, client.Width() - 60);
  EXPECT_EQ(GetWindowRect(d->Panes[1]).Width(), 54);

  // One above the other: centred again, captions above both panes.
  CompareWindowCommand(w, 908);
  RunPendingMessages();
  EXPECT_EQ(d->Extra.Layout, dlAboveEachOther);
  const int32_t pos = client.Height() / 2 - 3;
  EXPECT_EQ(d->Places().SplitterPos, pos);
  EXPECT_EQ(GetWindowRect(d->Panes[0]), (TRect{0, 18, client.Width(), pos}));
  EXPECT_EQ(GetWindowRect(d->Panes[1]), (TRect{0, pos + 24, client.Width(), client.Height()}));
  EXPECT_EQ(d->Places().Caption[1].Top, pos + 6);
  // The check marks follow, and the next window starts with this layout.
  TMenu menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 908, "&Fenster untereinander");
  AppendMenu(menu, MF_STRING, 909, "Nur &Unterschiede anzeigen");
  CheckCompareMenuItems(w, menu);
  EXPECT_TRUE(GetMenuState(menu, 908, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(menu, 909, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(menu);
  TDiffExtraData defaults;
  ReadCompareDefaults(&Host->Profile, defaults);
  EXPECT_EQ(defaults.Layout, dlAboveEachOther);
}

TEST_F(CompareWindowTest, RefreshReadsTheFilesAgainAndAVanishedFileClosesTheWindow) {
  std::string a = Dir.Write("a.txt", Numbered(1, 6));
  std::string b = Dir.Write("b.txt", Numbered(1, 6));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Host->LastCount(), 0);
  Dir.Write("b.txt", Numbered(1, 3) + "anders\r\n" + Numbered(5, 6));
  Key(w, VK_F1 + 4);
  EXPECT_EQ(Host->LastCount(), 1);  // one row, changed on both sides
  EXPECT_EQ(d->RowCount(), 7);
  EXPECT_TRUE(d->Engine->Rows().IsDifferenceRow(3));

  ASSERT_EQ(::unlink(a.c_str()), 0);
  CompareWindowCommand(w, 907);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(w));
  ASSERT_FALSE(Backend->Boxes.empty());
  EXPECT_EQ(Backend->Boxes.back().Caption, "Z&K Quellwerk: Dateivergleich");
  EXPECT_EQ(Backend->Boxes.back().Text,
            "Kann Datei nicht öffnen/lesen:\n\n" + a + "\n\nHinweis: Es können nur Textdateien verglichen werden!");
  EXPECT_EQ(Backend->Boxes.back().Type & MB_ICONMASK, MB_ICONSTOP);
  EXPECT_TRUE(MdiChildren(Host->Client).empty());
}

TEST_F(CompareWindowTest, OnlyDifferencesRebuildsTheRowsWithoutComparingAgainAndGoesToTheTop) {
  std::string a = Dir.Write("a.txt", Numbered(1, 40));
  std::string b = Dir.Write("b.txt", Numbered(1, 20) + "anders\r\nextra\r\n" + Numbered(22, 40));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->RowCount(), 42);
  EXPECT_EQ(Host->LastCount(), 2);
  Key(w, VK_END, false, true);
  EXPECT_EQ(d->TopRow(), std::max(42 - d->PageRows(), 0));
  EXPECT_GT(d->TopRow(), 0);
  // Changing a file now must not show: no new comparison.
  Dir.Write("b.txt", Numbered(1, 40));
  const TCompareEngine* engine = d->Engine.get();
  CompareWindowCommand(w, 909);
  EXPECT_EQ(d->Engine.get(), engine);
  EXPECT_EQ(d->TopRow(), 0);
  EXPECT_EQ(d->Extra.OnlyDifferences, 1);
  const TDiffRows& rows = d->Engine->Rows();
  EXPECT_LT(rows.RowCount(), 41);
  bool separator = false, changed = false;
  for (int32_t row = 0; row < rows.RowCount(); ++row) {
    const TDiffLine* left = rows.At(0, row);
    separator |= left && left->Separator();
    changed |= left && left->Changed() && std::string(left->Text) == "Zeile 21";
  }
  EXPECT_TRUE(separator);
  EXPECT_TRUE(changed);
  EXPECT_EQ(Host->LastCount(), 2);
  // Separators paint a rule and no number.
  size_t from = Repaint(d->Panes[0]);
  int lines = 0;
  for (const TPaintRecord& r : RecordsOf(d->Panes[0], from))
    lines += r.Op == TPaintRecord::TOp::Line && r.Rect.Left == d->Gutter;
  EXPECT_GE(lines, 1);
  CompareWindowCommand(w, 909);
  EXPECT_EQ(d->RowCount(), 42);
}

TEST_F(CompareWindowTest, ScrollKeysMoveBothPanesTogether) {
  std::string longLine(300, 'x');
  std::string a = Dir.Write("a.txt", Numbered(1, 80) + longLine + "\r\n\tTab\r\n");
  std::string b = Dir.Write("b.txt", Numbered(1, 80));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  EXPECT_GE(d->WidestColumns, 300);
  Key(w, VK_END);
  EXPECT_GT(d->Scroller->PosX, 0);
  EXPECT_EQ(d->Scroller->PosX, d->Scroller->RangeX);
  Key(w, VK_HOME);
  EXPECT_EQ(d->Scroller->PosX, 0);
  Key(w, VK_NEXT);
  EXPECT_EQ(d->TopRow(), d->Scroller->PageStepY);
  Key(w, VK_HOME, false, true);
  EXPECT_EQ(d->TopRow(), 0);
  SendMessage(w, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(d->TopRow(), 1);
  SendMessage(w, WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 50), 0);
  EXPECT_EQ(d->TopRow(), 50);
  // Both panes show the same rows.
  size_t from = Repaint(d->Panes[0]);
  Repaint(d->Panes[1]);
  std::string left, right;
  for (const TPaintRecord& r : RecordsOf(d->Panes[0], from))
    if (r.Op == TPaintRecord::TOp::Text && r.Rect.Top == 0 && r.Rect.Left >= d->Gutter) left = r.Text;
  for (const TPaintRecord& r : RecordsOf(d->Panes[1], from))
    if (r.Op == TPaintRecord::TOp::Text && r.Rect.Top == 0 && r.Rect.Left >= d->Gutter) right = r.Text;
  EXPECT_EQ(left, "Zeile 51");
  EXPECT_EQ(right, "Zeile 51");
}

TEST_F(CompareWindowTest, FailuresShowTheirMessageAndLeaveNoWindow) {
  std::string a = Dir.Write("a.txt", "eins\r\n");
  std::string missing = Dir.File("fehlt.txt");
  EXPECT_EQ(Open(a, missing), 0u);
  ASSERT_EQ(Backend->Boxes.size(), 1u);
  EXPECT_NE(Backend->Boxes[0].Text.find("\n\n" + missing + "\n\n"), std::string::npos);
  std::string binary = Dir.Write("bin.dat", std::string("a\0b\r\n", 5));
  EXPECT_EQ(Open(binary, a), 0u);
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_NE(Backend->Boxes[1].Text.find(binary), std::string::npos);
  EXPECT_TRUE(MdiChildren(Host->Client).empty());
  // The numbering counts windows only.
  EXPECT_EQ(GetWindowText(Open(a, a)), "Dateivergleich 1");
  EXPECT_EQ(GetWindowText(Open(a, a)), "Dateivergleich 2");
}

TEST_F(CompareWindowTest, LongComparisonsLetMessagesThroughAndCanBeCancelled) {
  std::string a = Dir.Write("a.txt", Numbered(1, 3000));
  std::string b = Dir.Write("b.txt", Numbered(1, 3000, "Reihe "));
  // Messages posted before run while the comparison goes on.
  PostMessage(Host->Frame, WM_USER + 950, 0, 0);
  int calls = 0;
  bool seenDuring = false;
  Host->Host.Run.Interval = 64;
  Host->Host.Run.GoOn = [&] {
    ++calls;
    seenDuring |= !Host->Posted.empty();
    return true;
  };
  TWindow w = Open(a, b);
  EXPECT_NE(w, 0u);
  EXPECT_GT(calls, 10);
  EXPECT_TRUE(seenDuring);

  // Cancelled by the hook: no window, no message, no number used.
  const size_t windows = MdiChildren(Host->Client).size();
  const int32_t counter = Host->Counter;
  calls = 0;
  Host->Host.Run.GoOn = [&] { return ++calls < 5; };
  EXPECT_EQ(Open(a, b), 0u);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(MdiChildren(Host->Client).size(), windows);
  EXPECT_TRUE(Backend->Boxes.empty());
  EXPECT_EQ(Host->Counter, counter);

  // Escape cancels as well.
  Host->Host.Run.GoOn = nullptr;
  SetFocus(Host->Frame);
  ScriptKey(VK_ESCAPE);
  EXPECT_EQ(Open(a, b), 0u);
  EXPECT_EQ(MdiChildren(Host->Client).size(), windows);

  // A refresh cancelled keeps the last result; a close during it waits for its end.
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  const int32_t rowsBefore = d->RowCount();
  Dir.Write("b.txt", Numbered(1, 3000));
  SetDefaultCompareInterval(16);
  PostMessage(w, WM_CLOSE, 0, 0);
  CompareWindowCommand(w, 907);
  SetDefaultCompareInterval(0);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(w));
  (void)rowsBefore;
}

TEST_F(CompareWindowTest, CancelledRefreshKeepsTheRowsShown) {
  std::string a = Dir.Write("a.txt", Numbered(1, 2000));
  std::string b = Dir.Write("b.txt", Numbered(1, 1000) + "x\r\n" + Numbered(1001, 2000));
  TWindow w = Open(a, b);
  TDiffChildData* d = Diff(w);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(Host->LastCount(), 1);
  Dir.Write("b.txt", Numbered(1, 2000));
  SetDefaultCompareInterval(16);
  Key(w, VK_ESCAPE);  // nothing to cancel yet: ignored
  // Escape arrives while the refresh runs.
  PostMessage(w, WM_KEYDOWN, VK_ESCAPE, 0);
  CompareWindowCommand(w, 907);
  SetDefaultCompareInterval(0);
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(d->RowCount(), 2002);
  EXPECT_TRUE(d->Engine->Rows().IsDifferenceRow(1000));
  CompareWindowCommand(w, 907);
  EXPECT_EQ(d->RowCount(), 2001);
  EXPECT_EQ(Host->LastCount(), 0);
}

TEST_F(CompareWindowTest, EngineReportsCancelledAndKeepsNoRows) {
  std::string a = Dir.Write("a.txt", Numbered(1, 500));
  std::string b = Dir.Write("b.txt", Numbered(1, 400));
  TCompareEngine engine;
  {
    TCompareKeepAlive alive([] { return false; }, 1);
    EXPECT_EQ(engine.Compare(a, b, TDiffOptions{}, false), csCancelled);
    EXPECT_TRUE(alive.Cancelled());
  }
  EXPECT_EQ(engine.Rows().RowCount(), 0);
  EXPECT_TRUE(engine.Result().empty());
  // Without a keep-alive the same engine compares to the end.
  EXPECT_EQ(engine.Compare(a, b, TDiffOptions{}, false), csOk);
  EXPECT_EQ(engine.Rows().DifferenceRows(), 100);
}

TEST_F(CompareWindowTest, GotoShowsBothFilesAndTilesOnlyWhenAWindowWasOpened) {
  std::string a = Dir.Write("a.txt", "eins\r\n");
  // Compare windows stand in for the editor windows the frame would find or open.
  TWindow other = Open(a, a);
  TWindow second = Open(a, a);
  TWindow compare = Open(a, a);
  ASSERT_TRUE(other && second && compare);
  TWindow opened = 0;
  std::vector<std::pair<std::string, int32_t>> asked;
  auto open = [&](const std::string& name, int32_t line) {
    asked.emplace_back(name, line);
    if (name == "/x/b.txt") return std::pair<TWindow, bool>{second, false};
    opened = Open(a, a);
    return std::pair<TWindow, bool>{opened, true};
  };
  TGotoDiffParam request;
  request.FirstFile = "/x/a.txt";
  request.SecondFile = "/x/b.txt";
  request.FirstLine = 4;
  request.SecondLine = 6;
  SendMessage(second, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ShowComparedFiles(Host->Client, request, open);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], (std::pair<std::string, int32_t>{"/x/a.txt", 4}));
  EXPECT_EQ(asked[1], (std::pair<std::string, int32_t>{"/x/b.txt", 6}));
  EXPECT_TRUE(IsIconic(other));
  EXPECT_TRUE(IsIconic(compare));
  EXPECT_FALSE(IsIconic(second));
  EXPECT_FALSE(IsIconic(opened));
  EXPECT_EQ(MdiGetActive(Host->Client), opened);
  // One above the other.
  EXPECT_LE(GetWindowRect(opened).Bottom, GetWindowRect(second).Top + 1);

  // Nothing opened, one file wanted: no window changes its state.
  SendMessage(Host->Client, WM_MDIRESTORE, static_cast<uintptr_t>(other), 0);
  request.FirstLine = -1;
  asked.clear();
  ShowComparedFiles(Host->Client, request, open);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_FALSE(IsIconic(other));
  EXPECT_EQ(MdiGetActive(Host->Client), second);
}
