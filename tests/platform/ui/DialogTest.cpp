// Dialogs from templates driven by a script: modal with an end code, modeless through the
// application's loop, and the dialog keys (Tab order, groups, Enter, Escape, mnemonics).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/Input.h"

using namespace platform;

namespace {

enum : int32_t { idText = 101, idCase = 102, idUp = 103, idDown = 104, idHistory = 105,
                 idFind = IDOK, idLabel = 110, idHidden = 111 };

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr TDialogItem kFindItems[] = {
    {kStaticClass, "Zu suchender &Text:", WS_VISIBLE, {7, 7, 80, 17}, idLabel},
    {kEditClass, "", kTab | WS_GROUP | ES_AUTOHSCROLL, {80, 6, 200, 18}, idText},
    {kButtonClass, "&Groß-/Kleinschreibung", kTab | WS_GROUP | BS_AUTOCHECKBOX, {7, 24, 120, 34}, idCase},
    {kButtonClass, "Richtung", WS_VISIBLE | BS_GROUPBOX, {130, 22, 200, 60}, -1},
    {kButtonClass, "&Aufwärts", kTab | WS_GROUP | BS_AUTORADIOBUTTON, {135, 32, 195, 42}, idUp},
    {kButtonClass, "A&bwärts", WS_VISIBLE | BS_AUTORADIOBUTTON, {135, 44, 195, 54}, idDown},
    {kComboBoxClass, "", kTab | WS_GROUP | CBS_DROPDOWN, {7, 40, 120, 90}, idHistory},
    {kButtonClass, "&Suchen", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {7, 100, 57, 114}, idFind},
    {kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {65, 100, 115, 114}, IDCANCEL},
    {kButtonClass, "&Versteckt", WS_TABSTOP | BS_PUSHBUTTON, {120, 100, 170, 114}, idHidden},
};
constexpr TDialogTemplate kFind{"Suchen", {210, 120}, kFindItems, WS_VISIBLE};

struct TLog {
  std::vector<std::string> Events;
  std::string TextAtEnd;
  bool CaseAtEnd = false;
};
TLog* gLog = nullptr;

intptr_t FindProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      gLog->Events.push_back("init " + std::to_string(lParam));
      SendDlgItemMessage(dialog, idText, EM_LIMITTEXT, 80, 0);
      SendDlgItemMessage(dialog, idHistory, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>("alpha"));
      CheckRadioButton(dialog, idUp, idDown, idDown);
      EnableWindow(GetDlgItem(dialog, IDOK), false);
      return 1;
    case WM_COMMAND: {
      int32_t id = static_cast<int32_t>(LoWord(wParam));
      uint32_t code = HiWord(wParam);
      if (id == idText && code == EN_CHANGE) {
        // OK only while there is something to search for.
        EnableWindow(GetDlgItem(dialog, IDOK), !GetDlgItemText(dialog, idText).empty());
        return 1;
      }
      if (code != BN_CLICKED) return 0;
      gLog->Events.push_back("click " + std::to_string(id));
      if (id == IDOK || id == IDCANCEL) {
        gLog->TextAtEnd = GetDlgItemText(dialog, idText);
        gLog->CaseAtEnd = IsDlgButtonChecked(dialog, idCase) == BST_CHECKED;
        EndDialog(dialog, id == IDOK ? 42 : IDCANCEL);
      }
      return 1;
    }
    default:
      return 0;
  }
}

class DialogTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    gLog = &Log;
  }
  // Runs the steps from the modal loop's idle time.
  intptr_t RunModal(TWindow owner, TScriptSteps& steps) {
    Backend->SetIdleScript([&] { return steps.Step(); });
    return DialogBox(owner, kFind, FindProc, 7);
  }
  TLog Log;
};

TEST_F(DialogTest, ModalDialogTypedIntoAndEndedWithEnterReturnsItsCode) {
  TWindow owner = Make(640, 480);
  TWindow dialog = 0;
  std::vector<bool> ownerEnabled;
  TScriptSteps steps;
  steps.Then([&] {
         dialog = GetParent(GetFocus());
         ownerEnabled.push_back(IsWindowEnabled(owner));
         // The first tab stop has the focus; OK is disabled while the text is empty.
         EXPECT_EQ(GetDlgCtrlID(GetFocus()), idText);
         ScriptKey(VK_RETURN);
       })
      .Then([&] { ScriptType("für"); })
      .Then([&] { ScriptKey(VK_RETURN); });
  intptr_t result = RunModal(owner, steps);
  EXPECT_EQ(result, 42);
  EXPECT_EQ(Log.TextAtEnd, "für");
  ASSERT_FALSE(Log.Events.empty());
  EXPECT_EQ(Log.Events.front(), "init 7");
  // The first Enter found OK disabled and did nothing but beep.
  EXPECT_EQ(std::count(Log.Events.begin(), Log.Events.end(), "click 1"), 1);
  EXPECT_FALSE(Backend->Beeps.empty());
  EXPECT_EQ(ownerEnabled, std::vector<bool>{false});
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(DialogTest, EscapeCancelsAndTabOrderSkipsHiddenAndDisabledControls) {
  TWindow owner = Make(640, 480);
  std::vector<int32_t> order;
  TScriptSteps steps;
  auto note = [&] { order.push_back(GetDlgCtrlID(GetFocus())); };
  steps.Then([&] { ScriptKey(VK_TAB); })
      .Then(note)
      .Then([&] { ScriptKey(VK_TAB); })
      .Then(note)
      .Then([&] { ScriptKey(VK_TAB); })
      .Then(note)
      .Then([&] { ScriptKey(VK_TAB); })
      .Then(note)
      .Then([&] { ScriptKey(VK_TAB); })
      .Then(note)
      .Then([&] { ScriptKey(VK_TAB, true); })
      .Then(note)
      .Then([&] { ScriptKey(VK_ESCAPE); });
  intptr_t result = RunModal(owner, steps);
  EXPECT_EQ(result, IDCANCEL);
  // Text -> check box -> the checked radio button of its group -> combo box -> (OK is
  // disabled, "Versteckt" hidden) Abbrechen -> wraps to the text; Shift+Tab goes back.
  EXPECT_EQ(order, (std::vector<int32_t>{idCase, idDown, idHistory, IDCANCEL, idText, IDCANCEL}));
  EXPECT_EQ(Log.Events.back(), "click 2");
}

TEST_F(DialogTest, ArrowsMoveInsideAGroupAndCheckAutomaticRadioButtons) {
  TWindow owner = Make(640, 480);
  std::vector<intptr_t> checks;
  TWindow dialog = 0;
  TScriptSteps steps;
  steps.Then([&] {
         dialog = GetParent(GetFocus());
         GotoDlgCtrl(GetDlgItem(dialog, idDown));
         ScriptKey(VK_UP);
       })
      .Then([&] {
        checks.push_back(IsDlgButtonChecked(dialog, idUp));
        checks.push_back(IsDlgButtonChecked(dialog, idDown));
        // The group ends before the combo box: Down wraps to the group's other button.
        ScriptKey(VK_DOWN);
      })
      .Then([&] {
        checks.push_back(IsDlgButtonChecked(dialog, idUp));
        checks.push_back(GetDlgCtrlID(GetFocus()));
        ScriptKey(VK_ESCAPE);
      });
  RunModal(owner, steps);
  EXPECT_EQ(checks, (std::vector<intptr_t>{BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED, idDown}));
}

TEST_F(DialogTest, MnemonicsFocusThroughLabelsAndPressButtonsAndCheckBoxes) {
  TWindow owner = Make(640, 480);
  TWindow dialog = 0;
  std::vector<std::string> seen;
  TScriptSteps steps;
  steps.Then([&] {
         dialog = GetParent(GetFocus());
         GotoDlgCtrl(GetDlgItem(dialog, IDCANCEL));
         ScriptAltKey('t');  // the label's mnemonic: focus to the field after it
       })
      .Then([&] {
        seen.push_back("focus " + std::to_string(GetDlgCtrlID(GetFocus())));
        ScriptAltKey('G');  // toggles the check box, without regard to case
      })
      .Then([&] {
        seen.push_back("case " + std::to_string(IsDlgButtonChecked(dialog, idCase)));
        // A plain letter is a mnemonic while a button has the focus.
        ScriptType("b");
      })
      .Then([&] {
        seen.push_back("down " + std::to_string(IsDlgButtonChecked(dialog, idDown)) + " up " +
                       std::to_string(IsDlgButtonChecked(dialog, idUp)));
        ScriptAltKey('v');  // a hidden button is pressed by its mnemonic
      })
      .Then([&] {
        GotoDlgCtrl(GetDlgItem(dialog, idText));
        ScriptType("x");
      })
      .Then([&] { ScriptAltKey('s'); });  // "&Suchen" is the OK button
  intptr_t result = RunModal(owner, steps);
  EXPECT_EQ(result, 42);
  EXPECT_EQ(seen, (std::vector<std::string>{"focus 101", "case 1", "down 1 up 0"}));
  EXPECT_EQ(Log.TextAtEnd, "x");
  EXPECT_TRUE(Log.CaseAtEnd);
  EXPECT_EQ(std::count(Log.Events.begin(), Log.Events.end(), "click 111"), 1);
}

TEST_F(DialogTest, ModelessDialogWorksThroughTheApplicationLoopAndEndsByDestroying) {
  TWindow owner = Make(640, 480);
  TWindow dialog = CreateDialog(owner, kFind, FindProc, 3);
  ASSERT_NE(dialog, 0u);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));  // modeless: the owner stays usable
  EXPECT_EQ(GetDialogOwner(dialog), owner);
  TMsg msg;
  auto pump = [&] {
    while (PeekMessage(msg, true)) {
      if (!IsAnyDialogMessage(msg)) DispatchMessage(msg);
    }
  };
  ScriptType("ab");
  ScriptKey(VK_TAB);
  pump();
  ScriptKey(VK_SPACE);
  pump();
  EXPECT_EQ(GetDlgItemText(dialog, idText), "ab");
  EXPECT_EQ(IsDlgButtonChecked(dialog, idCase), BST_CHECKED);
  // A message that is not for the dialog is left to the loop.
  EXPECT_FALSE(IsAnyDialogMessage(TMsg{owner, WM_KEYDOWN, VK_ESCAPE, 0}));
  PostMessage(GetDlgItem(dialog, idText), WM_KEYDOWN, VK_ESCAPE, 0);
  pump();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(Log.Events.back(), "click 2");
}

intptr_t gInner = 0;

// A dialog whose "Versteckt" button opens another modal dialog over it.
intptr_t OuterProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == WM_COMMAND && LoWord(wParam) == static_cast<uint32_t>(idHidden)) {
    gInner = DialogBox(dialog, kFind, FindProc, 9);
    return 1;
  }
  return FindProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, ModalDialogOpenedFromAModalDialogGivesItBackItsKeys) {
  TWindow owner = Make(640, 480);
  std::vector<bool> outerEnabled;
  TWindow outer = 0;
  TScriptSteps steps;
  steps.Then([&] {
         outer = GetParent(GetFocus());
         ScriptAltKey('v');  // opens the inner dialog
       })
      .Then([&] {
        outerEnabled.push_back(IsWindowEnabled(outer));
        ScriptKey(VK_ESCAPE);  // ends the inner one only
      })
      .Then([&] {
        outerEnabled.push_back(IsWindowEnabled(outer));
        GotoDlgCtrl(GetDlgItem(outer, idText));
        ScriptType("z");
      })
      .Then([&] { ScriptKey(VK_RETURN); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  EXPECT_EQ(DialogBox(owner, kFind, OuterProc, 8), 42);
  EXPECT_EQ(gInner, IDCANCEL);
  EXPECT_EQ(outerEnabled, (std::vector<bool>{false, true}));
  EXPECT_EQ(Log.TextAtEnd, "z");
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, DestroyingTheOwnerDestroysItsDialogsFirst) {
  TWindow owner = Make(640, 480);
  TWindow other = Make(100, 100);
  TWindow a = CreateDialog(owner, kFind, FindProc, 1);
  TWindow b = CreateDialog(other, kFind, FindProc, 2);
  // A modal dialog whose owner goes away while it runs ends without a result.
  TScriptSteps steps;
  steps.Then([&] { DestroyWindow(owner); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  EXPECT_EQ(DialogBox(owner, kFind, FindProc, 3), -1);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_FALSE(IsWindow(a));
  EXPECT_TRUE(IsWindow(b));
}

TEST_F(DialogTest, DialogUnitsFollowTheFontAndBadTemplatesMakeNoDialog) {
  TSize base = GetDialogBaseUnits();
  ASSERT_GT(base.Width, 0);
  TRect r = MapDialogRect(TRect{4, 8, 44, 24});
  EXPECT_EQ(r, (TRect{base.Width, base.Height, 11 * base.Width, 3 * base.Height}));
  constexpr TDialogItem kBad[] = {{"NoSuchClass", "", WS_VISIBLE, {0, 0, 10, 10}, 1}};
  TWindow owner = Make();
  EXPECT_EQ(DialogBox(owner, TDialogTemplate{"x", {50, 50}, kBad}, FindProc, 0), -1);
  EXPECT_EQ(CreateDialog(owner, TDialogTemplate{"x", {50, 50}, kBad}, FindProc, 0), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, QuitWhileModalEndsTheDialogAndReachesTheOuterLoop) {
  TWindow owner = Make(640, 480);
  TScriptSteps steps;
  steps.Then([] { PostQuitMessage(5); });
  intptr_t result = RunModal(owner, steps);
  EXPECT_EQ(result, IDCANCEL);
  TMsg msg;
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.WParam, 5u);
}

TEST_F(DialogTest, MnemonicAfterADoubledAmpersandMayBeAnUmlaut) {
  constexpr TDialogItem kItems[] = {
      {kButtonClass, "Compilieren&&&Übertragen", kTab | BS_PUSHBUTTON, {4, 4, 90, 18}, 201},
      {kButtonClass, "&Compilieren", kTab | BS_PUSHBUTTON, {4, 20, 90, 34}, 202},
      {kButtonClass, "Abbruch", kTab | BS_PUSHBUTTON, {4, 36, 90, 50}, IDCANCEL},
  };
  TWindow owner = Make(640, 480);
  TWindow dialog = CreateDialog(owner, TDialogTemplate{"VEL Compilieren & Übertragen", {100, 60}, kItems, WS_VISIBLE},
                                FindProc, 0);
  ASSERT_NE(dialog, 0u);
  ScriptAltKey(static_cast<char>(0xFC));  // ü in the Windows code page
  ScriptAltKey('c');
  ScriptAltKey('x');                      // no such mnemonic: a beep
  RunPendingMessages();
  std::vector<std::string> clicks(Log.Events.begin() + 1, Log.Events.end());
  EXPECT_EQ(clicks, (std::vector<std::string>{"click 201", "click 202"}));
  EXPECT_FALSE(Backend->Beeps.empty());
}

}  // namespace
