// Cut, copy and paste (commands 146 to 148) in each window kind that offers them, with the
// German umlauts of the Windows and the DOS code page crossing the system clipboard.
#include "tests/editor/clipboard/ClipFixture.h"

#include "editor/text/ChildTypes.h"
#include "platform/ui/Mdi.h"

using namespace platform;

using ClipboardCommandsTest = ClipFixture;

TEST_F(ClipboardCommandsTest, UmlautsCrossTheClipboardBetweenWindowsAndDosWindows) {
  TWindow win = Open("win.txt", "Gr\xFC\xDF" "e");
  TWindow dos = Open("dos.txt", "x");
  ChildSetDosMode(dos, true);
  TEditChildData* dw = Edit(win);
  TEditChildData* dd = Edit(dos);
  // Copy in the Windows window: the clipboard holds Unicode, handed out in either code page.
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(win), 0);
  Select(dw, 0, 0, 0, 5);
  ASSERT_TRUE(Frame->IsAvailable(147));
  Frame->Command(147);
  EXPECT_EQ(ClipboardText(false), "Gr\xFC\xDF" "e");
  EXPECT_EQ(ClipboardText(true), "Gr\x81\xE1" "e");
  // Pasted into the DOS window: CP850 bytes in the document.
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(dos), 0);
  dd->SetCaret(1, 0, false, false);
  ASSERT_TRUE(Frame->IsAvailable(148));
  Frame->Command(148);
  EXPECT_EQ(Text(dd), "xGr\x81\xE1" "e");
  // Cut in the DOS window and paste back into the Windows window.
  Select(dd, 0, 1, 0, 6);
  Frame->Command(146);
  EXPECT_EQ(Text(dd), "x");
  EXPECT_EQ(ClipboardText(false), "Gr\xFC\xDF" "e");
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(win), 0);
  dw->SetCaret(0, 0, false, false);
  Frame->Command(148);
  EXPECT_EQ(Text(dw), "Gr\xFC\xDF" "eGr\xFC\xDF" "e");
  // Line ends travel as CR LF and come back as lines.
  Select(dw, 0, 0, 0, 2);
  Frame->Command(147);
  ASSERT_TRUE(PutClipboardText(Frame->Window, "\xC4" "1\r\n2", false));
  dw->SetCaret(0, 0, false, false);
  Frame->Command(148);
  EXPECT_EQ(Text(dw), "\xC4" "1|2Gr\xFC\xDF" "eGr\xFC\xDF" "e");
}

TEST_F(ClipboardCommandsTest, HexWindowsAndReadOnlyWindowsStayWhole) {
  TWindow text = Open("a.txt", "abc");
  TWindow hex = Frame->CreateDocumentWindow(wkHex, Dir.Write("b.bin", "\xFC" "01"), nullptr, false);
  ASSERT_NE(hex, 0u);
  RunPendingMessages();
  ChildSelectAll(hex);
  ASSERT_TRUE(Frame->IsAvailable(147));
  Frame->Command(147);
  EXPECT_EQ(ClipboardText(false), "\xFC" "01");
  // Paste and cut in the hex window leave its file alone unless it edits; nothing crashes.
  Frame->Command(148);
  Frame->Command(146);
  SendMessage(Frame->Client, WM_MDIACTIVATE, static_cast<uintptr_t>(text), 0);
  Edit(text)->SetCaret(3, 0, false, false);
  Frame->Command(148);
  EXPECT_EQ(Text(Edit(text)), "abc\xFC" "01");
  // A read-only text window copies but neither cuts nor pastes.
  TWindow locked = Open("c.txt", "fest", true);
  Select(Edit(locked), 0, 0, 0, 4);
  EXPECT_TRUE(Frame->IsAvailable(147));
  EXPECT_FALSE(Frame->IsAvailable(146));
  EXPECT_FALSE(Frame->IsAvailable(148));
  Edit(locked)->Cut();
  Edit(locked)->Paste();
  EXPECT_EQ(Text(Edit(locked)), "fest");
}
