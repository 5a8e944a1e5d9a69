// Find, find next and the find dialog driven through the frame's commands, headless.
#include "FindFixture.h"

#include "editor/find/FindDialog.h"
#include "editor/search/LineSearch.h"

using namespace platform;

namespace {

TTextRange Hit(int32_t line, int32_t column, int32_t length) {
  return MakeTextRange(line, column, line, column + length);
}

}  // namespace

TEST_F(FindTest, DialogRulesAndTheTextItStartsWith) {
  TEditChildData& d = Open("a.txt", "alpha beta_gamma-delta\r\n");
  d.SetCaret(8, 0, false, false);
  bool backwardEnabledWithRegExp = true, backwardEnabledAgain = false, hexShown = true;
  bool okWithText = false, okWhenEmpty = true;
  std::string initial;
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    initial = GetDlgItemText(dialog, idcSearchText);
    hexShown = IsWindowVisible(GetDlgItem(dialog, idcHexInput));
    okWithText = IsWindowEnabled(GetDlgItem(dialog, IDOK));
    Click(dialog, idcBackward);
    Click(dialog, idcRegExp);
    backwardEnabledWithRegExp = IsWindowEnabled(GetDlgItem(dialog, idcBackward));
    EXPECT_FALSE(Checked(dialog, idcBackward));
    Click(dialog, idcRegExp);
    backwardEnabledAgain = IsWindowEnabled(GetDlgItem(dialog, idcBackward));
    SendDlgItemMessage(dialog, idcSearchText, CB_SETEDITSEL, 0, MakeLParam(0, -1));
    ScriptKey(VK_DELETE);
  });
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    okWhenEmpty = IsWindowEnabled(GetDlgItem(dialog, IDOK));
    // Enter on a disabled OK does nothing; Escape cancels.
    ScriptKey(VK_RETURN);
  });
  Steps.Then([&] { ScriptKey(VK_ESCAPE); });
  Frame->Command(176);
  // The word at the cursor; "-" ends it, "_" does not.
  EXPECT_EQ(initial, "beta_gamma");
  EXPECT_FALSE(hexShown);
  EXPECT_TRUE(okWithText);
  EXPECT_FALSE(backwardEnabledWithRegExp);
  EXPECT_TRUE(backwardEnabledAgain);
  EXPECT_FALSE(okWhenEmpty);
  // Cancel leaves no request: find next only beeps.
  EXPECT_FALSE(Frame->IsAvailable(177));
  EXPECT_TRUE(Steps.Done());
}

TEST_F(FindTest, InitialTextFollowsTheSelection) {
  TEditChildData& d = Open("a.txt", "one two three\r\nfour five\r\nsix\r\nseven\r\n");
  TTextRange inLine = MakeTextRange(0, 4, 0, 13);
  d.SetSelection(&inLine, 0);
  std::string seen;
  bool selectionOnly = true;
  auto look = [&] {
    TWindow dialog = FocusDialog();
    seen = GetDlgItemText(dialog, idcSearchText);
    selectionOnly = Checked(dialog, idcSelectionOnly);
    ScriptKey(VK_ESCAPE);
  };
  Steps.Then(look);
  Frame->Command(176);
  EXPECT_EQ(seen, "two three");
  EXPECT_FALSE(selectionOnly);
  // Over three lines: the word at the cursor, and the selection is what to search in.
  TTextRange lines = MakeTextRange(0, 0, 2, 2);
  d.SetSelection(&lines, 0);
  Steps.Then(look);
  Frame->Command(176);
  EXPECT_EQ(seen, "six");
  EXPECT_TRUE(selectionOnly);
}

TEST_F(FindTest, FindSelectsFindNextGoesOnAndTheEndFreesTheRequest) {
  TEditChildData& d = Open("a.txt", "eins zwei eins\r\neins\r\n");
  Answer("eins");
  Frame->Command(176);
  EXPECT_EQ(d.Selection, Hit(0, 0, 4));
  EXPECT_EQ(d.Caret, (TTextPos{4, 0}));
  EXPECT_TRUE(Frame->IsAvailable(177));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 10, 4));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(1, 0, 4));
  Frame->Command(177);
  ASSERT_NE(LastBox(), nullptr);
  EXPECT_EQ(LastBox()->Text, "Keine weitere Textstelle gefunden!");
  EXPECT_EQ(LastBox()->Caption, "Z&K Quellwerk: Suchen");
  EXPECT_EQ(LastBox()->Type & MB_ICONMASK, MB_ICONINFORMATION);
  EXPECT_FALSE(Frame->IsAvailable(177));
  const size_t beeps = Backend->Beeps.size();
  Frame->Finder->FindNext(Frame->Active(), false);
  EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
  // The history holds the text, newest first.
  ASSERT_FALSE(Frame->Options.SearchTexts.Empty());
  EXPECT_EQ(Frame->Options.SearchTexts[0], "eins");
}

TEST_F(FindTest, ShiftF3TurnsRoundForOneSearch) {
  TEditChildData& d = Open("a.txt", "ab ab ab ab\r\n");
  Answer("ab");
  Frame->Command(176);
  Frame->Command(177);
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 6, 2));
  // Back to the one before (not the one shown), then forward again.
  Frame->Command(186);
  EXPECT_EQ(d.Selection, Hit(0, 3, 2));
  EXPECT_EQ(d.Caret, (TTextPos{3, 0}));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 6, 2));
}

TEST_F(FindTest, NotFoundAndFaultyExpressionMessages) {
  Open("a.txt", "abc\r\n");
  Answer("xyz");
  Frame->Command(176);
  ASSERT_NE(LastBox(), nullptr);
  EXPECT_EQ(LastBox()->Text, "Textstelle NICHT gefunden!");
  EXPECT_EQ(LastBox()->Caption, "Z&K Quellwerk: Suchen");
  EXPECT_EQ(LastBox()->Type & MB_ICONMASK, MB_ICONEXCLAMATION);
  EXPECT_FALSE(Frame->IsAvailable(177));
  Answer("a[", [](TWindow dialog) { Set(dialog, idcRegExp, true); });
  Frame->Command(176);
  EXPECT_EQ(LastBox()->Text, "Fehlerhafter regulärer Ausdruck!");
  EXPECT_FALSE(Frame->IsAvailable(177));
  // The options are remembered for the next dialog.
  EXPECT_TRUE(Frame->Options.SearchRegEx);
}

TEST_F(FindTest, UmlautsOfBothCharacterSetsThroughTheDialog) {
  // Windows Ä, DOS ä, DOS Ä, then Windows ä.
  TEditChildData& d = Open("a.txt", "x\xC4 \x84 \x8E \xE4\r\n");
  Answer("ä");
  Frame->Command(176);
  EXPECT_EQ(d.Selection, Hit(0, 1, 1));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 3, 1));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 5, 1));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 7, 1));
  // Case-sensitive: the DOS ä and the Windows ä, neither Ä.
  Answer("ä", [](TWindow dialog) { Set(dialog, idcCase, true); });
  Frame->Command(176);
  EXPECT_EQ(d.Selection, Hit(0, 3, 1));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 7, 1));
}

TEST_F(FindTest, WholeWordsTreatHyphenAndUnderscoreAsWordCharacters) {
  TEditChildData& d = Open("a.txt", "er-x er_x xer er, er\r\n");
  Answer("er", [](TWindow dialog) { Set(dialog, idcWholeWords, true); });
  Frame->Command(176);
  EXPECT_EQ(d.Selection, Hit(0, 14, 2));
  Frame->Command(177);
  EXPECT_EQ(d.Selection, Hit(0, 18, 2));
}

TEST_F(FindTest, EmptyMatchesMoveOnByOneColumn) {
  TEditChildData& d = Open("a.txt", "ab\r\nc\r\n");
  Answer("x*", [](TWindow dialog) { Set(dialog, idcRegExp, true); });
  Frame->Command(176);
  EXPECT_EQ(d.Caret, (TTextPos{0, 0}));
  std::vector<TTextPos> seen;
  for (int i = 0; i < 4; ++i) {
    Frame->Command(177);
    seen.push_back(d.Caret);
  }
  EXPECT_EQ(seen, (std::vector<TTextPos>{{1, 0}, {2, 0}, {0, 1}, {1, 1}}));
}

TEST_F(FindTest, SelectionOnlyKeepsToTheBlock) {
  TEditChildData& d = Open("a.txt", "ab\r\nab ab\r\nab\r\n");
  TTextRange block = MakeTextRange(1, 1, 1, 5);
  d.SetSelection(&block, 0);
  Answer("ab", [](TWindow dialog) { Set(dialog, idcSelectionOnly, true); });
  Frame->Command(176);
  EXPECT_EQ(d.Selection, Hit(1, 3, 2));
  Frame->Command(177);
  EXPECT_EQ(LastBox()->Text, "Keine weitere Textstelle gefunden!");
}

TEST_F(FindTest, HexInputIsCheckedInTheDialog) {
  TSearchRequest request;
  TStringHistory searches, replacements;
  TFindDialogArgs args;
  args.Replace = true;
  args.HexWindow = true;
  args.Request = &request;
  args.SearchTexts = &searches;
  args.ReplaceTexts = &replacements;
  bool hexShown = false, caseEnabled = true;
  size_t beeps = 0;
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    hexShown = IsWindowVisible(GetDlgItem(dialog, idcHexInput));
    Click(dialog, idcHexInput);
    caseEnabled = IsWindowEnabled(GetDlgItem(dialog, idcCase));
    ScriptType("ABC");
  });
  Steps.Then([&] {
    beeps = Backend->Beeps.size();
    Click(FocusDialog(), IDOK);
  });
  Steps.Then([&] {
    // Three digits without a blank: refused, the dialog stays with the field focused.
    EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
    TWindow dialog = FocusDialog();
    ASSERT_NE(dialog, 0u);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), idcSearchText);
    SendDlgItemMessage(dialog, idcSearchText, CB_SETEDITSEL, 0, MakeLParam(0, -1));
    ScriptKey(VK_DELETE);
    ScriptType("0A 1 FF");
  });
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    SetFocus(GetDlgItem(dialog, idcReplaceText));
    ScriptType("0G");
  });
  Steps.Then([&] { Click(FocusDialog(), IDOK); });
  Steps.Then([&] {
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), idcReplaceText);
    TWindow dialog = FocusDialog();
    SendDlgItemMessage(dialog, idcReplaceText, CB_SETEDITSEL, 0, MakeLParam(0, -1));
    ScriptKey(VK_DELETE);
    ScriptType("00 41");
  });
  Steps.Then([&] { Click(FocusDialog(), IDOK); });
  ASSERT_TRUE(RunFindDialog(Frame->Window, args));
  EXPECT_TRUE(hexShown);
  EXPECT_FALSE(caseEnabled);
  EXPECT_TRUE(request.HexInput);
  EXPECT_STREQ(request.SearchText, "0A 1 FF");
  ASSERT_EQ(request.HexReplaceLength, 2);
  EXPECT_EQ(request.HexReplace[0], 0x00);
  EXPECT_EQ(request.HexReplace[1], 0x41);
}

TEST_F(FindTest, HistoriesKeepTheNewestFirstAndAHundredAtMost) {
  Open("a.txt", "w1 w2\r\n");
  for (int i = 0; i < 100; ++i) Frame->Options.SearchTexts.Add("old" + std::to_string(i));
  Answer("neu");
  Frame->Command(176);
  const TStringHistory& h = Frame->Options.SearchTexts;
  ASSERT_EQ(h.Size(), 100u);
  EXPECT_EQ(h[0], "neu");
  EXPECT_EQ(h[99], "old1");  // "old0", the oldest, dropped out
  Answer("old50");
  Frame->Command(176);
  EXPECT_EQ(h[0], "old50");
  EXPECT_EQ(h[1], "neu");
  EXPECT_EQ(h.Size(), 100u);
}
