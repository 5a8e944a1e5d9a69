// Dialog controls: items by id, button clicks, progress-bar state and what the controls paint.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

using namespace platform;
using uitest::Seen;

namespace {

class ControlsTest : public uitest::UiTest {
 protected:
  std::vector<uitest::TSeen> Commands() const {
    std::vector<uitest::TSeen> commands;
    for (const uitest::TSeen& s : Seen()) {
      if (s.Message == WM_COMMAND) commands.push_back(s);
    }
    return commands;
  }
  // A click as the mouse makes it: down and up at client points of the button.
  void Click(TWindow button, TPoint down, TPoint up) {
    InputMouse(button, WM_LBUTTONDOWN, down);
    InputMouse(button, WM_LBUTTONUP, up);
    RunPendingMessages();
  }
};

TEST_F(ControlsTest, ItemsAreFoundByIdAndTheirTextsSetAndRead) {
  TWindow dialog = Make(300, 200);
  TWindow a = CreateControl(kStaticClass, "Aktion:", WS_VISIBLE, {8, 8, 100, 24}, dialog, 102);
  TWindow b = CreateControl(kStaticClass, "", WS_VISIBLE, {8, 30, 100, 46}, dialog, 103);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_EQ(CreateControl(kStaticClass, "x", 0, {0, 0, 1, 1}, 0, 5), 0u);
  EXPECT_EQ(GetDlgItem(dialog, 102), a);
  EXPECT_EQ(GetDlgItem(dialog, 103), b);
  EXPECT_EQ(GetDlgItem(dialog, 104), 0u);
  EXPECT_EQ(GetDlgCtrlID(b), 103);
  EXPECT_EQ(GetParent(b), dialog);
  EXPECT_TRUE(GetWindowStyle(b) & WS_CHILD);
  EXPECT_EQ(ControlKindOf(a), TControlKind::Static);
  EXPECT_EQ(ControlKindOf(dialog), TControlKind::None);

  EXPECT_TRUE(SetDlgItemText(dialog, 103, "COM 2"));
  EXPECT_EQ(GetDlgItemText(dialog, 103), "COM 2");
  EXPECT_FALSE(SetDlgItemText(dialog, 999, "x"));
  EXPECT_EQ(GetDlgItemText(dialog, 999), "");
  EXPECT_EQ(SendDlgItemMessage(dialog, 999, PBM_GETPOS, 0, 0), 0);
  // A new text repaints the control.
  RunPendingMessages();
  EXPECT_TRUE(GetUpdateRect(b).IsEmpty());
  SetDlgItemText(dialog, 103, "COM 3");
  EXPECT_FALSE(GetUpdateRect(b).IsEmpty());
}

TEST_F(ControlsTest, ButtonClickSendsCommandWithIdToParent) {
  TWindow dialog = Make(300, 200);
  TWindow button = CreateControl(kButtonClass, "Abbruch", WS_VISIBLE | BS_PUSHBUTTON,
                                 {100, 150, 180, 174}, dialog, IDCANCEL);
  ASSERT_NE(button, 0u);
  EXPECT_EQ(ControlKindOf(button), TControlKind::PushButton);

  InputMouse(button, WM_LBUTTONDOWN, {5, 5});
  RunPendingMessages();
  // Pushed, and focused by the press.
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
  EXPECT_EQ(GetCapture(), button);
  InputMouse(button, WM_LBUTTONUP, {6, 6});
  RunPendingMessages();
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), BST_FOCUS);
  EXPECT_EQ(GetCapture(), 0u);
  auto commands = Commands();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].Window, dialog);
  EXPECT_EQ(LoWord(commands[0].WParam), static_cast<uint32_t>(IDCANCEL));
  EXPECT_EQ(HiWord(commands[0].WParam), BN_CLICKED);
  EXPECT_EQ(commands[0].LParam, static_cast<intptr_t>(button));

  // Released outside: no click.
  Click(button, {5, 5}, {200, 5});
  EXPECT_EQ(Commands().size(), 1u);
  // BM_CLICK and the space key click too.
  SendMessage(button, BM_CLICK, 0, 0);
  SendMessage(button, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Commands().size(), 3u);
}

TEST_F(ControlsTest, GroupBoxIsNoButton) {
  TWindow dialog = Make(300, 200);
  TWindow group = CreateControl(kButtonClass, "Info", WS_VISIBLE | BS_GROUPBOX,
                                {8, 8, 290, 100}, dialog, 0);
  EXPECT_EQ(ControlKindOf(group), TControlKind::GroupBox);
  Click(group, {5, 20}, {5, 20});
  SendMessage(group, BM_CLICK, 0, 0);
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ControlsTest, ProgressBarKeepsPositionInsideItsRange) {
  TWindow dialog = Make(300, 200);
  TWindow bar = CreateControl(kProgressClass, "", 0, {8, 8, 208, 24}, dialog, 107);
  EXPECT_EQ(ControlKindOf(bar), TControlKind::Progress);
  EXPECT_EQ(GetProgressState(bar), (TProgressState{0, 100, 0}));
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 40, 0), 0);
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 250, 0), 40);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(SendMessage(bar, PBM_DELTAPOS, static_cast<uintptr_t>(-30), 0), 100);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 70);
  // A narrower range pulls the position in and reports the old range.
  intptr_t old = SendMessage(bar, PBM_SETRANGE, 0, MakeLParam(10, 50));
  EXPECT_EQ(LoWord(static_cast<uintptr_t>(old)), 0u);
  EXPECT_EQ(HiWord(static_cast<uintptr_t>(old)), 100u);
  EXPECT_EQ(GetProgressState(bar), (TProgressState{10, 50, 50}));
  EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, 1, 0), 10);
  EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, 0, 0), 50);
  SendMessage(bar, PBM_SETRANGE32, 0, -5);  // max below min collapses the range
  EXPECT_EQ(GetProgressState(bar), (TProgressState{0, 0, 0}));
  EXPECT_EQ(GetProgressState(dialog), TProgressState{});
  EXPECT_EQ(ProgressPercent(TProgressState{0, 0, 0}), 0);
  EXPECT_EQ(ProgressPercent(TProgressState{100, 300, 250}), 75);
  EXPECT_EQ(ProgressPercent(TProgressState{-2000000000, 2000000000, 0}), 50);

  // A gauge shows its percentage.
  TWindow gauge = CreateControl(kProgressClass, "", WS_VISIBLE | PBS_SHOWPERCENT, {8, 30, 208, 46}, dialog, 108);
  SendMessage(gauge, PBM_SETPOS, 37, 0);
  RunPendingMessages();
  EXPECT_EQ(Backend->TextsOf(gauge).back(), "37%");
}

TEST_F(ControlsTest, ControlsPaintTheirTextsAndFill) {
  TWindow dialog = Make(400, 300);
  // The headless stock font is 8 pixels wide: 12 characters fit in 100 pixels.
  TWindow wrapped = CreateControl(kStaticClass, "Datensatz wird geladen .", WS_VISIBLE,
                                  {0, 0, 100, 32}, dialog, 102);
  TWindow single = CreateControl(kStaticClass, "Datensatz wird geladen .",
                                 WS_VISIBLE | SS_LEFTNOWORDWRAP, {0, 40, 100, 56}, dialog, 103);
  TWindow group = CreateControl(kButtonClass, "Info", WS_VISIBLE | BS_GROUPBOX,
                                {0, 60, 300, 200}, dialog, 0);
  TWindow button = CreateControl(kButtonClass, "Abbruch", WS_VISIBLE, {0, 210, 80, 234},
                                 dialog, IDCANCEL);
  TWindow bar = CreateControl(kProgressClass, "", WS_VISIBLE, {0, 240, 102, 256}, dialog, 107);
  TWindow hidden = CreateControl(kProgressClass, "", 0, {0, 260, 102, 276}, dialog, 108);
  SendMessage(bar, PBM_SETPOS, 25, 0);
  RunPendingMessages();

  EXPECT_EQ(Backend->TextsOf(wrapped), (std::vector<std::string>{"Datensatz", "wird geladen"}));
  EXPECT_EQ(Backend->TextsOf(single), (std::vector<std::string>{"Datensatz wird geladen ."}));
  EXPECT_EQ(Backend->TextsOf(group), (std::vector<std::string>{"Info"}));
  EXPECT_EQ(Backend->TextsOf(button), (std::vector<std::string>{"Abbruch"}));
  // A quarter of the inner width is filled; a hidden bar paints nothing.
  bool quarter = false;
  for (const TPaintRecord& r : Backend->Records) {
    EXPECT_NE(r.Window, hidden);
    if (r.Window == bar && r.Op == TPaintRecord::TOp::Fill && r.Rect == TRect{1, 1, 26, 15}) {
      quarter = true;
    }
  }
  EXPECT_TRUE(quarter);
}

TEST_F(ControlsTest, LongWordsAndLineEndsBreakLines) {
  TWindow dialog = Make(400, 300);
  TWindow label = CreateControl(kStaticClass, "ABCDEFGHIJKLMNOPQRST\r\nzwei\ndrei", WS_VISIBLE,
                                {0, 0, 80, 200}, dialog, 1);
  RunPendingMessages();
  EXPECT_EQ(Backend->TextsOf(label),
            (std::vector<std::string>{"ABCDEFGHIJ", "KLMNOPQRST", "zwei", "drei"}));
}

}  // namespace
