// The command table, CommandAvailable per window kind, and the status bar's texts.
#include <gtest/gtest.h>

#include "editor/frame/CommandAvailable.h"
#include "editor/frame/CommandTable.h"
#include "editor/frame/StatusTexts.h"
#include "editor/frame/ToolBarLayout.h"
#include "resources/zkedit32/Menus.h"
#include "resources/zkedit32/ToolBarButtons.h"

namespace {

TCommandContext Kind(uint8_t kind) {
  TCommandContext c;
  c.Kind = kind;
  return c;
}

}  // namespace

TEST(CommandTableTest, EveryMenuAndToolBarCommandHasAnEntryWithAHint) {
  for (uint32_t id : {kMenuNoDocuments, kMenuDocuments, kMenuTextContext, kMenuHexContext,
                      kMenuGrepContext, kMenuDiffContext}) {
    for (const platform::TMenuEntry& e : EditorMenu(id)) {
      if (e.Kind != platform::TMenuEntry::Item) continue;
      const TCommandInfo* info = FindCommand(e.Id);
      ASSERT_NE(info, nullptr) << "menu " << id << " command " << e.Id;
      EXPECT_FALSE(info->Hint.empty()) << e.Id;
    }
  }
  for (const platform::TToolButton& b : EditorToolButtons()) {
    EXPECT_FALSE(CommandToolTip(b.Command).empty()) << b.Command;
  }
  EXPECT_EQ(CommandToolTip(112), "Neue Datei");
  EXPECT_EQ(CommandHint(129, true), "Diese Datei öffnen");
  EXPECT_EQ(CommandHint(125, false), "Kein E-Mail-Programm installiert !");
  EXPECT_EQ(FindCommand(167), nullptr);
  EXPECT_EQ(FindCommand(390), nullptr);
}

TEST(CommandTableTest, RulesPerWindowKind) {
  // Save needs a text or hex window that is writable.
  EXPECT_FALSE(CommandRule(Kind(0), 114));
  EXPECT_TRUE(CommandRule(Kind(1), 114));
  EXPECT_TRUE(CommandRule(Kind(2), 114));
  EXPECT_FALSE(CommandRule(Kind(3), 114));
  TCommandContext ro = Kind(1);
  ro.ReadOnly = true;
  EXPECT_FALSE(CommandRule(ro, 114));
  // Save as: any but compare.
  EXPECT_TRUE(CommandRule(Kind(3), 115));
  EXPECT_FALSE(CommandRule(Kind(4), 115));
  EXPECT_FALSE(CommandRule(Kind(0), 115));
  // Always-available commands also without a window.
  for (uint16_t id : {112, 113, 127, 240, 244}) EXPECT_TRUE(CommandAvailable(Kind(0), id)) << id;
  // Compare commands only in a compare window.
  EXPECT_TRUE(CommandRule(Kind(4), 907));
  EXPECT_FALSE(CommandRule(Kind(1), 907));
}

TEST(CommandTableTest, SelectAllFollowsColumnBlockModeExceptInHex) {
  TCommandContext text = Kind(1);
  EXPECT_TRUE(CommandRule(text, 150));
  text.ColumnBlockMode = true;
  EXPECT_FALSE(CommandRule(text, 150));
  TCommandContext hex = Kind(2);
  hex.ColumnBlockMode = true;
  EXPECT_TRUE(CommandRule(hex, 150));
  EXPECT_FALSE(CommandRule(Kind(4), 150));
}

TEST(CommandTableTest, SelectionAndWritableRules) {
  TCommandContext c = Kind(1);
  EXPECT_FALSE(CommandRule(c, 169));
  EXPECT_FALSE(CommandRule(c, 168));
  c.HasSelection = true;
  EXPECT_TRUE(CommandRule(c, 169));
  EXPECT_TRUE(CommandRule(c, 168));
  c.ReadOnly = true;
  EXPECT_FALSE(CommandRule(c, 169));
  EXPECT_TRUE(CommandRule(c, 168));  // saving a selection needs no writable window
  // Tabs to spaces also needs column blocks and their mode off.
  c = Kind(1);
  c.HasSelection = true;
  EXPECT_FALSE(CommandRule(c, 173));
  c.ColumnBlockSupported = true;
  EXPECT_TRUE(CommandRule(c, 173));
  c.ColumnBlockMode = true;
  EXPECT_FALSE(CommandRule(c, 173));
  // Read-only toggle: unmodified with a file name.
  c = Kind(1);
  EXPECT_FALSE(CommandRule(c, 204));
  c.HasFileName = true;
  EXPECT_TRUE(CommandRule(c, 204));
  c.Modified = true;
  EXPECT_FALSE(CommandRule(c, 204));
}

TEST(CommandTableTest, FindNextAndItsReverseAreGreyedTogetherAndLaterWindowsStayGreyed) {
  TCommandContext c = Kind(1);
  EXPECT_FALSE(CommandRule(c, 177));
  EXPECT_FALSE(CommandRule(c, 186));
  c.SearchTextExists = true;
  EXPECT_TRUE(CommandRule(c, 177));
  EXPECT_TRUE(CommandRule(c, 186));
  // Find has landed: available as its rule says.
  EXPECT_TRUE(CommandAvailable(c, 177));
  TCommandContext compare = Kind(4);
  compare.SearchTextExists = true;
  EXPECT_FALSE(CommandAvailable(compare, 177));  // not in compare windows
  EXPECT_TRUE(CommandAvailable(Kind(0), 201));  // the settings sheet has landed
  EXPECT_TRUE(CommandAvailable(Kind(1), 122));  // printing has landed
  EXPECT_FALSE(CommandAvailable(Kind(4), 122));  // compare windows are not printed
  // Bookmarks: go to only when set, set/clear in text windows.
  c = Kind(1);
  EXPECT_FALSE(CommandAvailable(c, 253));
  c.BookmarksSet = 1u << 3;
  EXPECT_TRUE(CommandAvailable(c, 253));
  EXPECT_FALSE(CommandAvailable(c, 252));
  EXPECT_TRUE(CommandAvailable(c, 262));
  EXPECT_FALSE(CommandAvailable(Kind(2), 262));
  // Mail needs a text window and a mail program.
  c = Kind(1);
  EXPECT_FALSE(CommandAvailable(c, 125));
  c.MailAvailable = true;
  EXPECT_TRUE(CommandAvailable(c, 125));
}

TEST(StatusTextsTest, TextsAndLayouts) {
  EXPECT_EQ(StatusLineText(12), "Z:  12");
  EXPECT_EQ(StatusColumnText(1), "S:  1");
  EXPECT_EQ(StatusInsertText(false), "Einfügen");
  EXPECT_EQ(StatusInsertText(true), "Überschr.");
  EXPECT_EQ(StatusCharsetText(true), "DOS");
  EXPECT_EQ(StatusHexOffsetText(-1), "");
  EXPECT_EQ(StatusHexOffsetText(31), "31 / 0000001F ");
  EXPECT_EQ(StatusHexByteText('A'), "\"A\" / 65 / 41");
  EXPECT_EQ(StatusFilesText(3), "Dateien: 3");
  EXPECT_EQ(StatusHitsText(0), "Textstellen: 0");
  std::string info = StatusFileInfoText(platform::TFileTime{0, 0}, 1234, true);
  EXPECT_NE(info.find("  1234 Byte   nur lesen!"), std::string::npos) << info;
  EXPECT_EQ(info.size(), std::string("01.01.1970 00:00  1234 Byte   nur lesen!").size());
  EXPECT_EQ(ScaledStatusLayout(1, 96), (std::vector<int32_t>{64, 120, 180, 240, 272, -1}));
  EXPECT_EQ(ScaledStatusLayout(2, 192), (std::vector<int32_t>{264, 424, 544, 664, 728, -1}));
  EXPECT_EQ(ScaledStatusLayout(3, 72).size(), 7u);
  EXPECT_EQ(ScaledStatusLayout(4, 96), (std::vector<int32_t>{-1}));
}

TEST(StatusTextsTest, ToolBarLayoutOfOneCharacterIsTheDefault) {
  EXPECT_EQ(FormatToolBarLayout(ParseToolBarLayout("F")), kDefaultToolBarLayout);
  EXPECT_EQ(ParseToolBarLayout(kDefaultToolBarLayout).size(), kDefaultToolBarLayout.size() / 2);
}
