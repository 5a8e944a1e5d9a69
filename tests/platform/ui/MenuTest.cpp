// Menus: tables, run-time changes, the messages of a menu in use and context menus.
#include "tests/platform/ui/FrameFixture.h"

#include "platform/core/HandleTable.h"
#include "platform/ui/Controls.h"

using namespace platform;
using frametest::FrameTest;
using frametest::Parts;
using frametest::Seen;

namespace {

std::vector<uint32_t> MessagesOf(platform::TWindow w) {
  std::vector<uint32_t> list;
  for (const frametest::TSeen& s : Seen()) {
    if (s.Window == w) list.push_back(s.Message);
  }
  return list;
}

}  // namespace

TEST_F(FrameTest, MenuTablesBuildBarsAndRefuseBrokenNesting) {
  TMenu docs = Parts().Docs;
  ASSERT_EQ(GetMenuItemCount(docs), 7);
  const char* const kTitles[] = {"Datei", "Bearbeiten", "Suchen", "Optionen", "Anwendung",
                                 "Fenster", "Hilfe"};
  for (int32_t i = 0; i < 7; ++i) {
    EXPECT_EQ(MenuLabel(GetMenuString(docs, static_cast<uint32_t>(i), MF_BYPOSITION)), kTitles[i]);
  }
  EXPECT_EQ(GetMenuItemCount(Parts().NoDocs), 5);
  // Commands are found in nested popups; texts keep mnemonic and accelerator.
  EXPECT_EQ(GetMenuString(docs, 161, MF_BYCOMMAND), "&Datum\tStrg+F9");
  EXPECT_EQ(MenuLabel("&Drucken ...\tStrg+P"), "Drucken ...");
  EXPECT_EQ(MenuLabel("Gro\xC3\x9F/Klein &vertauschen"), "Gro\xC3\x9F/Klein vertauschen");
  EXPECT_EQ(MenuLabel("A&&B"), "A&B");
  // Bookmark popups: ten items each.
  TMenu holder = 0;
  int32_t position = -1;
  ASSERT_TRUE(FindMenuCommand(docs, 259, holder, position));
  EXPECT_EQ(position, 9);
  EXPECT_EQ(GetMenuItemCount(holder), 10);
  // Every context menu and bar loads.
  for (uint32_t id : {kMenuTextContext, kMenuHexContext, kMenuGrepContext, kMenuDiffContext,
                      kMenuDropChoice}) {
    TMenu m = LoadMenuIndirect(EditorMenu(id), true);
    EXPECT_GT(GetMenuItemCount(m), 0) << id;
    EXPECT_TRUE(DestroyMenu(m));
  }
  // Unbalanced tables give no menu and leave no handles behind.
  uint32_t handles = LiveHandleCount();
  const TMenuEntry kOpen[] = {{TMenuEntry::Popup, 0, "&A", 0}, {TMenuEntry::Item, 1, "x", 0}};
  const TMenuEntry kClose[] = {{TMenuEntry::Item, 1, "x", 0}, {TMenuEntry::End, 0, {}, 0}};
  EXPECT_EQ(LoadMenuIndirect(kOpen), 0u);
  EXPECT_EQ(LoadMenuIndirect(kClose), 0u);
  EXPECT_EQ(LiveHandleCount(), handles);
}

TEST_F(FrameTest, MenusChangeAtRunTime) {
  TMenu file = GetSubMenu(Parts().Docs, 0);
  int32_t count = GetMenuItemCount(file);
  // Recent files go in before "Beenden", as the frame inserts them.
  ASSERT_TRUE(InsertMenu(file, 127, MF_BYCOMMAND | MF_STRING, 128, "&1 C:\\a.txt"));
  EXPECT_EQ(GetMenuItemID(file, count - 1), 128u);
  EXPECT_EQ(GetMenuItemID(file, count), 127u);
  ASSERT_TRUE(ModifyMenu(Parts().Docs, 128, MF_BYCOMMAND | MF_STRING, 129, "&2 b.txt"));
  EXPECT_EQ(GetMenuState(file, 128, MF_BYCOMMAND), kNoMenuItem);
  EXPECT_EQ(GetMenuString(file, 129, MF_BYCOMMAND), "&2 b.txt");
  EXPECT_TRUE(DeleteMenu(Parts().Docs, 129, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(file), count);
  EXPECT_FALSE(DeleteMenu(Parts().Docs, 129, MF_BYCOMMAND));
  // Check and grey report the previous state; a missing item says so.
  EXPECT_EQ(CheckMenuItem(Parts().Docs, 192, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(Parts().Docs, 192, MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(EnableMenuItem(Parts().Docs, 114, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(Parts().Docs, 114, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(Parts().Docs, 114, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(Parts().Docs, 4711, MF_CHECKED), kNoMenuItem);
  // Delete destroys a popup; remove hands it back.
  TMenu apps = GetSubMenu(Parts().Docs, 4);
  ASSERT_TRUE(RemoveMenu(Parts().Docs, 4, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(apps));
  ASSERT_TRUE(InsertMenu(Parts().Docs, 4, MF_BYPOSITION | MF_POPUP, apps, "&Anwendung"));
  EXPECT_EQ(GetSubMenu(Parts().Docs, 4), apps);
  // A popup cannot go inside itself.
  EXPECT_FALSE(AppendMenu(apps, MF_POPUP, apps, "x"));
  EXPECT_FALSE(AppendMenu(apps, MF_POPUP, Parts().Docs, "x"));
  ASSERT_TRUE(DeleteMenu(Parts().Docs, 4, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(apps));
}

TEST_F(FrameTest, ChoosingAnItemSendsTheMessagesOfAMenuInUse) {
  Seen().clear();
  ASSERT_TRUE(ChooseMenuPath(Frame, "Datei/Neu"));
  std::vector<uint32_t> expected{WM_INITMENU, WM_MENUSELECT, WM_INITMENUPOPUP, WM_MENUSELECT,
                                 WM_MENUSELECT};
  EXPECT_EQ(MessagesOf(Frame), expected);
  // The popup and its position, the item's command, then the closing select.
  EXPECT_EQ(Seen()[2].WParam, GetSubMenu(Parts().NoDocs, 0));
  EXPECT_EQ(Seen()[2].LParam, MakeLParam(0, 0));
  EXPECT_EQ(LoWord(Seen()[3].WParam), 112u);
  EXPECT_EQ(HiWord(Seen()[4].WParam), kMenuClosedFlags);
  EXPECT_EQ(Seen()[4].LParam, 0);
  RunPendingMessages();
  ASSERT_EQ(Seen().back().Message, static_cast<uint32_t>(WM_COMMAND));
  EXPECT_EQ(Seen().back().WParam, 112u);
  // What the frame greys when the popup opens cannot be chosen.
  Parts().Grey = {113};
  Seen().clear();
  EXPECT_FALSE(ChooseMenuItem(Frame, 113));
  RunPendingMessages();
  EXPECT_TRUE(Of(Frame, WM_COMMAND).empty());
  EXPECT_FALSE(ChooseMenuItem(Frame, 4711));
  EXPECT_FALSE(ChooseMenuPath(Frame, "Datei"));
  EXPECT_FALSE(ChooseMenuPath(Frame, "Datei/Gibt es nicht"));
  // Opening a popup and moving over it, as the status bar hints need.
  Seen().clear();
  TMenu search = OpenMenuPopup(Frame, 1);
  ASSERT_EQ(search, GetSubMenu(Parts().NoDocs, 1));
  HoverMenuItem(Frame, search, 1);
  MenuClosed(Frame);
  auto selects = Of(Frame, WM_MENUSELECT);
  ASSERT_EQ(selects.size(), 2u);
  EXPECT_EQ(LoWord(selects[0].WParam), 184u);
  EXPECT_EQ(static_cast<TMenu>(selects[0].LParam), search);
}

TEST_F(FrameTest, ContextMenusReturnOrPostTheChoice) {
  TMenu popup = LoadMenuIndirect(EditorMenu(kMenuDropChoice), true);
  QueuePopupChoice(1002);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, {5, 5}, Frame), 1002u);
  RunPendingMessages();
  EXPECT_TRUE(Of(Frame, WM_COMMAND).empty());
  // Without a choice nothing is chosen.
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, {5, 5}, Frame), 0u);
  // Posting: the owner gets WM_COMMAND; it heard WM_INITMENUPOPUP before the menu showed.
  Seen().clear();
  QueuePopupChoice(1001);
  EXPECT_NE(TrackPopupMenu(popup, 0, {5, 5}, Frame), 0u);
  ASSERT_FALSE(Of(Frame, WM_INITMENUPOPUP).empty());
  EXPECT_EQ(Of(Frame, WM_INITMENUPOPUP)[0].WParam, popup);
  RunPendingMessages();
  ASSERT_EQ(Of(Frame, WM_COMMAND).size(), 1u);
  EXPECT_EQ(Of(Frame, WM_COMMAND)[0].WParam, 1001u);
  // A greyed item (greyed by the owner as the menu opens) or a foreign command is no choice.
  Parts().Grey = {1001};
  QueuePopupChoice(1001);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, {5, 5}, Frame), 0u);
  QueuePopupChoice(112);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, {5, 5}, Frame), 0u);
  DestroyMenu(popup);
}
