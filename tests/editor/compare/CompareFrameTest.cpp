// The compare window inside the editor's frame: the command with its dialog, the count in
// the status bar, the go-to that opens editor windows, the menus' check marks.
#include <gtest/gtest.h>

#include "editor/compare/DiffChildData.h"
#include "editor/frame/Frame.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

class CompareFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->Options.AutoOpen = 0;
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
  }
  void TearDown() override {
    Frame.reset();
    ShutdownUi();
  }
  // Command 184 with the dialog confirmed as it comes up.
  TWindow Compare(const std::string& a, const std::string& b) {
    Frame->Options.CompareLeft.Add(a);
    Frame->Options.CompareRight.Add(b);
    TScriptSteps steps;
    steps.Then([] { ScriptKey(VK_RETURN); });
    Backend->SetIdleScript([&] { return steps.Step(); });
    Frame->Command(184);
    Backend->SetIdleScript(nullptr);
    RunPendingMessages();
    return Frame->Active();
  }
  std::string Lines(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) text += "Zeile " + std::to_string(i) + "\r\n";
    return text;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
};

TEST_F(CompareFrameTest, CommandOpensNumberedWindowsWithTheCountInTheStatusBar) {
  std::string a = Dir.Write("a.txt", Lines(1, 10));
  std::string b = Dir.Write("b.txt", Lines(1, 5) + "neu 1\r\nneu 2\r\nneu 3\r\n" + Lines(6, 10));
  TWindow w = Compare(a, b);
  ASSERT_EQ(ChildKind(w), wkDiff);
  EXPECT_EQ(GetWindowText(w), "Dateivergleich 1");
  EXPECT_EQ(StatusBarText(Frame->StatusBar, 0), "3 unterschiedliche Zeile(n) gefunden");
  EXPECT_TRUE(Frame->IsAvailable(904));
  EXPECT_FALSE(Frame->IsAvailable(115));
  // Equal files: the other text, the next number; back to the first window, its count.
  TWindow same = Compare(a, a);
  EXPECT_EQ(GetWindowText(same), "Dateivergleich 2");
  EXPECT_EQ(StatusBarText(Frame->StatusBar, 0), "Keine Unterschiede gefunden!");
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(w), 0);
  RunPendingMessages();
  EXPECT_EQ(StatusBarText(Frame->StatusBar, 0), "3 unterschiedliche Zeile(n) gefunden");
  // The histories keep both names, newest first.
  EXPECT_EQ(Frame->Options.CompareLeft[0], a);
  EXPECT_EQ(Frame->Options.CompareRight[0], a);
}

TEST_F(CompareFrameTest, GotoOpensBothFilesAtTheTopRowAndTilesThem) {
  std::string a = Dir.Write("a.txt", Lines(1, 10));
  std::string b = Dir.Write("b.txt", Lines(1, 5) + "neu 1\r\nneu 2\r\nneu 3\r\n" + Lines(6, 10));
  TWindow w = Compare(a, b);
  ASSERT_EQ(ChildKind(w), wkDiff);
  Frame->Command(904);
  Frame->Command(904);  // top row 6: a filler on the left
  Frame->Command(906);
  RunPendingMessages();
  TWindow left = Frame->FindDocument(a);
  TWindow right = Frame->FindDocument(b);
  ASSERT_NE(left, 0u);
  ASSERT_NE(right, 0u);
  auto* l = dynamic_cast<TEditChildData*>(GetChildData(left));
  auto* r = dynamic_cast<TEditChildData*>(GetChildData(right));
  ASSERT_TRUE(l && r);
  EXPECT_EQ(l->Caret.Line, 4);
  EXPECT_EQ(r->Caret.Line, 6);
  EXPECT_EQ(Frame->Active(), left);
  EXPECT_TRUE(IsIconic(w));
  EXPECT_LE(GetWindowRect(left).Bottom, GetWindowRect(right).Top + 1);
}

TEST_F(CompareFrameTest, MenusCheckTheWindowsViewsAndTogglesChangeThem) {
  std::string a = Dir.Write("a.txt", Lines(1, 4));
  TWindow w = Compare(a, a);
  ASSERT_EQ(ChildKind(w), wkDiff);
  Frame->Command(908);
  Frame->Command(909);
  TMenu popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, 908, "&Fenster untereinander");
  AppendMenu(popup, MF_STRING, 909, "Nur &Unterschiede anzeigen");
  Frame->InitMenuPopup(popup);
  EXPECT_TRUE(GetMenuState(popup, 908, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(popup, 909, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(popup, 909, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(popup);
  // The context menu of a pane: its choice goes to the window.
  auto* shown = dynamic_cast<TDiffChildData*>(GetChildData(w));
  ASSERT_NE(shown, nullptr);
  QueuePopupChoice(909);
  SendMessage(shown->Panes[1], WM_RBUTTONDOWN, 0, MakeLParam(20, 20));
  RunPendingMessages();
  EXPECT_EQ(shown->Extra.OnlyDifferences, 0);
  // A new window starts with the views last chosen.
  TWindow next = Compare(a, a);
  auto* d = dynamic_cast<TDiffChildData*>(GetChildData(next));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->Extra.Layout, dlAboveEachOther);
  EXPECT_EQ(d->Extra.OnlyDifferences, 0);
}
