// The global search inside the editor's frame: command 183 through the dialog, the hit
// list's status texts, and a hit opened in the text editor at its line and column.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "editor/frame/Frame.h"
#include "editor/grep/GrepDialog.h"
#include "editor/grep/GrepWindow.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

class GrepFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    Frame = std::make_unique<TFrame>();
    Frame->Profile = std::make_unique<TProfileFile>(Dir.File("ZKEdit32.Ini"));
    Frame->ColorFile = Dir.File("ZKColors.Ini");
    Frame->Options.AutoOpen = 0;
    ASSERT_TRUE(Frame->Create());
    Frame->Show();
    RunPendingMessages();
    Backend->SetIdleScript([this] { return Steps.Step(); });
  }
  void TearDown() override {
    Frame.reset();
    ShutdownUi();
  }
  static TWindow FocusDialog() {
    TWindow w = GetFocus();
    while (w && GetClassName(w) != kDialogClass) w = GetParent(w);
    return w;
  }

  TTempDir Dir;
  THeadlessBackend* Backend = nullptr;
  std::unique_ptr<TFrame> Frame;
  TScriptSteps Steps;
};

TEST_F(GrepFrameTest, CommandSearchesAndAHitOpensAtItsLineAndColumn) {
  mkdir(Dir.File("src").c_str(), 0755);
  Dir.Write("src/a.txt", "eins\r\nzwei\r\n  drei Ziel\r\n");
  Frame->Options.GrepDirs.Assign({Dir.File("src")});
  EXPECT_TRUE(Frame->IsAvailable(183));
  Steps.Then([] {
    TWindow d = FocusDialog();
    ASSERT_NE(d, 0u);
    SetDlgItemText(d, kGdText, "ziel");
    SetDlgItemText(d, kGdMasks, "*.txt");
    SendMessage(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  Frame->Command(183);
  RunPendingMessages();
  TWindow list = Frame->Active();
  TGrepChildData* d = GrepChildOf(list);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Frame->Modeless, 0u);
  // Bar mode: line, no column, "LIST", the character set, then the counts.
  ASSERT_TRUE(d->BarMode);
  std::vector<std::string> parts;
  for (int32_t i = 0; i < 6; ++i) parts.push_back(StatusBarText(Frame->StatusBar, i));
  EXPECT_EQ(parts, (std::vector<std::string>{"Z:  1", "", "LIST", "WIN", "Dateien: 1",
                                              "Textstellen: 1"}));
  EXPECT_TRUE(Frame->IsAvailable(157));

  // Caret mode, the caret on the "Z" of the hit: the file opens there.
  Frame->Command(152);
  EXPECT_FALSE(d->BarMode);
  Frame->UpdateStatus();
  EXPECT_EQ(StatusBarText(Frame->StatusBar, 1), "S:  1");
  EXPECT_EQ(StatusBarText(Frame->StatusBar, 2), "EDIT");
  d->SetCaret(8 + 7, 1, false, false);
  SetFocus(list);
  ScriptKey(VK_RETURN);
  RunPendingMessages();
  auto* edit = dynamic_cast<TEditChildData*>(GetChildData(Frame->Active()));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->FileName, Dir.File("src/a.txt"));
  EXPECT_EQ(edit->Caret.Line, 2);
  EXPECT_EQ(edit->Caret.Column, 7);
}
