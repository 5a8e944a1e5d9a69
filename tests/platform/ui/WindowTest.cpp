// Classes, creation and destruction, focus, capture, scroll bars, caret, boxes.
#include <gtest/gtest.h>

#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"
#include "tests/platform/ui/UiFixture.h"

using namespace platform;
using namespace uitest;

using WindowTest = UiTest;

TEST_F(WindowTest, ClassNamesIgnoreCaseAndUnknownClassesFail) {
  TWindowClass again;
  again.Name = "RECORDER";
  again.Proc = RecordingProc;
  EXPECT_FALSE(RegisterWindowClass(again));
  EXPECT_NE(FindWindowClass("recorder"), nullptr);
  EXPECT_EQ(CreateWindowEx(0, "Nobody", "", 0, {}, 0, nullptr), 0u);
}

TEST_F(WindowTest, CreateSendsCreateThenSizeAndRefusalLeaksNothing) {
  uint32_t before = LiveHandleCount();
  int refuse = -1;
  EXPECT_EQ(CreateWindowEx(0, "Recorder", "", 0, {0, 0, 10, 10}, 0, &refuse), 0u);
  EXPECT_EQ(LiveHandleCount(), before);
  EXPECT_EQ(Count(WM_DESTROY), 0);

  Seen().clear();
  TWindow w = Make(120, 80);
  ASSERT_NE(w, 0u);
  ASSERT_GE(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Message, WM_CREATE);
  EXPECT_EQ(Seen()[1].Message, WM_SIZE);
  EXPECT_EQ(Seen()[1].LParam, MakeLParam(120, 80));
  EXPECT_EQ(GetClientRect(w), (TRect{0, 0, 120, 80}));
}

TEST_F(WindowTest, DestroyTakesChildrenTimersFocusAndCaret) {
  TWindow parent = Make();
  TWindow child = Make(50, 50, parent);
  ASSERT_TRUE(SetTimer(child, 5, 10));
  SetFocus(child);
  ASSERT_TRUE(CreateCaret(child, 2, 16));
  SetWindowExtra(child, 0, 77);
  EXPECT_EQ(GetWindowExtra(child, 0), 77);
  EXPECT_EQ(GetWindowExtra(child, 3), 0);  // beyond the class's values

  Seen().clear();
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetFocus(), 0u);
  EXPECT_EQ(GetCaretState().Owner, 0u);
  EXPECT_FALSE(KillTimer(child, 5));
  ASSERT_GE(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Window, parent);  // parent hears WM_DESTROY before its child
  EXPECT_EQ(Seen()[0].Message, WM_DESTROY);
  EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(WindowTest, FocusChangeSendsKillThenSet) {
  TWindow a = Make();
  TWindow b = Make();
  SetFocus(a);
  Seen().clear();
  EXPECT_EQ(SetFocus(b), a);
  ASSERT_EQ(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Window, a);
  EXPECT_EQ(Seen()[0].Message, WM_KILLFOCUS);
  EXPECT_EQ(Seen()[1].Window, b);
  EXPECT_EQ(Seen()[1].Message, WM_SETFOCUS);
}

TEST_F(WindowTest, CaptureRoutesMouseAndReleaseNotifies) {
  TWindow a = Make();
  TWindow b = Make();
  MoveWindow(b, {300, 0, 500, 100});
  SetCapture(a);
  InputMouse(b, WM_MOUSEMOVE, {5, 7});
  Seen().clear();
  RunPendingMessages();
  ASSERT_EQ(Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(Seen()[0].Window, a);
  EXPECT_EQ(LParamX(Seen()[0].LParam), 305);  // in the capturing window's coordinates
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(Count(WM_CAPTURECHANGED), 1);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(WindowTest, KeysGoToFocusWithStateAndAltMakesSystemKeys) {
  TWindow w = Make();
  SetFocus(w);
  InputKey(VK_SHIFT, true);
  InputKey(VK_HOME, true);
  InputKey(VK_SHIFT, false);
  // The state is the one of the message being handled, not of the latest input.
  EXPECT_FALSE(IsKeyDown(VK_SHIFT));
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_TRUE(IsKeyDown(VK_SHIFT));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.WParam, VK_HOME);
  EXPECT_TRUE(IsKeyDown(VK_SHIFT));
  RunPendingMessages();
  EXPECT_FALSE(IsKeyDown(VK_SHIFT));
  InputKey(VK_MENU, true);
  InputKey(VK_UP, true);
  InputChar('x');
  Seen().clear();
  RunPendingMessages();
  EXPECT_EQ(Count(WM_KEYDOWN), 0);
  EXPECT_EQ(Count(WM_SYSKEYDOWN), 2);
  EXPECT_EQ(Count(WM_SYSCHAR), 1);
}

TEST_F(WindowTest, AModifierReleaseTheLayerMissedIsDeliveredFromTheNextEventsState) {
  TWindow w = Make();
  SetFocus(w);
  InputKey(VK_CONTROL, true);
  InputKey(VK_SHIFT, true);
  RunPendingMessages();
  ASSERT_TRUE(IsKeyDown(VK_CONTROL));
  // Ctrl was let go while a native control had the keys: the next event shows Shift only.
  Seen().clear();
  InputModifiers(true, false, false);
  RunPendingMessages();
  EXPECT_FALSE(IsKeyDown(VK_CONTROL));
  EXPECT_TRUE(IsKeyDown(VK_SHIFT));
  EXPECT_EQ(Count(WM_KEYUP), 1);
  // Keys that are up stay so without messages.
  Seen().clear();
  InputModifiers(false, false, false);
  InputModifiers(false, false, false);
  RunPendingMessages();
  EXPECT_EQ(Count(WM_KEYUP), 1);
  EXPECT_FALSE(IsKeyDown(VK_SHIFT));
}

TEST_F(WindowTest, DoubleClickNeedsClassStyle) {
  TWindowClass plain;
  plain.Name = "Plain";
  plain.Proc = RecordingProc;
  ASSERT_TRUE(RegisterWindowClass(plain));
  TWindow p = CreateWindowEx(0, "Plain", "", WS_VISIBLE, {0, 0, 10, 10}, 0, nullptr);
  TWindow d = Make();
  InputMouse(p, WM_LBUTTONDBLCLK, {1, 1});
  InputMouse(d, WM_LBUTTONDBLCLK, {1, 1});
  Seen().clear();
  RunPendingMessages();
  EXPECT_EQ(Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(WM_LBUTTONDBLCLK), 1);
}

TEST_F(WindowTest, ScrollBarsClampToRangeLessPage) {
  TWindow w = Make();
  SetScrollRange(w, SB_VERT, 0, 100);
  EXPECT_EQ(SetScrollPos(w, SB_VERT, 500), 0);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 100);
  SetScrollPage(w, SB_VERT, 11);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 90);
  SetScrollRange(w, SB_HORZ, 5, 2);  // an inverted range collapses
  EXPECT_EQ(GetScrollBar(w, SB_HORZ).Max, 5);
  EXPECT_EQ(GetScrollBar(w, 7).Max, 0);
}

TEST_F(WindowTest, CaretStartsHiddenAndCountsHides) {
  TWindow w = Make();
  EXPECT_FALSE(ShowCaret(w));
  ASSERT_TRUE(CreateCaret(w, 3, 16));
  EXPECT_FALSE(GetCaretState().Visible());
  EXPECT_TRUE(ShowCaret(w));
  EXPECT_TRUE(GetCaretState().Visible());
  HideCaret(w);
  HideCaret(w);
  ShowCaret(w);
  EXPECT_FALSE(GetCaretState().Visible());
  ShowCaret(w);
  SetCaretPos(24, 32);
  EXPECT_EQ(GetCaretPos(), (TPoint{24, 32}));
  EXPECT_TRUE(GetCaretState().Visible());
  EXPECT_TRUE(DestroyCaret());
  EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(WindowTest, MessageBoxesTakeScriptedAnswersElseTheFirstButton) {
  Backend->QueueAnswer(IDNO);
  EXPECT_EQ(MessageBox(0, "Speichern?", "Z&K Quellwerk: Test", MB_YESNOCANCEL | MB_ICONQUESTION),
            IDNO);
  EXPECT_EQ(MessageBox(0, "x", "c", MB_OKCANCEL), IDOK);
  ASSERT_EQ(Backend->Boxes.size(), 2u);
  EXPECT_EQ(Backend->Boxes[0].Caption, "Z&K Quellwerk: Test");
  TBoxButton buttons[3];
  ASSERT_EQ(MessageBoxButtons(MB_YESNOCANCEL, buttons), 3);
  EXPECT_STREQ(buttons[2].Text, "Abbrechen");
}
