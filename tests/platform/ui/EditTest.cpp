// Edit fields: typing against the limit, selection by keys and messages, read-only and
// number fields, multi-line line breaks, EN_CHANGE for every change and only for changes.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/EditModel.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

using namespace platform;
using uitest::Seen;

namespace {

class EditTest : public uitest::UiTest {
 protected:
  TWindow Field(uint32_t style = 0, std::string_view text = "") {
    Parent = Make(300, 200);
    TWindow edit = CreateControl(kEditClass, text, WS_VISIBLE | WS_TABSTOP | style, {8, 8, 200, 60}, Parent, 101);
    SetFocus(edit);
    return edit;
  }
  int Changes() const {
    int n = 0;
    for (const uitest::TSeen& s : Seen()) {
      n += s.Message == WM_COMMAND && HiWord(s.WParam) == EN_CHANGE && LoWord(s.WParam) == 101;
    }
    return n;
  }
  std::pair<uint32_t, uint32_t> Sel(TWindow edit) {
    auto sel = static_cast<uintptr_t>(SendMessage(edit, EM_GETSEL, 0, 0));
    return {LoWord(sel), HiWord(sel)};
  }
  TWindow Parent = 0;
};

TEST_F(EditTest, TypingStopsAtTheLimitAndReplacesTheSelection) {
  TWindow edit = Field();
  SendMessage(edit, EM_LIMITTEXT, 5, 0);
  ScriptType("Größe!");
  RunPendingMessages();
  // Five characters, not five bytes; the sixth is refused with a beep.
  EXPECT_EQ(GetWindowText(edit), "Größe");
  EXPECT_EQ(Changes(), 5);
  EXPECT_EQ(Backend->Beeps.size(), 1u);
  EXPECT_EQ(Sel(edit), std::make_pair(5u, 5u));
  SendMessage(edit, EM_SETSEL, 1, 3);
  ScriptType("a");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "Gaße");
  EXPECT_EQ(Sel(edit), std::make_pair(2u, 2u));
  // Shift+Home selects back to the start; Delete removes it.
  ScriptKey(VK_HOME, true);
  RunPendingMessages();
  EXPECT_EQ(Sel(edit), std::make_pair(0u, 2u));
  ScriptKey(VK_DELETE);
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "ße");
  // EM_SETSEL with -1 as end selects to the end; start -1 removes the selection.
  SendMessage(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(edit), std::make_pair(0u, 2u));
  SendMessage(edit, EM_SETSEL, static_cast<uintptr_t>(-1), 0);
  EXPECT_EQ(Sel(edit), std::make_pair(2u, 2u));
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(EditTest, TextSetFromOutsideNotifiesOnceAndMovesTheCaretToTheStart) {
  TWindow edit = Field(0, "alt");
  Seen().clear();
  SetWindowText(edit, "neu");
  EXPECT_EQ(Changes(), 1);
  EXPECT_EQ(Sel(edit), std::make_pair(0u, 0u));
  // The same text again is no change.
  SetWindowText(edit, "neu");
  EXPECT_EQ(Changes(), 1);
  // Moving the caret is no change either.
  ScriptKey(VK_END);
  ScriptKey(VK_LEFT);
  RunPendingMessages();
  EXPECT_EQ(Changes(), 1);
  EXPECT_EQ(Sel(edit), std::make_pair(2u, 2u));
  ScriptKey(VK_BACK);
  ScriptType("\b");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "nu");
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), 1);
}

TEST_F(EditTest, ReadOnlyAndNumberFieldsRefuseWhatTheyMustNotTake) {
  TWindow edit = Field(ES_READONLY, "fest");
  ScriptType("x\b");
  ScriptKey(VK_DELETE);
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "fest");
  EXPECT_EQ(Changes(), 0);
  SendMessage(edit, EM_SETREADONLY, 0, 0);
  ScriptType("!");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "!fest");

  TWindow number = CreateControl(kEditClass, "", WS_VISIBLE | ES_NUMBER, {8, 70, 100, 90}, Parent, 102);
  SetFocus(number);
  ScriptType("1a2-3");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(number), "123");
  bool ok = false;
  EXPECT_EQ(GetDlgItemInt(Parent, 102, &ok), 123);
  EXPECT_TRUE(ok);
  SetDlgItemText(Parent, 102, "12x");
  EXPECT_EQ(GetDlgItemInt(Parent, 102, &ok), 0);
  EXPECT_FALSE(ok);
  SetDlgItemInt(Parent, 102, -40);
  EXPECT_EQ(GetDlgItemInt(Parent, 102, &ok), -40);
  EXPECT_TRUE(ok);
}

TEST_F(EditTest, MultiLineFieldsBreakLinesAsCarriageReturnLineFeed) {
  TWindow edit = Field(ES_MULTILINE | ES_WANTRETURN);
  ScriptType("ab\rcd");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "ab\r\ncd");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 2);
  // Up keeps the column; one backspace at a line start takes the whole break.
  ScriptKey(VK_UP);
  RunPendingMessages();
  EXPECT_EQ(Sel(edit), std::make_pair(2u, 2u));
  ScriptKey(VK_DOWN);
  ScriptKey(VK_HOME);
  ScriptType("\b");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "abcd");
  // A single-line field ends pasted text at its first line break.
  TWindow line = CreateControl(kEditClass, "", WS_VISIBLE, {8, 70, 100, 90}, Parent, 102);
  SendMessage(line, EM_REPLACESEL, 0, reinterpret_cast<intptr_t>("eins\r\nzwei"));
  EXPECT_EQ(GetWindowText(line), "eins");
}

TEST_F(EditTest, CutCopyAndPasteGoThroughTheClipboardWithinTheLimit) {
  TWindow edit = Field(0, "Müller");
  SendMessage(edit, EM_LIMITTEXT, 8, 0);
  SendMessage(edit, EM_SETSEL, 0, 2);
  ScriptKey('C', false, true);
  ScriptKey(VK_END);
  ScriptKey('V', false, true);
  ScriptKey('V', false, true);  // only two characters of room were left
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(edit), "MüllerMü");
  SendMessage(edit, EM_SETSEL, 0, 1);
  SendMessage(edit, WM_CUT, 0, 0);
  EXPECT_EQ(GetWindowText(edit), "üllerMü");
  SendMessage(edit, EM_SETREADONLY, 1, 0);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowText(edit), "üllerMü");
  SendMessage(edit, EM_SETREADONLY, 0, 0);
  SendMessage(edit, EM_SETSEL, 0, 0);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowText(edit), "MüllerMü");
  // A password field gives nothing away.
  TWindow secret = CreateControl(kEditClass, "geheim", WS_VISIBLE | ES_PASSWORD, {8, 70, 100, 90}, Parent, 102);
  SendMessage(secret, EM_SETSEL, 0, -1);
  SendMessage(secret, WM_COPY, 0, 0);
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowText(edit), "M");
}

TEST_F(EditTest, ClickPutsTheCaretAtTheNearestCharacterAndShiftClickSelects) {
  TWindow edit = Field(ES_MULTILINE, "abcd\r\nefgh");
  auto dc = GetWindowCanvas(edit);
  int32_t w = dc->GetTextExtent("a").Width;  // fixed metrics: every character alike
  int32_t h = dc->GetTextMetrics().Height;
  ScriptClick(edit, {2 + 2 * w + w / 2 + 1, 2 + h + 1});  // right half of "g"
  RunPendingMessages();
  EXPECT_EQ(Sel(edit), std::make_pair(9u, 9u));
  InputKey(VK_SHIFT, true);
  ScriptClick(edit, {1, 3});  // before "a"
  RunPendingMessages();
  InputKey(VK_SHIFT, false);
  RunPendingMessages();
  EXPECT_EQ(Sel(edit), std::make_pair(0u, 9u));
  ScriptClick(edit, {190, 3});  // past the end of the first line
  RunPendingMessages();
  EXPECT_EQ(Sel(edit), std::make_pair(4u, 4u));
}

TEST(EditModelTest, LimitNeverSplitsALineBreakAndSelectionClampsToTheText) {
  ctl_detail::TEditModel m;
  m.MultiLine = true;
  m.Limit = 3;
  EXPECT_FALSE(m.Replace(U"ab\r\ncd"));
  EXPECT_EQ(m.Text, U"ab");
  m.Limit = 10;
  m.SetSel(5, 99);
  EXPECT_EQ(m.SelStart(), 2u);
  EXPECT_EQ(m.SelEnd(), 2u);
  m.Reset(U"x\r\ny");
  m.SetSel(3, 3);
  m.Move(VK_LEFT, false);
  EXPECT_EQ(m.Caret, 1u);
  EXPECT_TRUE(m.Delete(true));
  EXPECT_EQ(m.Text, U"xy");
}

}  // namespace
