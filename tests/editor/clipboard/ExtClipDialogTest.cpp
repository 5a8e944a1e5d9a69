// The dialog "Erweiterte Zwischenablage": its lines, every button and when each is enabled.
#include "tests/editor/clipboard/ClipFixture.h"

#include "editor/clipboard/ExtClipDialog.h"
#include "platform/ui/ListBox.h"

using namespace platform;

namespace {

std::string Line(TWindow dialog, int32_t index) {
  std::string text;
  SendDlgItemMessage(dialog, idSlotList, LB_GETTEXT, static_cast<uintptr_t>(index), reinterpret_cast<intptr_t>(&text));
  return text;
}

bool Enabled(TWindow dialog, int32_t id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

// Insert & close, from selection, from clipboard, to clipboard, clear, clear all.
std::string States(TWindow dialog) {
  std::string s;
  for (int32_t id : {idSlotInsertClose, idSlotFromSelection, idSlotFromClipboard, idSlotToClipboard,
                     idSlotClear, idSlotClearAll}) {
    s += Enabled(dialog, id) ? '1' : '0';
  }
  return s;
}

void Choose(TWindow dialog, int32_t index) {
  SendMessage(GetDlgItem(dialog, idSlotList), kCtlUserSelect, static_cast<uintptr_t>(index), 0);
}

void Click(TWindow dialog, int32_t id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

int32_t Selected(TWindow dialog) {
  return static_cast<int32_t>(SendDlgItemMessage(dialog, idSlotList, LB_GETCURSEL, 0, 0));
}

}  // namespace

using ExtClipDialogTest = ClipFixture;

TEST_F(ExtClipDialogTest, ButtonsActOnTheSelectedSlotAndFollowItsState) {
  TWindow w = Open("a.txt", "eins zwei");
  ASSERT_TRUE(Slots().Set(0, "a\tb\r\nc"));
  ASSERT_TRUE(Slots().Set(2, "x"));
  ASSERT_TRUE(OpenClipboard(Frame->Window));
  EmptyClipboard();
  CloseClipboard();
  bool checked = false;
  TScriptSteps steps;
  steps.Then([&] {
    TWindow dlg = FocusDialog();
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(GetWindowText(dlg), "Erweiterte Zwischenablage");
    ASSERT_EQ(SendDlgItemMessage(dlg, idSlotList, LB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(Line(dlg, 0), "0:  a»b¶c");
    EXPECT_EQ(Line(dlg, 1), "1:     <nicht belegt>");
    EXPECT_EQ(Line(dlg, 2), "2:  x");
    EXPECT_EQ(Selected(dlg), 0);
    // Writable window, slot filled, no selection, empty clipboard.
    EXPECT_EQ(States(dlg), "100111");
    Choose(dlg, 1);
    EXPECT_EQ(States(dlg), "000001");
    // Slot 0 onto the system clipboard; the clipboard's button comes alive.
    Choose(dlg, 0);
    Click(dlg, idSlotToClipboard);
    EXPECT_EQ(ClipboardText(), "a\tb\r\nc");
    EXPECT_EQ(States(dlg), "101111");
    // The clipboard into slot 1: its line is rebuilt where it stands.
    Choose(dlg, 1);
    Click(dlg, idSlotFromClipboard);
    EXPECT_EQ(Slots().Slot(1), "a\tb\r\nc");
    EXPECT_EQ(Line(dlg, 1), "1:  a»b¶c");
    EXPECT_EQ(Selected(dlg), 1);
    EXPECT_EQ(SendDlgItemMessage(dlg, idSlotList, LB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(States(dlg), "101111");
    Click(dlg, idSlotClear);
    EXPECT_FALSE(Slots().Filled(1));
    EXPECT_EQ(Line(dlg, 1), "1:     <nicht belegt>");
    EXPECT_EQ(States(dlg), "001001");
    Click(dlg, IDHELP);
    Click(dlg, idSlotClearAll);
    EXPECT_FALSE(Slots().AnyFilled());
    EXPECT_EQ(Line(dlg, 0), "0:     <nicht belegt>");
    EXPECT_EQ(Line(dlg, 2), "2:     <nicht belegt>");
    EXPECT_EQ(Selected(dlg), 1);
    EXPECT_EQ(States(dlg), "001000");
    checked = true;
    Click(dlg, IDCANCEL);
  });
  RunWith(159, steps);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(steps.Done());
  ASSERT_EQ(Spawned.size(), 1u);
  EXPECT_EQ(Spawned[0], (std::vector<std::string>{"xdg-open", Frame->HelpFile}));
  EXPECT_EQ(Text(Edit(w)), "eins zwei");
  EXPECT_EQ(Frame->Active(), w);
}

TEST_F(ExtClipDialogTest, SelectionIntoASlotAndInsertAndClose) {
  TWindow w = Open("a.txt", "eins zwei");
  TEditChildData* d = Edit(w);
  Select(d, 0, 0, 0, 5);
  TScriptSteps steps;
  steps.Then([&] {
    TWindow dlg = FocusDialog();
    ASSERT_NE(dlg, 0u);
    Choose(dlg, 4);
    EXPECT_EQ(States(dlg), "010000");
    Click(dlg, idSlotFromSelection);
    EXPECT_EQ(Slots().Slot(4), "eins ");
    EXPECT_EQ(Line(dlg, 4), "4:  eins ");
    EXPECT_EQ(States(dlg), "110111");
    d->SetCaret(9, 0, false, false);  // the window's selection goes away meanwhile
    Click(dlg, idSlotClear);
    EXPECT_EQ(States(dlg), "000000");
    ASSERT_TRUE(Slots().Set(4, "!"));
    Choose(dlg, 3);
    Choose(dlg, 4);  // the states are worked out again on the change of selection
    EXPECT_EQ(States(dlg), "100111");
    Click(dlg, idSlotInsertClose);
  });
  RunWith(159, steps);
  EXPECT_TRUE(steps.Done());
  EXPECT_EQ(Text(d), "eins zwei!");
  Frame->Command(144);
  EXPECT_EQ(Text(d), "eins zwei");
  EXPECT_EQ(FocusDialog(), 0u);
}

TEST_F(ExtClipDialogTest, NothingIsInsertedIntoAReadOnlyWindowAndDosWindowsShowTheirCodePage) {
  TWindow w = Open("a.txt", "fest", true);
  ASSERT_TRUE(Slots().Set(0, "Gr\x81\xE1" "e"));
  ChildSetDosMode(w, true);
  TScriptSteps steps;
  steps.Then([&] {
    TWindow dlg = FocusDialog();
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(Line(dlg, 0), "0:  Grüße");
    EXPECT_FALSE(Enabled(dlg, idSlotInsertClose));
    // Enter does not reach a greyed default button.
    ScriptKey(VK_RETURN);
  });
  steps.Then([&] {
    TWindow dlg = FocusDialog();
    ASSERT_NE(dlg, 0u);
    Click(dlg, IDCANCEL);
  });
  RunWith(159, steps);
  EXPECT_TRUE(steps.Done());
  EXPECT_EQ(Text(Edit(w)), "fest");
}
