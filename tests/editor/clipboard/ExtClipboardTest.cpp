// The extended clipboard: the list lines of the slots, copying into and inserting from the
// slots through the accelerators' commands and the frame message, and which windows take part.
#include "tests/editor/clipboard/ClipFixture.h"

#include <sys/stat.h>

#include "editor/clipboard/SlotLine.h"
#include "editor/grep/GrepDialog.h"
#include "editor/text/ChildTypes.h"
#include "platform/ui/Mdi.h"

using namespace platform;

TEST(SlotLineTest, TabsAndLineEndsAreMarkedAndTheLineStopsAfterFiftyBytes) {
  EXPECT_EQ(SlotLine(3, "a\tb\r\nc\rd\ne"), "3:  a\xBB" "b\xB6" "c\xB6" "d\xB6" "e");
  EXPECT_EQ(SlotLine(0, "\n\r\n"), "0:  \xB6\xB6");
  EXPECT_EQ(SlotLine(7, ""), "7:     <nicht belegt>");
  std::string sixty;
  for (int i = 0; i < 6; ++i) sixty += "0123456789";
  EXPECT_EQ(SlotLine(9, sixty), "9:  " + sixty.substr(0, 50));
  // A pair cut by the limit keeps the mark of its CR; a tab as the 51st byte is not shown.
  std::string edge = sixty.substr(0, 49) + "\r\n" + "x";
  EXPECT_EQ(SlotLine(1, edge), "1:  " + sixty.substr(0, 49) + "\xB6");
  EXPECT_EQ(SlotLine(1, sixty.substr(0, 50) + "\t"), "1:  " + sixty.substr(0, 50));
  // The list takes UTF-8: the marks convert from the Windows code page, the content from
  // the window's own one.
  EXPECT_EQ(SlotListText(2, "Gr\xFC\xDF" "e\t1\r\n", false), "2:  Grüße»1¶");
  EXPECT_EQ(SlotListText(2, "Gr\x81\xE1" "e\t", true), "2:  Grüße»");
}

using ExtClipboardTest = ClipFixture;

TEST_F(ExtClipboardTest, AcceleratorsCopyIntoSlotsAndInsertThemAsOneUndoStep) {
  TWindow w = Open("a.txt", "eins zwei\r\ndrei");
  TEditChildData* d = Edit(w);
  Select(d, 0, 5, 0, 9);
  Frame->Command(283);  // Alt+Shift+3
  EXPECT_EQ(Slots().Slot(3), "zwei");
  // Nothing selected: the slot keeps its content.
  d->SetCaret(0, 1, false, false);
  ASSERT_FALSE(d->HasSelection());
  Frame->Command(283);
  EXPECT_EQ(Slots().Slot(3), "zwei");
  Frame->Command(293);  // Alt+3
  EXPECT_EQ(Text(d), "eins zwei|zweidrei");
  EXPECT_EQ(d->Caret, (TTextPos{4, 1}));
  EXPECT_TRUE(d->Modified);
  Frame->Command(144);
  EXPECT_EQ(Text(d), "eins zwei|drei");
  // The frame message does the same: wParam the slot, lParam 1 copies and 0 inserts.
  Select(d, 0, 0, 0, 4);
  EXPECT_EQ(SendMessage(Frame->Window, wm_ExtClipboardSlot, 8, 1), 1);
  EXPECT_EQ(Slots().Slot(8), "eins");
  d->SetCaret(0, 1, false, false);
  EXPECT_EQ(SendMessage(Frame->Window, wm_ExtClipboardSlot, 8, 0), 1);
  EXPECT_EQ(Text(d), "eins zwei|einsdrei");
  EXPECT_EQ(SendMessage(Frame->Window, wm_ExtClipboardSlot, 10, 0), 0);
}

TEST_F(ExtClipboardTest, AnEmptySlotAHexWindowAndAReadOnlyWindowTakeNothing) {
  TWindow w = Open("a.txt", "abc");
  TEditChildData* d = Edit(w);
  size_t beeps = Backend->Beeps.size();
  Frame->Command(295);  // Alt+5, slot 5 empty
  EXPECT_EQ(Text(d), "abc");
  EXPECT_FALSE(d->Modified);
  EXPECT_FALSE(d->CanUndo());
  ASSERT_TRUE(Slots().Set(5, "XY"));
  TWindow hex = Frame->CreateDocumentWindow(wkHex, Dir.Write("b.bin", "0123"), nullptr, false);
  ASSERT_NE(hex, 0u);
  RunPendingMessages();
  ASSERT_EQ(Frame->Active(), hex);
  Frame->Command(295);
  Frame->Command(285);
  EXPECT_FALSE(ChildModified(hex));
  EXPECT_EQ(Slots().Slot(5), "XY");
  EXPECT_EQ(Backend->Beeps.size(), beeps);  // no rule greys the slot commands
  TWindow locked = Open("c.txt", "fest", true);
  Frame->Command(295);
  EXPECT_EQ(Text(Edit(locked)), "fest");
  // A read-only window still gives its selection.
  Select(Edit(locked), 0, 0, 0, 2);
  Frame->Command(285);
  EXPECT_EQ(Slots().Slot(5), "fe");
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(w), 0);
  Frame->Command(295);
  EXPECT_EQ(Text(d), "feabc");
}

TEST_F(ExtClipboardTest, AColumnBlockOverLinesOfDifferentLengthsGivesOnePiecePerLine) {
  TWindow w = Open("a.txt", "abcdef\r\na\r\nabcd");
  TEditChildData* d = Edit(w);
  ASSERT_TRUE(Frame->IsAvailable(151));
  Frame->Command(151);
  ASSERT_TRUE(d->ColumnBlockActive());
  Select(d, 0, 1, 2, 4);
  Frame->Command(281);
  EXPECT_EQ(Slots().Slot(1), "bcd\r\n\r\nbcd");
}

TEST_F(ExtClipboardTest, ASearchResultWindowGivesItsSelectionButTakesNoSlot) {
  mkdir(Dir.File("src").c_str(), 0755);
  Dir.Write("src/a.txt", "eins\r\nzwei Ziel\r\n");
  Frame->Options.GrepDirs.Assign({Dir.File("src")});
  TScriptSteps steps;
  steps.Then([] {
    TWindow d = FocusDialog();
    ASSERT_NE(d, 0u);
    SetDlgItemText(d, kGdText, "ziel");
    SetDlgItemText(d, kGdMasks, "*.txt");
    SendMessage(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  RunWith(183, steps);
  TWindow list = Frame->Active();
  ASSERT_EQ(ChildKind(list), wkGrep);
  auto* view = dynamic_cast<TTextChildData*>(GetChildData(list));
  ASSERT_NE(view, nullptr);
  const int32_t line = view->Lines.Count() > 1 ? 1 : 0;
  const std::string shown(view->Lines.Text(line));
  ASSERT_GE(shown.size(), 4u);
  TTextRange r = MakeTextRange(line, 0, line, 4);
  view->SetSelection(&r, 0);
  EXPECT_TRUE(Frame->IsAvailable(159));
  Frame->Command(287);
  EXPECT_EQ(Slots().Slot(7), shown.substr(0, 4));
  const int32_t count = view->Lines.Count();
  Frame->Command(297);
  EXPECT_EQ(view->Lines.Count(), count);
  EXPECT_EQ(std::string(view->Lines.Text(line)), shown);
  EXPECT_FALSE(CanPasteSlot(list));
  EXPECT_TRUE(CanCopyToSlot(list));
  // The system clipboard takes the same selection; the list takes no paste.
  ASSERT_TRUE(Frame->IsAvailable(147));
  EXPECT_FALSE(Frame->IsAvailable(148));
  Frame->Command(147);
  EXPECT_EQ(ClipboardText(), shown.substr(0, 4));
}
