// Sending, posting, the loop, timers on the manual clock, and sends from other threads.
#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/Paint.h"
#include "tests/platform/ui/UiFixture.h"

using namespace platform;
using namespace uitest;

using MessageLoopTest = UiTest;

// As on Windows, a posted quit ends the loop before pending paints.
TEST_F(MessageLoopTest, PostedComeFirstThenQuitBeforePaints) {
  TWindow w = Make();
  RunPendingMessages();
  InvalidateRect(w, nullptr);
  PostQuitMessage(3);
  PostMessage(w, WM_USER + 1, 0, 0);
  PostMessage(w, WM_USER + 2, 0, 0);
  Seen().clear();
  EXPECT_EQ(RunMessageLoop(), 3);
  ASSERT_EQ(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Message, WM_USER + 1);
  EXPECT_EQ(Seen()[1].Message, WM_USER + 2);
  Seen().clear();
  RunPendingMessages();
  EXPECT_EQ(Count(WM_PAINT), 1);
}

TEST_F(MessageLoopTest, IdleRunsWhenTheQueueIsEmpty) {
  Make();
  RunPendingMessages();
  int idles = 0;
  TLoopHooks hooks;
  hooks.Idle = [&] {
    if (++idles == 2) PostQuitMessage(0);
    return true;
  };
  EXPECT_EQ(RunMessageLoop(hooks), 0);
  EXPECT_EQ(idles, 2);
}

TEST_F(MessageLoopTest, PumpOneLeavesQuitQueued) {
  TWindow w = Make();
  RunPendingMessages();
  PostMessage(w, WM_USER, 0, 0);
  PostQuitMessage(9);
  EXPECT_TRUE(PumpOneMessage());
  EXPECT_FALSE(PumpOneMessage());
  TMsg msg;
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.WParam, 9u);
}

TEST_F(MessageLoopTest, TimersTickOncePerDuePeriodOnTheManualClock) {
  TWindow w = Make();
  RunPendingMessages();
  SetTimer(w, 100, 4);
  Seen().clear();
  RunPendingMessages();
  EXPECT_EQ(Count(WM_TIMER), 0);
  Backend->AdvanceClock(3);
  RunPendingMessages();
  EXPECT_EQ(Count(WM_TIMER), 0);
  Backend->AdvanceClock(40);  // ten periods late: still one tick
  RunPendingMessages();
  EXPECT_EQ(Count(WM_TIMER), 1);
  EXPECT_EQ(Seen().back().WParam, 100u);
  EXPECT_TRUE(KillTimer(w, 100));
  Backend->AdvanceClock(40);
  RunPendingMessages();
  EXPECT_EQ(Count(WM_TIMER), 1);
}

TEST_F(MessageLoopTest, GetMessageWaitsForTheNextTimerOnTheVirtualClock) {
  TWindow w = Make();
  RunPendingMessages();
  SetTimer(w, 1, 250);
  TMsg msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.Message, WM_TIMER);
  EXPECT_EQ(Backend->NowMs(), 1250u);
}

TEST_F(MessageLoopTest, SendFromAnotherThreadRunsOnTheUiThread) {
  TWindow w = Make();
  RunPendingMessages();
  intptr_t answer = 0;
  std::thread::id handledOn;
  std::thread worker([&] { answer = SendMessage(w, WM_USER + 7, 21, 0); });
  TMsg msg;
  while (Count(WM_USER + 7) == 0) {
    PostMessage(w, WM_NULL, 0, 0);  // keeps GetMessage from waiting forever
    GetMessage(msg);
    DispatchMessage(msg);
  }
  handledOn = std::this_thread::get_id();
  worker.join();
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(MessageLoopTest, SendsToInvalidWindowsAnswerZero) {
  TWindow w = Make();
  RunPendingMessages();
  EXPECT_EQ(SendMessage(w + 1, WM_USER + 7, 1, 0), 0);
  DestroyWindow(w);
  EXPECT_EQ(SendMessage(w, WM_USER + 7, 1, 0), 0);
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
}

TEST_F(MessageLoopTest, PaintValidatesAndFillsTheClassBackground) {
  TWindow w = Make(100, 50);
  RunPendingMessages();
  TRect a{0, 0, 10, 10};
  TRect b{20, 20, 30, 30};
  InvalidateRect(w, &a);
  InvalidateRect(w, &b);
  EXPECT_EQ(GetUpdateRect(w), (TRect{0, 0, 30, 30}));
  Backend->Records.clear();
  UpdateWindow(w);
  EXPECT_TRUE(GetUpdateRect(w).IsEmpty());
  ASSERT_FALSE(Backend->Records.empty());
  EXPECT_EQ(Backend->Records[0].Op, TPaintRecord::TOp::Fill);
  EXPECT_EQ(Backend->Records[0].Rect, (TRect{0, 0, 30, 30}));
  EXPECT_EQ(Backend->Records[0].Color, GetSysColor(COLOR_WINDOW));
}

TEST_F(MessageLoopTest, ScrollWindowInvalidatesTheUncoveredStripOnly) {
  TWindow w = Make(100, 160);
  RunPendingMessages();
  TRect area{20, 0, 100, 160};
  ScrollWindow(w, 0, -32, &area);
  EXPECT_EQ(GetUpdateRect(w), (TRect{20, 128, 100, 160}));
  RunPendingMessages();
  ScrollWindow(w, 0, 500, nullptr);  // more than the window: everything
  EXPECT_EQ(GetUpdateRect(w), (TRect{0, 0, 100, 160}));
}

TEST_F(MessageLoopTest, RegisteredMessagesAreStablePerNameWithoutRegardToCase) {
  uint32_t a = RegisterWindowMessage("wm_ZKPreviewWantPrint");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("WM_ZKPREVIEWWANTPRINT"), a);
  uint32_t b = RegisterWindowMessage("another");
  EXPECT_NE(b, a);
  EXPECT_GE(b, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}
