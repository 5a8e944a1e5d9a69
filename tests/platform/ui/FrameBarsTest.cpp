// Tool bar, status bar, window placement and the wait cursor of a frame.
#include "tests/platform/ui/FrameFixture.h"

#include <cstring>

#include "platform/ui/Controls.h"
#include "platform/ui/SystemMetrics.h"

using namespace platform;
using frametest::FrameTest;
using frametest::Parts;
using frametest::Seen;

namespace {

std::vector<int32_t> Codes(const std::vector<frametest::TSeen>& seen) {
  std::vector<int32_t> codes;
  for (const frametest::TSeen& s : seen) codes.push_back(static_cast<int32_t>(s.LParam));
  return codes;
}

}  // namespace

TEST_F(FrameTest, ToolBarButtonsStatesAndClicks) {
  TWindow bar = Parts().ToolBar;
  EXPECT_EQ(ToolBarArrangement(bar), (std::vector<int32_t>(std::begin(frametest::kLayout),
                                                          std::end(frametest::kLayout))));
  ASSERT_EQ(ToolBarButtonCount(bar), 13);
  EXPECT_EQ(ToolBarButton(bar, 0).Style, TBSTYLE_SEP);
  EXPECT_EQ(ToolBarButton(bar, 5).Command, 123);
  EXPECT_EQ(ToolBarButton(bar, 5).Image, 0x19);
  EXPECT_EQ(ToolBarButton(bar, 99).Style, TBSTYLE_SEP);
  // The frame lays the bar out at the top, the status bar at the bottom, the client between.
  EXPECT_EQ(GetWindowRect(Client).Top, ToolBarHeight(bar));
  EXPECT_EQ(GetWindowRect(Client).Bottom, GetWindowRect(Parts().StatusBar).Top);
  EXPECT_EQ(GetWindowRect(Parts().StatusBar).Bottom, GetClientRect(Frame).Bottom);
  // A click posts the command with the bar as lParam; greyed and separators do nothing.
  Seen().clear();
  EXPECT_TRUE(ToolBarClick(bar, 1));
  EXPECT_FALSE(ToolBarClick(bar, 0));
  ASSERT_TRUE(ToolBarEnable(bar, 114, false));
  EXPECT_EQ(ToolBarButtonState(bar, 114) & TBSTATE_ENABLED, 0);
  EXPECT_FALSE(ToolBarClick(bar, 3));
  RunPendingMessages();
  auto commands = Of(Frame, WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LoWord(commands[0].WParam), 112u);
  EXPECT_EQ(static_cast<TWindow>(commands[0].LParam), bar);
  // A check button stays pressed while its mode is on.
  EXPECT_TRUE(ToolBarClick(bar, 12));
  EXPECT_TRUE(ToolBarButtonState(bar, 230) & TBSTATE_CHECKED);
  EXPECT_TRUE(ToolBarClick(bar, 12));
  EXPECT_FALSE(ToolBarButtonState(bar, 230) & TBSTATE_CHECKED);
  // The hex/text position carries 202 or 203.
  ASSERT_TRUE(ToolBarSetCommand(bar, 202, 203));
  ASSERT_TRUE(ToolBarCheck(bar, 203, true));
  EXPECT_EQ(ToolBarButtonState(bar, 202), -1);
  EXPECT_EQ(ToolBarButton(bar, 11).Command, 203);
  EXPECT_FALSE(ToolBarCheck(bar, 4711, true));
  // Hidden buttons take no clicks.
  ASSERT_TRUE(ToolBarHide(bar, 113, true));
  EXPECT_FALSE(ToolBarClick(bar, 2));
  // Tool tips come from the parent, only with TBSTYLE_TOOLTIPS.
  EXPECT_EQ(ToolBarToolTip(bar, 112), "Tipp 112");
  SetWindowStyle(bar, GetWindowStyle(bar) & ~TBSTYLE_TOOLTIPS);
  EXPECT_EQ(ToolBarToolTip(bar, 112), "");
}

TEST_F(FrameTest, ToolBarCustomisationAsksTheParent) {
  TWindow bar = Parts().ToolBar;
  ToolBarEnable(bar, 147, false);
  Seen().clear();
  // Take out "Seitenansicht" and put "Suchen" in front: allowed; states of kept buttons stay.
  std::vector<int32_t> wanted{0x0C, -1, 0, 1, 2, 4, -1, 7, 8, 9, -1, 20, 24};
  QueueToolBarArrangement(wanted);
  EXPECT_TRUE(ToolBarCustomize(bar));
  EXPECT_EQ(ToolBarArrangement(bar), wanted);
  EXPECT_EQ(ToolBarButtonState(bar, 147) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(Codes(Of(Frame, WM_NOTIFY)), (std::vector<int32_t>{TBN_BEGINADJUST, TBN_QUERYDELETE,
                                                               TBN_QUERYINSERT, TBN_TOOLBARCHANGE,
                                                               TBN_ENDADJUST}));
  // The parent keeps "Drucken" (122) on the bar: the whole change is refused.
  Seen().clear();
  QueueToolBarArrangement({0, 1, 2});
  EXPECT_FALSE(ToolBarCustomize(bar));
  EXPECT_EQ(ToolBarArrangement(bar), wanted);
  EXPECT_EQ(Codes(Of(Frame, WM_NOTIFY)).back(), TBN_ENDADJUST);
  // Codes outside the table become separators; names come from the parent.
  ToolBarSetArrangement(bar, std::vector<int32_t>{0, 77, 1});
  EXPECT_EQ(ToolBarArrangement(bar), (std::vector<int32_t>{0, -1, 1}));
  EXPECT_EQ(ToolBarButtonName(bar, 113), "Name 113");
}

TEST_F(FrameTest, StatusBarPartsTextsAndSimpleMode) {
  TWindow bar = Parts().StatusBar;
  EXPECT_EQ(StatusBarParts(bar), std::vector<int32_t>{-1});
  const int32_t kText[] = {64, 120, 180, 240, 272, -1};
  ASSERT_TRUE(StatusBarSetParts(bar, kText));
  ASSERT_TRUE(StatusBarSetText(bar, 0, "Z:  12"));
  ASSERT_TRUE(StatusBarSetText(bar, 2, "\xC3\x9C" "berschr."));
  EXPECT_FALSE(StatusBarSetText(bar, 6, "x"));
  EXPECT_FALSE(StatusBarSetText(bar, -1, "x"));
  EXPECT_EQ(StatusBarPartRect(bar, 1), (TRect{64, 0, 120, GetClientRect(bar).Bottom}));
  EXPECT_EQ(StatusBarPartRect(bar, 5).Right, GetClientRect(bar).Right);
  // The painted texts land in their parts, umlauts in the Windows code page.
  RunPendingMessages();
  auto texts = Backend->TextsOf(bar);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Z:  12"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "\xDC" "berschr."), texts.end());
  // Simple mode shows one text; the parts keep theirs for later.
  StatusBarSetSimple(bar, true);
  StatusBarSetText(bar, SB_SIMPLEID, "Suche nach/in Dateien - bitte warten ...");
  Backend->Records.clear();
  RunPendingMessages();
  EXPECT_EQ(Backend->TextsOf(bar),
            std::vector<std::string>{"Suche nach/in Dateien - bitte warten ..."});
  StatusBarSetSimple(bar, false);
  EXPECT_EQ(StatusBarText(bar, 0), "Z:  12");
  // Fewer parts keep the texts of those that remain.
  const int32_t kOne[] = {-1};
  ASSERT_TRUE(StatusBarSetParts(bar, kOne));
  EXPECT_EQ(StatusBarText(bar, 0), "Z:  12");
  EXPECT_EQ(StatusBarText(bar, 2), "");
  EXPECT_FALSE(StatusBarSetParts(bar, std::span<const int32_t>()));
  std::vector<int32_t> tooMany(kMaxStatusParts + 1, -1);
  EXPECT_FALSE(StatusBarSetParts(bar, tooMany));
}

TEST_F(FrameTest, PlacementKeepsTheNormalRectangleWhileMaximised) {
  MoveWindow(Frame, {10, 20, 610, 420});
  Seen().clear();
  SetShowState(Frame, TShowState::Maximized);
  TWindowPlacement p = GetWindowPlacement(Frame);
  EXPECT_EQ(p.State, TShowState::Maximized);
  EXPECT_EQ(p.NormalRect, (TRect{10, 20, 610, 420}));
  EXPECT_EQ(GetWindowRect(Frame).Width(), GetSystemMetrics(SM_CXSCREEN));
  // Restoring from a saved placement.
  SetShowState(Frame, TShowState::Normal);
  EXPECT_EQ(GetWindowRect(Frame), (TRect{10, 20, 610, 420}));
  ASSERT_TRUE(SetWindowPlacement(Frame, {TRect{5, 5, 405, 305}, TShowState::Maximized}));
  EXPECT_EQ(GetShowState(Frame), TShowState::Maximized);
  EXPECT_EQ(GetWindowPlacement(Frame).NormalRect, (TRect{5, 5, 405, 305}));
  EXPECT_FALSE(SetWindowPlacement(Frame, {TRect{}, TShowState::Normal}));
  // Document windows keep theirs through the client.
  SetShowState(Frame, TShowState::Normal);
  TWindow doc = NewDoc("A");
  SetShowState(doc, TShowState::Maximized);
  EXPECT_TRUE(GetWindowStyle(doc) & WS_MAXIMIZE);
  TWindowPlacement docPlace = GetWindowPlacement(doc);
  EXPECT_EQ(docPlace.State, TShowState::Maximized);
  EXPECT_NE(docPlace.NormalRect, GetWindowRect(doc));
  // The wait cursor covers nested long operations and goes with the outermost.
  {
    TWaitCursor outer;
    {
      TWaitCursor inner;
    }
    EXPECT_EQ(SetCursor(TCursorKind::Wait), TCursorKind::Wait);
  }
  EXPECT_EQ(SetCursor(TCursorKind::Arrow), TCursorKind::Arrow);
}
