// The settings sheet driven through its controls: pages reading and writing the settings,
// the corrections of the number fields, the change groups reaching open windows, the page
// shown last, filters, applications, multiple replace and the syntax definitions.
#include <gtest/gtest.h>

#include "SettingsFixture.h"
#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsSheet.h"
#include "editor/text/ChildAccess.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"

using namespace platform;

class SettingsSheetTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    SetLastSettingsPage(spGeneral);
  }
  int32_t CurrentPageIndex() {
    return static_cast<int32_t>(SendMessage(GetDlgItem(Sheet(), kSheetTabId), TCM_GETCURSEL, 0, 0));
  }
  std::string ListText(TWindow dialog, int32_t id, int32_t index) {
    std::string text;
    SendDlgItemMessage(dialog, id, LB_GETTEXT, static_cast<uintptr_t>(index), reinterpret_cast<intptr_t>(&text));
    return text;
  }
};

TEST_F(SettingsSheetTest, TextEditorFieldsAreCorrectedAndReachOpenWindows) {
  Frame->Options.TabCols = 4;
  Start();
  Frame->Command(112);
  TWindow w = Frame->Active();
  ASSERT_NE(Edit(w), nullptr);
  std::vector<std::string> fields;
  TScriptSteps steps;
  steps.Then([&] {
         ShowPage(spTextEditor);
         TWindow page = Page();
         EXPECT_EQ(GetDlgItemText(page, idTabWidth), "4");
         Type(page, idTabWidth, "1000");
         Click(page, idWordWrap);
         Type(page, idWrapColumn, "1");
         // Apply corrects the fields in place.
         Click(Sheet(), kSheetApplyId);
       })
      .Then([&] {
        TWindow page = Page();
        fields.push_back(GetDlgItemText(page, idTabWidth));
        fields.push_back(GetDlgItemText(page, idWrapColumn));
        Type(page, idTabWidth, "zwei");
        Type(page, idWrapColumn, "-5");
        Click(Sheet(), IDOK);
      });
  RunWith(201, steps);
  EXPECT_EQ(fields, (std::vector<std::string>{"256", "2"}));
  // Text that is no number puts 8 back; a smaller number becomes 2.
  EXPECT_EQ(Frame->Options.TabCols, 8);
  EXPECT_EQ(Frame->Options.WrapCol, 2);
  EXPECT_TRUE(Frame->Options.WordWrap);
  EXPECT_EQ(Edit(w)->TabWidth, 8);
  EXPECT_TRUE(Edit(w)->WordWrap);
  EXPECT_EQ(Edit(w)->WrapCol, 2);
}

TEST_F(SettingsSheetTest, ColumnFieldRule) {
  EXPECT_EQ(CorrectColumnField("999", 8), 999);
  EXPECT_EQ(CorrectColumnField("1000", 8), 256);
  EXPECT_EQ(CorrectColumnField("99999999999999999999", 8), 256);
  EXPECT_EQ(CorrectColumnField("2", 8), 2);
  EXPECT_EQ(CorrectColumnField("1", 8), 2);
  EXPECT_EQ(CorrectColumnField(" 12 ", 8), 12);
  EXPECT_EQ(CorrectColumnField("12a", 8), 8);
  EXPECT_EQ(CorrectColumnField("", 70), 70);
}

TEST_F(SettingsSheetTest, GeneralAndSafetyPagesEditTheRecordAndTheBars) {
  Frame->Options.AutoOpen = 3;
  Frame->Options.NonText = 2;
  Frame->Options.LineEnds = 3;
  Start();
  ASSERT_TRUE(IsWindowVisible(Frame->StatusBar));
  std::vector<bool> initial;
  TScriptSteps steps;
  steps.Then([&] {
         TWindow page = Page();
         initial = {IsChecked(page, idOpenAll), IsChecked(page, idStatusBar), IsWindowVisible(GetDlgItem(page, idMultipleInstances))};
         Click(page, idStatusBar);
         Click(page, idOpenNone);
         Click(page, idGotoLastPos);
         ShowPage(spSafety);
       })
      .Then([&] {
        TWindow page = Page();
        initial.push_back(IsChecked(page, idNonTextBlanks));
        initial.push_back(IsChecked(page, idEolCr));
        Click(page, idBackup);
        Click(page, idNonTextHex);
        Click(page, idEolLf);
        Click(Sheet(), IDOK);
      });
  RunWith(201, steps);
  EXPECT_EQ(initial, (std::vector<bool>{true, true, false, true, true}));
  EXPECT_EQ(Frame->Options.AutoOpen, 0);
  EXPECT_FALSE(Frame->Options.StatusBar);
  EXPECT_FALSE(IsWindowVisible(Frame->StatusBar));
  EXPECT_TRUE(Frame->Options.GotoLastPos);
  EXPECT_TRUE(Frame->Options.Backup);
  EXPECT_EQ(Frame->Options.NonText, 1);
  EXPECT_EQ(Frame->Options.LineEnds, 2);
}

TEST_F(SettingsSheetTest, CancelKeepsTheRecordAndThePageShownLastIsRemembered) {
  Start();
  TScriptSteps first;
  first.Then([&] {
    ShowPage(spFilters);
    Click(Page(), idFilterDelete);
    Cancel();
  });
  RunWith(201, first);
  ASSERT_EQ(Frame->Options.Filters.size(), 1u);
  int32_t shown = -1;
  TScriptSteps second;
  second.Then([&] {
    shown = CurrentPageIndex();
    Cancel();
  });
  RunWith(201, second);
  EXPECT_EQ(shown, spFilters);
  // 208 opens at the applications, 124 at the page setup, whatever was shown last.
  TScriptSteps third;
  third.Then([&] {
    shown = CurrentPageIndex();
    Cancel();
  });
  RunWith(208, third);
  EXPECT_EQ(shown, spApplications);
  TScriptSteps fourth;
  fourth.Then([&] {
    shown = CurrentPageIndex();
    Cancel();
  });
  RunWith(124, fourth);
  EXPECT_EQ(shown, spPageSetup);
}

TEST_F(SettingsSheetTest, FiltersAreAddedReplacedMovedAndDeleted) {
  Frame->Options.Filters = {"Alle Dateien|*.*", "Texte|*.txt"};
  Frame->Options.FilterIndex = 3;
  Start();
  std::vector<std::string> fields;
  TScriptSteps steps;
  steps.Then([&] {
    ShowPage(spFilters);
    TWindow page = Page();
    Choose(page, idFilterList, 1);
    fields = {GetDlgItemText(page, idFilterName), GetDlgItemText(page, idFilterPatterns)};
    // Same description: replaced in place.
    Type(page, idFilterPatterns, "*.txt;*.asc");
    Click(page, idFilterAdd);
    Type(page, idFilterName, "Quellen");
    Type(page, idFilterPatterns, "*.c;*.h");
    Click(page, idFilterAdd);  // behind the selected entry
    Click(page, idFilterUp);
    // A filter without patterns or with "|" is refused.
    Type(page, idFilterName, "Kaputt|x");
    Click(page, idFilterAdd);
    Choose(page, idFilterList, 0);
    Click(page, idFilterDelete);
    Click(Sheet(), IDOK);
  });
  RunWith(201, steps);
  EXPECT_EQ(fields, (std::vector<std::string>{"Texte", "*.txt"}));
  EXPECT_EQ(Frame->Options.Filters, (std::vector<std::string>{"Quellen|*.c;*.h", "Texte|*.txt;*.asc"}));
  EXPECT_EQ(Frame->Options.FilterIndex, 1);
  EXPECT_FALSE(Backend->Beeps.empty());
}

TEST_F(SettingsSheetTest, ApplicationsPageRebuildsTheMenu) {
  Start();
  TScriptSteps steps;
  steps.Then([&] {
    TWindow page = Page();
    Click(page, idAppAdd);
    EXPECT_EQ(GetDlgItemText(page, idAppMenuEntry), "Neue Anwendung");
    Type(page, idAppMenuEntry, "Sortieren");
    Type(page, idAppProgram, "/usr/bin/sort");
    Type(page, idAppArguments, "%1");
    Click(page, idAppAdd);  // stays without program: not kept
    Click(page, idAppAdd);
    Type(page, idAppMenuEntry, "Zählen");
    Type(page, idAppProgram, "wc");
    Click(page, idAppUp);
    Click(Sheet(), IDOK);
  });
  RunWith(208, steps);
  ASSERT_EQ(Frame->Options.Apps.Size(), 2u);
  EXPECT_EQ(Frame->Options.Apps[0].MenuEntry, "Sortieren");
  EXPECT_EQ(Frame->Options.Apps[1].MenuEntry, "Zählen");
  TMenu holder = 0;
  int32_t at = 0;
  ASSERT_TRUE(FindMenuCommand(Frame->MenuNoDocuments, 208, holder, at));
  EXPECT_EQ(GetMenuItemCount(holder), at + 4);
  EXPECT_EQ(GetMenuString(holder, 210, MF_BYCOMMAND), "&2 Zählen");
  ASSERT_TRUE(FindMenuCommand(Frame->MenuDocuments, 209, holder, at));
  EXPECT_EQ(GetMenuString(holder, 209, MF_BYCOMMAND), "&1 Sortieren");
}

TEST_F(SettingsSheetTest, FontAndColoursReachOpenWindowsAndSystemFontTogglesBack) {
  Start();
  Frame->Command(112);
  TWindow w = Frame->Active();
  TScriptSteps steps;
  steps.Then([&] {
    TWindow page = Page();
    EXPECT_EQ(static_cast<int32_t>(SendDlgItemMessage(page, idColorKind, CB_GETCURSEL, 0, 0)), 0);
    QueueFontAnswer([](TFontDialog& d) {
      d.Font.FaceName = "Courier";
      d.Font.Height = -20;
      return true;
    });
    Click(page, idChangeFont);
    Click(page, idAreaBack);
    QueueColorAnswer([](TColorDialog& d) {
      d.Color = MakeRgb(1, 2, 3);
      return true;
    });
    Click(page, idOtherColor);
    Click(Sheet(), IDOK);
  });
  RunWith(200, steps);
  EXPECT_EQ(Frame->Options.Fonts[0].FaceName, "Courier");
  EXPECT_EQ(Frame->Options.Colors[0].Back, MakeRgb(1, 2, 3));
  const TFontInfo* info = GetFontInfo(ChildGetFont(w));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Log.FaceName, "Courier");
  EXPECT_EQ(BrushColor(Edit(w)->Background), MakeRgb(1, 2, 3));
  // F8: the system font for every window, and back with the own one.
  Frame->Command(198);
  EXPECT_EQ(ChildGetFont(w), GetStockFont());
  EXPECT_EQ(GetMenuState(Frame->MenuDocuments, 198, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  Frame->Command(198);
  EXPECT_EQ(GetFontInfo(ChildGetFont(w))->Log.FaceName, "Courier");
}

TEST_F(SettingsSheetTest, MultipleReplaceGroupsAndPairs) {
  TMulRepItems group;
  group.Name = "Umlaute";
  group.Pairs = {{"ae", "ä"}};
  Frame->Options.MultiReplace.Groups = {group};
  Start();
  TScriptSteps steps;
  steps.Then([&] {
    ShowPage(spMultiReplace);
    TWindow page = Page();
    EXPECT_EQ(GetDlgItemText(page, idGroupName), "Umlaute");
    EXPECT_EQ(GetDlgItemText(page, idPairReplace), "ä");
    Click(page, idPairNew);
    Type(page, idPairSearch, "oe");
    Type(page, idPairReplace, "ö");
    Click(page, idPairNew);  // left without a search text: not stored
    Click(page, idGroupCase);
    Click(page, idGroupNew);
    Type(page, idGroupName, "Zweite|Gruppe");
    Click(page, idPairNew);
    Type(page, idPairSearch, "x");
    Click(Sheet(), IDOK);
  });
  RunWith(201, steps);
  const auto& groups = Frame->Options.MultiReplace.Groups;
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_TRUE(groups[0].CaseSensitive);
  EXPECT_EQ(groups[0].Pairs, (std::vector<TMulRepPair>{{"ae", "ä"}, {"oe", "ö"}}));
  EXPECT_EQ(groups[1].Name, "Zweite/Gruppe");
  EXPECT_EQ(groups[1].Pairs, (std::vector<TMulRepPair>{{"x", ""}}));
}

TEST_F(SettingsSheetTest, SyntaxDefinitionsAreWrittenAndReattachedToWindows) {
  Dir.Write("ZKColors.Ini", "[C0]\r\nFileExt=C H\r\nLineCmt=//\r\nStrChar=\"\r\nW101=int\r\n");
  std::string file = Dir.Write("a.pas", "begin end\r\n");
  Start();
  TWindow w = Frame->OpenFile(file, false, nullptr, false);
  ASSERT_NE(w, 0u);
  TScriptSteps steps;
  steps.Then([&] {
    ShowPage(spSyntax);
    TWindow page = Page();
    EXPECT_EQ(ListText(page, idSyntaxList, 0), "C H");
    EXPECT_EQ(GetDlgItemText(page, idLineComment), "//");
    Type(page, idSyntaxExt, "pas .PP");
    Click(page, idSyntaxAdd);
    Type(page, idBlockBegin, "{");
    Type(page, idBlockEnd, "}");
    Type(page, idKeyWords, "begin\r\nend");
    Click(Sheet(), IDOK);
  });
  RunWith(201, steps);
  TProfileFile colors(Dir.File("ZKColors.Ini"));
  ASSERT_EQ(colors.Load(), 0);
  EXPECT_EQ(colors.ReadString("C1", "FileExt", ""), "pas PP");
  EXPECT_EQ(colors.ReadString("C1", "BlkCmtB", ""), "{");
  EXPECT_EQ(colors.ReadString("C0", "W101", ""), "int");
  TSyntaxColorInfo syntax;
  ASSERT_TRUE(Frame->FindSyntax(file, syntax));
  EXPECT_EQ(syntax.KeyWords, "begin end");
  EXPECT_NE(Edit(w)->Coloring, nullptr);
}

TEST_F(SettingsSheetTest, PageSetupMarginsInCentimetresAndHeaderCodes) {
  Frame->Options.PageHeader = "&N";
  Frame->Options.MarginLeft = 250;
  Start();
  std::vector<std::string> seen;
  TScriptSteps steps;
  steps.Then([&] {
    TWindow page = Page();
    seen = {GetDlgItemText(page, idMarginLeft), IsChecked(page, 1650) ? "N" : "-", IsChecked(page, 1652) ? "U" : "-"};
    Click(page, 1650);  // "Dateiname" off: &N goes
    Click(page, 1653);  // "Seite" on: &S comes
    Type(page, idMarginRight, "1.5");
    Type(page, idMarginTop, "99");
    Type(page, idMarginBottom, "kaputt");
    Click(page, idPrintLineNumbers);
    Click(Sheet(), IDOK);
  });
  RunWith(124, steps);
  EXPECT_EQ(seen, (std::vector<std::string>{"2,50", "N", "-"}));
  EXPECT_EQ(Frame->Options.PageHeader, "&S");
  EXPECT_EQ(Frame->Options.MarginRight, 150);
  EXPECT_EQ(Frame->Options.MarginTop, 5000);
  EXPECT_EQ(Frame->Options.MarginBottom, 200);
  EXPECT_TRUE(Frame->Options.PrintLineNumbers);
}

TEST_F(SettingsSheetTest, ToolBarStyleRecreatesTheBarAndCustomisationIsStored) {
  Start();
  TWindow before = Frame->ToolBar;
  TScriptSteps steps;
  steps.Then([&] {
    TWindow page = Page();
    QueueToolBarArrangement({0, 1, kToolSeparator, 2});
    Click(page, idCustomizeToolBar);
    Click(page, idToolBarFlat);
    Click(Sheet(), IDOK);
  });
  RunWith(201, steps);
  EXPECT_EQ(Frame->Options.ToolBarButtons, "0001FF02");
  EXPECT_FALSE(Frame->Options.ToolBarFlat);
  EXPECT_NE(Frame->ToolBar, before);
  EXPECT_EQ(GetWindowStyle(Frame->ToolBar) & TBSTYLE_FLAT, 0u);
  EXPECT_EQ(ToolBarButtonCount(Frame->ToolBar), 4);
}
