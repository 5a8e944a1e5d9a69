// Replace with and without confirmation, over all documents, multiple replace and go to
// line, driven through the frame's commands, headless.
#include "FindFixture.h"

#include "editor/find/GotoDialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Input.h"
#include "platform/ui/StatusBar.h"

using namespace platform;

namespace {

std::string Repeat(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\r\n";
  return text;
}

}  // namespace

TEST_F(FindTest, DoublingALetterTerminatesAndUndoesInOneStep) {
  TEditChildData& d = Open("a.txt", "eine Rede\r\nsehen\r\n");
  const std::string before = Text(d);
  AnswerReplace("e", "ee");
  Frame->Command(178);
  EXPECT_EQ(Text(d), "eeinee Reedee\nseeheen");
  ASSERT_NE(LastBox(), nullptr);
  EXPECT_EQ(LastBox()->Text, "Suchen und Ersetzen beendet!");
  EXPECT_EQ(LastBox()->Caption, "Z&K Quellwerk: Ersetzen");
  EXPECT_TRUE(d.Modified);
  // The cursor stands behind the last replacement; status bar and cursor are back.
  EXPECT_EQ(d.Caret, (TTextPos{6, 1}));
  EXPECT_FALSE(StatusBarIsSimple(Frame->StatusBar));
  EXPECT_FALSE(Frame->IsAvailable(177));
  Frame->Command(144);
  EXPECT_EQ(Text(d), before);
  EXPECT_FALSE(d.Editor->CanUndo());
}

TEST_F(FindTest, BackwardAndEmptyMatchReplacementsTerminate) {
  TEditChildData& d = Open("a.txt", "ee e\r\n");
  AnswerReplace("e", "ee", [](TWindow dialog) { Set(dialog, idcBackward, true); });
  Frame->Command(178);
  EXPECT_EQ(Text(d), "eeee ee");
  // An expression that matches empty text inserts once at every place and moves on.
  TEditChildData& e = Open("b.txt", "ab");
  AnswerReplace("x*", "-", [](TWindow dialog) { Set(dialog, idcRegExp, true); });
  Frame->Command(178);
  EXPECT_EQ(Text(e), "-a-b-");
}

TEST_F(FindTest, SelectionOnlyReplacementFollowsTheGrowingBlock) {
  TEditChildData& d = Open("a.txt", "a a a a\r\n");
  TTextRange block = MakeTextRange(0, 0, 0, 5);  // the first three
  d.SetSelection(&block, 0);
  AnswerReplace("a", "bbb", [](TWindow dialog) { Set(dialog, idcSelectionOnly, true); });
  Frame->Command(178);
  EXPECT_EQ(Text(d), "bbb bbb bbb a");
}

TEST_F(FindTest, ConfirmationAnswersYesNoAllAndCancel) {
  TEditChildData& d = Open("a.txt", "a a a a a\r\n");
  AnswerReplace("a", "b", [](TWindow dialog) { Set(dialog, idcConfirm, true); });
  ConfirmAnswers = {idcYes, idcNo, idcYes, idcAll};
  Frame->Command(178);
  EXPECT_EQ(Text(d), "b a b b b");
  ASSERT_EQ(Confirmed.size(), 4u);
  EXPECT_EQ(Confirmed[1], MakeTextRange(0, 2, 0, 3));
  EXPECT_EQ(ReplaceAvailable, std::vector<bool>(4, false));
  EXPECT_EQ(Frame->Modeless, 0u);
  EXPECT_EQ(LastBox()->Text, "Suchen und Ersetzen beendet!");
  // Cancel keeps what was replaced, frees the request and says nothing.
  const size_t boxes = Backend->Boxes.size();
  AnswerReplace("b", "c", [](TWindow dialog) { Set(dialog, idcConfirm, true); });
  ConfirmAnswers = {idcYes, IDCANCEL};
  Frame->Command(178);
  EXPECT_EQ(Text(d), "c a b b b");
  EXPECT_EQ(Backend->Boxes.size(), boxes);
  EXPECT_EQ(Frame->Modeless, 0u);
  EXPECT_FALSE(Frame->IsAvailable(177));
  // Confirmed to the end: "no further place".
  AnswerReplace("c", "d", [](TWindow dialog) { Set(dialog, idcConfirm, true); });
  ConfirmAnswers = {idcYes};
  Frame->Command(178);
  EXPECT_EQ(Text(d), "d a b b b");
  EXPECT_EQ(LastBox()->Text, "Keine weitere Textstelle gefunden!");
}

TEST_F(FindTest, EscapeStopsALongReplaceAndKeepsWhatWasReplaced) {
  TEditChildData& d = Open("a.txt", Repeat("e", 1000));
  AnswerReplace("e", "x");
  // Pressed while the replace runs: the key waits in the input queue.
  AfterOk = [] { ScriptKey(VK_ESCAPE); };
  const size_t boxes = Backend->Boxes.size();
  Frame->Command(178);
  int32_t replaced = 0;
  for (int32_t i = 0; i < d.Lines.Count(); ++i) replaced += d.Lines.Text(i) == "x";
  EXPECT_GT(replaced, 0);
  EXPECT_LT(replaced, 1000);
  EXPECT_EQ(Backend->Boxes.size(), boxes);
  EXPECT_FALSE(StatusBarIsSimple(Frame->StatusBar));
  // Everything replaced so far goes in one undo step.
  Frame->Command(144);
  int32_t restored = 0;
  for (int32_t i = 0; i < d.Lines.Count(); ++i) restored += d.Lines.Text(i) == "e";
  EXPECT_EQ(restored, 1000);
}

TEST_F(FindTest, AllDocumentsReplacesInEveryTextWindow) {
  TEditChildData& a = Open("a.txt", "x1\r\n");
  TEditChildData& b = Open("b.txt", "x2 x\r\n");
  TEditChildData& c = Open("c.txt", "x3\r\n");
  AnswerReplace("x", "y", [](TWindow dialog) { Set(dialog, idcAllDocuments, true); });
  const size_t boxes = Backend->Boxes.size();
  Frame->Command(178);
  EXPECT_EQ(Text(a), "y1");
  EXPECT_EQ(Text(b), "y2 y");
  EXPECT_EQ(Text(c), "y3");
  // One message at the end.
  ASSERT_EQ(Backend->Boxes.size(), boxes + 1);
  EXPECT_EQ(LastBox()->Text, "Suchen und Ersetzen beendet!");
  // Each window undoes its own replacements in one step.
  b.Undo();
  EXPECT_EQ(Text(b), "x2 x");
  EXPECT_EQ(Text(a), "y1");
}

TEST_F(FindTest, ReadOnlyWindowStopsTheLoopWithoutMessage) {
  TEditChildData& d = Open("a.txt", "aa\r\n");
  AnswerReplace("a", "b");
  // Made read-only behind the dialog: the window refuses the first replacement.
  AfterOk = [&d] { d.ReadOnly = 1; };
  const size_t boxes = Backend->Boxes.size();
  Frame->Command(178);
  EXPECT_EQ(Text(d), "aa");
  EXPECT_EQ(Backend->Boxes.size(), boxes);
}

TEST_F(FindTest, MultipleReplaceRunsEveryPairOfTheGroup) {
  TMulRepItems group;
  group.Name = "Umlaute";
  group.Pairs = {{"ae", "\xE4"}, {"oe", "\xF6"}};
  TMulRepItems other;
  other.Name = "Andere";
  other.Pairs = {{"x", "y"}};
  Frame->Options.MultiReplace.Groups = {other, group};
  TEditChildData& d = Open("a.txt", "Baer oeffnen x\r\n");
  bool setUpEnabled = true;
  int32_t pairRows = 0;
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    setUpEnabled = IsWindowEnabled(GetDlgItem(dialog, idcSetUp));
    SendDlgItemMessage(dialog, idcGroups, LB_SETCURSEL, 1, 0);
    SendMessage(dialog, WM_COMMAND, MakeWParam(idcGroups, LBN_SELCHANGE),
                static_cast<intptr_t>(GetDlgItem(dialog, idcGroups)));
    pairRows = static_cast<int32_t>(SendDlgItemMessage(dialog, idcPairs, LVM_GETITEMCOUNT, 0, 0));
    Click(dialog, IDOK);
  });
  Frame->Command(179);
  // The frame opens the settings page from there.
  EXPECT_TRUE(setUpEnabled);
  EXPECT_EQ(pairRows, 2);
  EXPECT_EQ(Text(d), "B\xE4r \xF6" "ffnen x");
  EXPECT_EQ(Frame->Finder->LastGroup, "Umlaute");
  // One step undoes every pair.
  Frame->Command(144);
  EXPECT_EQ(Text(d), "Baer oeffnen x");
  // The group is preselected the next time; without a settings page the button is greyed.
  Frame->Finder->OpenMultiReplaceSettings = nullptr;
  std::string selected;
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    setUpEnabled = IsWindowEnabled(GetDlgItem(dialog, idcSetUp));
    selected = std::to_string(SendDlgItemMessage(dialog, idcGroups, LB_GETCURSEL, 0, 0));
    ScriptKey(VK_ESCAPE);
  });
  Frame->Command(179);
  EXPECT_FALSE(setUpEnabled);
  EXPECT_EQ(selected, "1");
}

TEST_F(FindTest, GotoLineMovesTheCaretAndRefusesLinesOutOfRange) {
  TEditChildData& d = Open("a.txt", Repeat("Zeile", 5));
  std::string range;
  size_t beeps = 0;
  Steps.Then([&] {
    TWindow dialog = FocusDialog();
    range = GetDlgItemText(dialog, idcRange);
    SetDlgItemText(dialog, idcGotoLine, "9");
    beeps = Backend->Beeps.size();
    Click(dialog, IDOK);
  });
  Steps.Then([&] {
    EXPECT_EQ(Backend->Beeps.size(), beeps + 1);
    TWindow dialog = FocusDialog();
    ASSERT_NE(dialog, 0u);
    SetDlgItemText(dialog, idcGotoLine, "4");
    SetDlgItemText(dialog, idcGotoColumn, "3");
    Click(dialog, IDOK);
  });
  Frame->Command(180);
  EXPECT_EQ(range, "1 - 6");
  EXPECT_EQ(d.Caret, (TTextPos{2, 3}));
}
