// The scroller inside a document window: steps, bar scaling, margins, origin.
#include <gtest/gtest.h>

#include "tests/editor/childwin/ChildFixture.h"

using namespace platform;
using namespace childtest;

using ScrollerTest = ChildTest;

TEST_F(ScrollerTest, HundredThousandLinesScrollToTheEndWithTheThumb) {
  TTestDoc::Lines = 100000;
  TWindow w = MakeDoc();
  TScroller& s = *Doc(w).Scroller;
  EXPECT_EQ(GetScrollBar(w, SB_VERT).Max, kScrollBarLimit);
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_THUMBTRACK, 16384), 0);
  EXPECT_EQ(s.PosY, MulDiv(16384, 99999, kScrollBarLimit));
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 16384);
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, kScrollBarLimit), 0);
  EXPECT_EQ(s.PosY, 99999);
  RunPendingMessages();  // the paint puts the thumb where the position is
  EXPECT_EQ(GetScrollPos(w, SB_VERT), kScrollBarLimit);
  SendMessage(w, WM_VSCROLL, SB_LINEUP, 0);
  RunPendingMessages();
  EXPECT_EQ(GetScrollPos(w, SB_VERT), MulDiv(99998, kScrollBarLimit, 99999));
}

TEST_F(ScrollerTest, SmallRangesAreShownUnscaledAndThumbTrackingCanBeOff) {
  TWindow w = MakeDoc();
  TScroller& s = *Doc(w).Scroller;
  EXPECT_EQ(GetScrollBar(w, SB_VERT).Max, 99);
  s.TrackThumb = 0;
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_THUMBTRACK, 40), 0);
  EXPECT_EQ(s.PosY, 0);
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 40), 0);
  EXPECT_EQ(s.PosY, 40);
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_ENDSCROLL, 0), 0);
  EXPECT_EQ(s.PosY, 40);
  SendMessage(w, WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 5000), 0);
  EXPECT_EQ(s.PosY, 99);  // clamped to the range
}

TEST_F(ScrollerTest, PageStepsFollowTheClientSizeAndNeverGoBelowZero) {
  TWindow w = MakeDoc(400, 161);
  TScroller& s = *Doc(w).Scroller;
  EXPECT_EQ(s.PageStepY, 9);   // (161 + 1) / 16 - 1
  EXPECT_EQ(s.PageStepX, 49);  // (400 + 1) / 8 - 1
  InputSize(w, 400, 10);
  EXPECT_EQ(s.PageStepY, 0);
  SendMessage(w, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(s.PosY, 1);  // line by line
  InputSize(w, 400, 0);  // an empty client keeps the last steps
  EXPECT_EQ(s.PageStepY, 0);
}

TEST_F(ScrollerTest, ProportionalThumbShowsThePageButNotMoreThanTheRange) {
  TTestDoc::Lines = 5;
  TWindow w = MakeDoc(400, 161);
  TScroller& s = *Doc(w).Scroller;
  s.ProportionalThumb = 1;
  s.UpdateScrollBars();
  EXPECT_EQ(GetScrollBar(w, SB_VERT).Page, 4);  // page step 9, range 4
  EXPECT_EQ(GetScrollBar(w, SB_HORZ).Page, 49);
}

TEST_F(ScrollerTest, SmallMovesScrollPixelsAndSpareTheMargin) {
  Params.MarginWidth = 20;
  TWindow w = MakeDoc(400, 160);
  TScroller& s = *Doc(w).Scroller;
  Backend->Records.clear();
  s.ScrollBy(0, 2);
  ASSERT_EQ(Backend->Records.size(), 1u);
  EXPECT_EQ(Backend->Records[0].Op, TPaintRecord::TOp::Scroll);
  EXPECT_EQ(Backend->Records[0].Rect, (TRect{20, 0, 400, 160}));
  EXPECT_EQ(Backend->Records[0].Delta, (TPoint{0, -32}));
  RunPendingMessages();

  s.MarginScrollsVertically = 1;
  Backend->Records.clear();
  s.ScrollBy(3, -1);
  ASSERT_GE(Backend->Records.size(), 2u);
  EXPECT_EQ(Backend->Records[0].Rect, (TRect{20, 0, 400, 160}));  // horizontal: margin stays
  EXPECT_EQ(Backend->Records[0].Delta, (TPoint{-24, 0}));
  EXPECT_EQ(Backend->Records[1].Rect, (TRect{0, 0, 400, 160}));   // vertical: margin moves
  RunPendingMessages();

  s.MarginScrollsVertically = 0;
  Backend->Records.clear();
  s.ScrollBy(0, 50);  // a page or more: repaint instead
  EXPECT_TRUE(Backend->Records.empty());
  EXPECT_EQ(GetUpdateRect(w), (TRect{20, 0, 400, 160}));
}

TEST_F(ScrollerTest, MovedOriginScrollsAlwaysAndShiftsTheViewport) {
  TWindow w = MakeDoc(400, 160);
  TScroller& s = *Doc(w).Scroller;
  s.MoveOrigin = 1;
  Backend->Records.clear();
  s.ScrollTo(0, 60);
  ASSERT_EQ(Backend->Records.size(), 1u);
  EXPECT_EQ(Backend->Records[0].Op, TPaintRecord::TOp::Scroll);
  auto dc = GetWindowCanvas(w);
  s.ApplyOrigin(*dc);
  EXPECT_EQ(dc->GetViewportOrg(), (TPoint{0, -960}));
  s.ScrollTo(0, 99);
  s.UnitY = 400;  // 39,600 pixels: beyond what an origin can hold, it stays
  s.ApplyOrigin(*dc);
  EXPECT_EQ(dc->GetViewportOrg(), (TPoint{0, -960}));
}

TEST_F(ScrollerTest, AutoScrollStepMovesOneUnitTowardsTheMouse) {
  TWindow w = MakeDoc(400, 160);
  TScroller& s = *Doc(w).Scroller;
  s.ScrollTo(10, 10);
  InputMouse(w, WM_MOUSEMOVE, {-5, 500});
  RunPendingMessages();
  EXPECT_EQ(s.AutoScrollStep(), (TPoint{-1, 1}));
  EXPECT_EQ(s.PosX, 9);
  EXPECT_EQ(s.PosY, 11);
  InputMouse(w, WM_MOUSEMOVE, {5, 5});
  EXPECT_EQ(s.AutoScrollStep(), (TPoint{0, 0}));
  s.AutoScrollOn = 0;
  InputMouse(w, WM_MOUSEMOVE, {5, -5});
  EXPECT_EQ(s.AutoScrollStep(), (TPoint{0, 0}));
}
