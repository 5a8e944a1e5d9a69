// The dialog "Z&K Quellwerk: Dateien vergleichen" driven like a user would.
#include <gtest/gtest.h>

#include "editor/compare/CompareDialog.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tests/support/TempDir.h"

using namespace platform;

class CompareDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    Backend = backend.get();
    InitUi(std::move(backend));
    TWindowClass cls;
    cls.Name = "CmpDialogOwner";
    cls.Proc = DefWindowProc;
    (void)RegisterWindowClass(cls);
    Owner = CreateWindowEx(0, "CmpDialogOwner", "Owner", 0, TRect{0, 0, 640, 480}, 0, nullptr);
  }
  void TearDown() override { ShutdownUi(); }
  bool Run(TCompareParam& param, TScriptSteps& steps) {
    Backend->SetIdleScript([&] { return steps.Step(); });
    return RunCompareDialog(Owner, param, TCompareDialogSetup{});
  }
  static TWindow DialogOf() { return GetParent(GetFocus()); }
  static bool OkEnabled() { return IsWindowEnabled(GetDlgItem(DialogOf(), IDOK)); }

  THeadlessBackend* Backend = nullptr;
  TWindow Owner = 0;
};

TEST_F(CompareDialogTest, OkOnlyWithBothNamesHistoriesBrowseAndOptions) {
  TTempDir dir;
  const std::string chosen = dir.Write("gewählt.txt", "x\r\n");
  TCompareParam param;
  param.FirstHistory = {"/h/erste.txt", "/h/alt.txt"};
  param.SecondHistory = {"/h/zweite.txt"};
  param.IgnoreSpaces = 1;
  std::vector<bool> ok;
  TWindow dialog = 0;
  TScriptSteps steps;
  steps.Then([&] {
         dialog = DialogOf();
         EXPECT_EQ(GetWindowText(dialog), "Z&K Quellwerk: Dateien vergleichen");
         EXPECT_EQ(SendDlgItemMessage(dialog, kCmpFirstCombo, CB_GETCOUNT, 0, 0), 2);
         EXPECT_EQ(SendDlgItemMessage(dialog, kCmpSecondCombo, CB_GETCOUNT, 0, 0), 1);
         EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kCmpIgnoreBlankLines)));
         EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kCmpIgnoreCase)));
         EXPECT_EQ(IsDlgButtonChecked(dialog, kCmpIgnoreSpaces), BST_CHECKED);
         ok.push_back(OkEnabled());
         GotoDlgCtrl(GetDlgItem(dialog, kCmpFirstCombo));
         ScriptType("  a.txt ");
       })
      .Then([&] {
        ok.push_back(OkEnabled());
        GotoDlgCtrl(GetDlgItem(dialog, kCmpSecondCombo));
        ScriptType("   ");
      })
      .Then([&] {
        ok.push_back(OkEnabled());  // blanks are no name
        ScriptType("b.txt");
      })
      .Then([&] {
        ok.push_back(OkEnabled());
        QueueFileAnswer([&](TFileDialog& d) {
          EXPECT_EQ(d.Title, "Datei auswählen");
          d.Files = {chosen};
          return true;
        });
        SendMessage(dialog, WM_COMMAND, MakeWParam(kCmpFirstBrowse, BN_CLICKED),
                    static_cast<intptr_t>(GetDlgItem(dialog, kCmpFirstBrowse)));
        CheckDlgButton(dialog, kCmpIgnoreSpaces, BST_UNCHECKED);
        CheckDlgButton(dialog, kCmpIgnoreCase, BST_CHECKED);
        GotoDlgCtrl(GetDlgItem(dialog, kCmpIgnoreCase));
        ScriptKey(VK_RETURN);
      });
  EXPECT_TRUE(Run(param, steps));
  EXPECT_EQ(ok, (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(param.FirstFile, chosen);
  EXPECT_EQ(param.SecondFile, "b.txt");
  EXPECT_EQ(param.IgnoreSpaces, 0);
  EXPECT_EQ(param.IgnoreCase, 1);
  EXPECT_EQ(param.IgnoreBlankLines, 0);
}

TEST_F(CompareDialogTest, PresetNamesEnableOkAndCancelKeepsTheRecord) {
  TCompareParam param;
  param.FirstFile = "/h/erste.txt";
  param.SecondFile = "/h/zweite.txt";
  bool okAtStart = false;
  TScriptSteps steps;
  steps.Then([&] {
         okAtStart = OkEnabled();
         ScriptKey(VK_ESCAPE);
       });
  EXPECT_FALSE(Run(param, steps));
  EXPECT_TRUE(okAtStart);
  EXPECT_EQ(param.FirstFile, "/h/erste.txt");
  EXPECT_EQ(param.IgnoreCase, 0);
}
