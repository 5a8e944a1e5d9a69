// The MDI client: activation pairs, next/previous, window states, arrangement, the window
// list in the "Fenster" popup and closing.
#include "tests/platform/ui/FrameFixture.h"

#include "platform/ui/Accelerator.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/Input.h"
#include "platform/ui/ListBox.h"

using namespace platform;
using frametest::FrameTest;
using frametest::Seen;

namespace {

bool Overlap(const TRect& a, const TRect& b) { return !IntersectRect(a, b).IsEmpty(); }

}  // namespace

TEST_F(FrameTest, NewWindowsBecomeActiveWithMdiActivatePairs) {
  TWindow a = NewDoc("A");
  ASSERT_NE(a, 0u);
  ASSERT_EQ(Of(a, WM_MDIACTIVATE).size(), 1u);
  EXPECT_EQ(Of(a, WM_MDIACTIVATE)[0].WParam, 0u);
  EXPECT_EQ(static_cast<TWindow>(Of(a, WM_MDIACTIVATE)[0].LParam), a);
  TWindow b = NewDoc("B");
  // The window left and the window entered hear the same pair, the left one first.
  auto toA = Of(a, WM_MDIACTIVATE);
  auto toB = Of(b, WM_MDIACTIVATE);
  ASSERT_EQ(toA.size(), 2u);
  ASSERT_EQ(toB.size(), 1u);
  EXPECT_EQ(toA[1].WParam, a);
  EXPECT_EQ(static_cast<TWindow>(toA[1].LParam), b);
  EXPECT_EQ(toB[0].WParam, a);
  EXPECT_EQ(static_cast<TWindow>(toB[0].LParam), b);
  EXPECT_EQ(MdiGetActive(Client), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(MdiChildren(Client), (std::vector<TWindow>{a, b}));
  // Activating the active window again sends nothing.
  size_t before = Seen().size();
  SendMessage(Client, WM_MDIACTIVATE, b, 0);
  EXPECT_EQ(Seen().size(), before);
}

TEST_F(FrameTest, NextAndPreviousPageThroughTheWindows) {
  TWindow a = NewDoc("A");
  TWindow b = NewDoc("B");
  TWindow c = NewDoc("C");
  ASSERT_EQ(MdiGetActive(Client), c);
  SendMessage(Client, WM_MDINEXT, 0, 0);
  EXPECT_EQ(MdiGetActive(Client), b);
  SendMessage(Client, WM_MDINEXT, 0, 0);
  EXPECT_EQ(MdiGetActive(Client), a);
  SendMessage(Client, WM_MDINEXT, 0, 0);
  EXPECT_EQ(MdiGetActive(Client), c);
  SendMessage(Client, WM_MDINEXT, 0, 1);
  EXPECT_EQ(MdiGetActive(Client), a);
  SendMessage(Client, WM_MDINEXT, 0, 1);
  EXPECT_EQ(MdiGetActive(Client), b);
  // The keys of the client do the same through the system commands of the active window.
  InputFocus(MdiGetActive(Client));
  RunPendingMessages();
  InputKey(VK_CONTROL, true);
  InputKey(VK_F6, true);
  TMsg msg;
  int32_t translated = 0;
  while (PeekMessage(msg, true)) {
    if (TranslateMdiSysAccel(Client, msg)) {
      ++translated;
      continue;
    }
    DispatchMessage(msg);
  }
  EXPECT_EQ(translated, 1);
  EXPECT_NE(MdiGetActive(Client), b);
}

TEST_F(FrameTest, MaximisedStatePassesOnAndShowsTheSystemMenuInTheBar) {
  SendMessage(Client, WM_MDISETMENU, frametest::Parts().Docs,
              GetSubMenu(frametest::Parts().Docs, kWindowMenuPosition));
  TMenu bar = GetMenu(Frame);
  int32_t popups = GetMenuItemCount(bar);
  TWindow a = NewDoc("A");
  TWindow b = NewDoc("B");
  TRect normalB = GetWindowRect(b);
  SendMessage(Client, WM_MDIMAXIMIZE, b, 0);
  bool maximized = false;
  EXPECT_EQ(MdiGetActive(Client, &maximized), b);
  EXPECT_TRUE(maximized);
  EXPECT_EQ(GetWindowRect(b), GetClientRect(Client));
  auto sizes = Of(b, WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().WParam, SIZE_MAXIMIZED);
  // The system menu takes position 0, so the first document popup moves to 1.
  EXPECT_EQ(GetMenuItemCount(bar), popups + 1);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), SC_RESTORE);
  EXPECT_EQ(GetMenuString(bar, 1, MF_BYPOSITION), "&Datei");
  // A window activated while one is maximised becomes maximised; the other is restored.
  SendMessage(Client, WM_MDIACTIVATE, a, 0);
  EXPECT_TRUE(GetWindowStyle(a) & WS_MAXIMIZE);
  EXPECT_FALSE(GetWindowStyle(b) & WS_MAXIMIZE);
  EXPECT_EQ(GetWindowRect(b), normalB);
  // A new window opens maximised too.
  TWindow c = NewDoc("C");
  EXPECT_TRUE(GetWindowStyle(c) & WS_MAXIMIZE);
  EXPECT_FALSE(GetWindowStyle(a) & WS_MAXIMIZE);
  EXPECT_EQ(GetMenuItemCount(bar), popups + 1);
  // Restore through the system menu in the bar: the command goes to the window.
  EXPECT_TRUE(ChooseMenuItem(Frame, SC_RESTORE));
  RunPendingMessages();
  EXPECT_FALSE(GetWindowStyle(c) & WS_MAXIMIZE);
  EXPECT_EQ(GetMenuItemCount(bar), popups);
  EXPECT_EQ(GetMenuString(bar, 0, MF_BYPOSITION), "&Datei");
}

TEST_F(FrameTest, TileCascadeAndIcons) {
  TWindow a = NewDoc("A");
  TWindow b = NewDoc("B");
  TWindow c = NewDoc("C");
  TRect area = GetClientRect(Client);
  SendMessage(Client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
  // One above the other: full width, heights adding up to the client's.
  int32_t height = 0;
  for (TWindow w : {a, b, c}) {
    TRect r = GetWindowRect(w);
    EXPECT_EQ(r.Width(), area.Width());
    height += r.Height();
  }
  EXPECT_EQ(height, area.Height());
  EXPECT_FALSE(Overlap(GetWindowRect(a), GetWindowRect(b)));
  EXPECT_EQ(GetWindowRect(c).Top, 0);  // the active window comes first
  SendMessage(Client, WM_MDITILE, MDITILE_VERTICAL, 0);
  int32_t width = 0;
  for (TWindow w : {a, b, c}) {
    EXPECT_EQ(GetWindowRect(w).Height(), area.Height());
    width += GetWindowRect(w).Width();
  }
  EXPECT_EQ(width, area.Width());
  EXPECT_FALSE(Overlap(GetWindowRect(b), GetWindowRect(c)));
  // Cascade: a stair whose last, lowest step is the active window.
  SendMessage(Client, WM_MDICASCADE, 0, 0);
  EXPECT_LT(GetWindowRect(a).Top, GetWindowRect(b).Top);
  EXPECT_LT(GetWindowRect(b).Top, GetWindowRect(c).Top);
  EXPECT_LE(GetWindowRect(c).Bottom, area.Bottom);
  // Minimised windows line up at the bottom and stay out of the tiles.
  SendMessage(a, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessage(b, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(a));
  EXPECT_EQ(GetWindowRect(a).Bottom, area.Bottom);
  EXPECT_FALSE(Overlap(GetWindowRect(a), GetWindowRect(b)));
  EXPECT_EQ(Of(a, WM_SIZE).back().WParam, SIZE_MINIMIZED);
  SendMessage(Client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
  EXPECT_FALSE(Overlap(GetWindowRect(c), GetWindowRect(a)));
  EXPECT_EQ(GetWindowRect(c).Height(), area.Height() - GetWindowRect(a).Height());
  // Restoring brings back the place it had before minimising.
  TRect before = MdiRestoreRect(a);
  SendMessage(Client, WM_MDIRESTORE, a, 0);
  EXPECT_FALSE(IsIconic(a));
  EXPECT_EQ(GetWindowRect(a), before);
}

TEST_F(FrameTest, WindowListFollowsWindowsTitlesAndActivation) {
  SendMessage(Client, WM_MDISETMENU, frametest::Parts().Docs,
              GetSubMenu(frametest::Parts().Docs, kWindowMenuPosition));
  TMenu popup = GetSubMenu(frametest::Parts().Docs, kWindowMenuPosition);
  int32_t own = GetMenuItemCount(popup);
  EXPECT_TRUE(WindowList().empty());
  TWindow a = NewDoc("eins.txt");
  TWindow b = NewDoc("zwei.txt");
  EXPECT_EQ(WindowList(), (std::vector<std::string>{"&1 eins.txt", "&2 zwei.txt *"}));
  EXPECT_EQ(GetMenuItemCount(popup), own + 3);  // a separator and two entries
  SetWindowText(a, "drei.txt");
  EXPECT_EQ(WindowList(), (std::vector<std::string>{"&1 drei.txt", "&2 zwei.txt *"}));
  // Choosing an entry activates its window.
  ASSERT_TRUE(ChooseMenuItem(Frame, 380));
  RunPendingMessages();
  EXPECT_EQ(MdiGetActive(Client), a);
  EXPECT_EQ(WindowList(), (std::vector<std::string>{"&1 drei.txt *", "&2 zwei.txt"}));
  // Closing removes the entry; the last window gone takes the separator along.
  SendMessage(b, WM_CLOSE, 0, 0);
  EXPECT_EQ(WindowList(), (std::vector<std::string>{"&1 drei.txt *"}));
  DestroyWindow(a);
  EXPECT_TRUE(WindowList().empty());
  EXPECT_EQ(GetMenuItemCount(popup), own);
  EXPECT_EQ(MdiGetActive(Client), 0u);
}

TEST_F(FrameTest, ClickIntoAnInactiveChildActivatesIt) {
  TWindow a = NewDoc("eins.txt");
  TWindow b = NewDoc("zwei.txt");
  SendMessage(Client, WM_MDITILE, MDITILE_VERTICAL, 0);
  ASSERT_EQ(MdiGetActive(Client), b);
  ScriptClick(a, {5, 5});
  RunPendingMessages();
  EXPECT_EQ(MdiGetActive(Client), a);
  ScriptClick(a, {6, 6});
  RunPendingMessages();
  EXPECT_EQ(MdiGetActive(Client), a);
}

TEST_F(FrameTest, WindowListWithMoreWindowsThanEntriesOffersThemAllInADialog) {
  SendMessage(Client, WM_MDISETMENU, frametest::Parts().Docs,
              GetSubMenu(frametest::Parts().Docs, kWindowMenuPosition));
  std::vector<TWindow> docs;
  for (int32_t n = 1; n <= 10; ++n) docs.push_back(NewDoc("d" + std::to_string(n) + ".txt"));
  // Ten windows still fit.
  EXPECT_EQ(WindowList().size(), 10u);
  EXPECT_EQ(WindowList().back().substr(0, 4), "1&0 ");
  docs.push_back(NewDoc("d11.txt"));
  docs.push_back(NewDoc("d12.txt"));
  std::vector<std::string> list = WindowList();
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[8], "&9 d9.txt");
  EXPECT_EQ(list[9], "&Weitere Fenster ...");
  // The dialog lists all twelve with the active one selected; the user picks the eleventh.
  intptr_t count = -1, selected = -1;
  TScriptSteps steps;
  steps.Then([&] {
         TWindow box = GetFocus();
         count = SendMessage(box, LB_GETCOUNT, 0, 0);
         selected = SendMessage(box, LB_GETCURSEL, 0, 0);
         ScriptKey(VK_UP);
       })
      .Then([&] { ScriptKey(VK_RETURN); });
  Backend->SetIdleScript([&] { return steps.Step(); });
  ASSERT_TRUE(ChooseMenuItem(Frame, 389));
  RunPendingMessages();
  Backend->SetIdleScript(nullptr);
  EXPECT_EQ(count, 12);
  EXPECT_EQ(selected, 11);
  EXPECT_EQ(MdiGetActive(Client), docs[10]);
  // Cancelled, nothing changes.
  TScriptSteps cancel;
  cancel.Then([&] { ScriptKey(VK_ESCAPE); });
  Backend->SetIdleScript([&] { return cancel.Step(); });
  ASSERT_TRUE(ChooseMenuItem(Frame, 389));
  RunPendingMessages();
  Backend->SetIdleScript(nullptr);
  EXPECT_EQ(MdiGetActive(Client), docs[10]);
}

TEST_F(FrameTest, ClosingTheActiveWindowActivatesTheNextAndKeepsMaximised) {
  TWindow a = NewDoc("A");
  TWindow b = NewDoc("B", WS_MAXIMIZE);
  EXPECT_TRUE(GetWindowStyle(b) & WS_MAXIMIZE);
  Seen().clear();
  // Ctrl+F4 is the client's key for closing.
  InputFocus(b);
  RunPendingMessages();
  InputKey(VK_CONTROL, true);
  InputKey(VK_F4, true);
  TMsg msg;
  while (PeekMessage(msg, true)) {
    if (!TranslateMdiSysAccel(Client, msg)) DispatchMessage(msg);
  }
  InputKey(VK_CONTROL, false);
  RunPendingMessages();
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(MdiGetActive(Client), a);
  EXPECT_TRUE(GetWindowStyle(a) & WS_MAXIMIZE);
  auto pair = Of(a, WM_MDIACTIVATE);
  ASSERT_EQ(pair.size(), 1u);
  EXPECT_EQ(pair[0].WParam, 0u);
  EXPECT_EQ(static_cast<TWindow>(pair[0].LParam), a);
  // WM_MDIDESTROY of a window of another client is ignored.
  TWindow stranger = CreateWindowEx(0, "TestDoc", "x", WS_CHILD, {0, 0, 5, 5}, Frame, nullptr);
  SendMessage(Client, WM_MDIDESTROY, stranger, 0);
  EXPECT_TRUE(IsWindow(stranger));
}
