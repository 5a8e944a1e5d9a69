// Block commands, sorting, formatting and the painting of the editor window.
#include <algorithm>

#include "editor/text/SortLines.h"
#include "editor/text/TextChars.h"
#include "editor/text/WordWrap.h"
#include "platform/ui/CodePages.h"
#include "tests/editor/text/TextViewFixture.h"

using namespace platform;
using namespace textview;
using TLines = std::vector<std::string>;

TEST(WordWrapTest, BreakPositions) {
  EXPECT_EQ(FindBreakPosition("", 5), -1);
  EXPECT_EQ(FindBreakPosition("abcde", 5), -1);
  EXPECT_EQ(FindBreakPosition("ab cdef", 5), 3);     // after the blank
  EXPECT_EQ(FindBreakPosition("abcdefgh", 5), 5);    // hard at the limit
  EXPECT_EQ(FindBreakPosition("ab-cdefgh", 5), 3);   // after a hyphen
  EXPECT_EQ(FindBreakPosition("abc d-fgh", 5), 4);   // a hyphen at the limit does not count
  EXPECT_EQ(FindBreakPosition(" bcdefgh", 5), 5);    // index 0 never counts
  EXPECT_EQ(FindBreakPosition("abcde fg", 5), 6);    // a blank at the limit stays up
  EXPECT_EQ(LeadingBlanks("\t  x ", 10), "\t  ");
  EXPECT_EQ(LeadingBlanks("\t  x ", 2), "\t ");
}

TEST(SortOrderTest, StableInBothDirectionsAndMissingKeysFirst) {
  std::vector<std::string_view> texts = {"b1", "a", "B2", "", "a", "b3"};
  TSortKey key;
  std::vector<int32_t> up = SortOrder(texts, key);
  EXPECT_EQ(up, (std::vector<int32_t>{3, 1, 4, 0, 2, 5}));
  key.Descending = true;
  EXPECT_EQ(SortOrder(texts, key), (std::vector<int32_t>{5, 2, 0, 1, 4, 3}));
  // A key between columns; texts that do not reach it come first, in their order.
  std::vector<std::string_view> keyed = {"x9", "y1", "z", "w5", ""};
  key = TSortKey{};
  key.KeyFrom = 1;
  key.KeyTo = 2;
  EXPECT_EQ(SortOrder(keyed, key), (std::vector<int32_t>{2, 4, 1, 3, 0}));
}

TEST(SortOrderTest, LocaleOrderPutsUmlautsBesideTheirLetters) {
  EXPECT_LT(CompareTextLocale("Apfel", "\xC4pfel", false), 0);
  EXPECT_LT(CompareTextLocale("\xC4pfel", "Birne", false), 0);
  EXPECT_LT(CompareTextLocale("Stra\xDF" "e", "Strasses", false), 0);
  EXPECT_EQ(CompareTextLocale("abc", "ABC", false), 0);
  EXPECT_LT(CompareTextLocale("abc", "ABC", true), 0);
  EXPECT_LT(CompareTextLocale("a", "b", true), 0);
  EXPECT_GT(CompareTextLocale("b", "A", true), 0);
}

TEST(SortOrderTest, AdversarialInputsStaySorted) {
  // Sorted, reversed, all equal and organ-pipe inputs of one size.
  const int n = 20000;
  std::vector<std::string> storage;
  for (int i = 0; i < n; ++i) storage.push_back(std::to_string(100000 + i));
  for (int i = 0; i < n; ++i) storage.push_back(std::to_string(100000 + n - i));
  for (int i = 0; i < n; ++i) storage.push_back("same");
  for (int i = 0; i < n; ++i) storage.push_back(std::to_string(100000 + std::min(i, n - i)));
  for (int part = 0; part < 4; ++part) {
    std::vector<std::string_view> texts(storage.begin() + part * n, storage.begin() + (part + 1) * n);
    std::vector<int32_t> order = SortOrder(texts, TSortKey{});
    for (int i = 1; i < n; ++i) {
      ASSERT_LE(CompareSortKeys(texts[order[i - 1]], texts[order[i]], TSortKey{}), 0);
      if (texts[order[i - 1]] == texts[order[i]]) {
        ASSERT_LT(order[i - 1], order[i]);
      }
    }
  }
}

TEST(TextCharsTest, CaseToggleAndCharacterSets) {
  EXPECT_EQ(ToggleCaseChar('a'), 'A');
  EXPECT_EQ(ToggleCaseChar(228), 196);
  EXPECT_EQ(ToggleCaseChar(129), 154);
  EXPECT_EQ(ToggleCaseChar('1'), '1');
  EXPECT_EQ(DosToWinChar(0x84), 0xE4);
  EXPECT_EQ(WinToDosChar(0xE4), 0x84);
  for (int c = 128; c < 256; ++c) {
    uint8_t dos = WinToDosChar(static_cast<uint8_t>(c));
    if (dos != '?') {
      EXPECT_EQ(DosToWinChar(dos), c) << c;
    }
  }
}

TEST_F(TextViewTest, SortLinesWidensToWholeLinesAndUndoesInOneStep) {
  TEditChildData& d = Make({"pear", "Apfel", "\xC4pfel", "banana", "apfel", "end"});
  TTextRange r = MakeTextRange(0, 2, 4, 1);
  d.SetSelection(&r, 0);
  d.SortLines(TSortOptions{});
  EXPECT_EQ(Text(d), (TLines{"Apfel", "apfel", "\xC4pfel", "banana", "pear", "end"}));
  EXPECT_EQ(d.Selection, MakeTextRange(0, 0, 5, 0));
  d.SortLines(TSortOptions{true, false, false});
  EXPECT_EQ(Text(d), (TLines{"pear", "banana", "\xC4pfel", "Apfel", "apfel", "end"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"Apfel", "apfel", "\xC4pfel", "banana", "pear", "end"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"pear", "Apfel", "\xC4pfel", "banana", "apfel", "end"}));
  // One line: nothing.
  r = MakeTextRange(1, 0, 1, 3);
  d.SetSelection(&r, 0);
  d.SortLines(TSortOptions{});
  EXPECT_EQ(Text(d), (TLines{"pear", "Apfel", "\xC4pfel", "banana", "apfel", "end"}));
}

TEST_F(TextViewTest, SortColumnBlocksByKeyOrRowsOnly) {
  Params.ColumnBlock = 1;
  TEditChildData& d = Make({"a3x", "b1y", "c2z"});
  TTextRange r = MakeTextRange(0, 1, 2, 2);
  d.SetSelection(&r, 0);
  d.SortLines(TSortOptions{false, false, true});
  EXPECT_EQ(Text(d), (TLines{"b1y", "c2z", "a3x"}));
  d.SetSelection(&r, 0);
  d.SortLines(TSortOptions{true, false, false});
  EXPECT_EQ(Text(d), (TLines{"b3y", "c2z", "a1x"}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"b1y", "c2z", "a3x"}));
}

TEST_F(TextViewTest, FormatBreaksAndJoinsParagraphs) {
  TEditChildData& d = Make({"aaa bbb ccc ddd", "eee", "", "fff", "ggg", "", ""});
  TFormatOptions options;
  options.Columns = 8;
  options.JoinLines = true;
  d.FormatText(options);
  EXPECT_EQ(Text(d), (TLines{"aaa bbb ", "ccc ddd ", "eee", "", "fff ggg", "", ""}));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"aaa bbb ccc ddd", "eee", "", "fff", "ggg", "", ""}));
  options.JoinLines = false;
  options.Columns = 5;
  options.MarkedLines = true;
  TTextRange r = MakeTextRange(0, 0, 1, 0);
  d.SetSelection(&r, 0);
  d.FormatText(options);
  EXPECT_EQ(Text(d), (TLines{"aaa ", "bbb ", "ccc ", "ddd", "eee", "", "fff", "ggg", "", ""}));
}

TEST_F(TextViewTest, CaseConversionsAndCharacterSetOfTheSelection) {
  TEditChildData& d = Make({"hello wORLD \xE4", "x"});
  TTextRange r = MakeTextRange(0, 0, 0, 13);
  d.SetSelection(&r, 0);
  d.ConvertCase(ccUpper);
  EXPECT_EQ(Text(d)[0], "HELLO WORLD \xC4");
  d.ConvertCase(ccLower);
  EXPECT_EQ(Text(d)[0], "hello world \xE4");
  d.ConvertCase(ccCapitalize);
  EXPECT_EQ(Text(d)[0], "Hello World \xC4");
  d.ConvertCase(ccToggle);
  EXPECT_EQ(Text(d)[0], "hELLO wORLD \xE4");
  d.ConvertCharset(true);
  EXPECT_EQ(Text(d)[0], "hELLO wORLD \x84");
  d.ConvertCharset(false);
  EXPECT_EQ(Text(d)[0], "hELLO wORLD \xE4");
  d.Undo();
  EXPECT_EQ(Text(d)[0], "hELLO wORLD \x84");
}

TEST_F(TextViewTest, TabsToSpacesKeepsWhatLiesOutsideTheSelection) {
  TEditChildData& d = Make({"a\tb\tc", "\tx"});
  TTextRange r = MakeTextRange(0, 2, 1, 1);
  d.SetSelection(&r, 0);
  d.TabsToSpaces();
  EXPECT_EQ(Text(d), (TLines{"a\tb       c", "        x"}));
  EXPECT_EQ(d.Selection, MakeTextRange(0, 2, 1, 8));
  d.Undo();
  EXPECT_EQ(Text(d), (TLines{"a\tb\tc", "\tx"}));
}

TEST_F(TextViewTest, ShiftColumnBlocksRightAndLeft) {
  Params.ColumnBlock = 1;
  TEditChildData& d = Make({"ab cd", "ef gh", "ij"});
  TTextRange r = MakeTextRange(0, 3, 1, 5);
  d.SetSelection(&r, 0);
  d.ShiftBlockRight();
  EXPECT_EQ(Text(d), (TLines{"ab  cd", "ef  gh", "ij"}));
  EXPECT_EQ(d.Selection, MakeTextRange(0, 4, 1, 6));
  d.ShiftBlockLeft();
  d.ShiftBlockLeft();
  EXPECT_EQ(Text(d), (TLines{"abcd", "efgh", "ij"}));
  d.ShiftBlockLeft();  // no blanks left of the block: nothing
  EXPECT_EQ(Text(d), (TLines{"abcd", "efgh", "ij"}));
  // A space in one row and a TAB in the other: nothing either.
  SetText(d, {"ab cd", "ab\tcd"});
  r = MakeTextRange(0, 3, 1, 3);
  d.Selection = r;
  d.ShiftBlockLeft();
  EXPECT_EQ(Text(d), (TLines{"ab cd", "ab\tcd"}));
}

TEST_F(TextViewTest, SyntaxColoursPaintRunsAndCommentsRecolourLinesBelow) {
  TSyntaxColorInfo info;
  info.KeyWords = "int";
  info.KeyColor = MakeRgb(0, 0, 255);
  info.CommentColor = MakeRgb(0, 128, 0);
  info.StringColor = MakeRgb(255, 0, 255);
  info.LineComment = "//";
  info.BlockBegin = "/*";
  info.BlockEnd = "*/";
  Params.SyntaxColoring = &info;
  TEditChildData& d = Make({"int x; // c", "y", "z"});
  auto records = PaintAll();
  std::vector<std::pair<std::string, TColorRef>> texts;
  for (const TPaintRecord& r : records) {
    if (r.Op == TPaintRecord::TOp::Text) texts.push_back({r.Text, r.Color});
  }
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], (std::pair<std::string, TColorRef>{"int", MakeRgb(0, 0, 255)}));
  EXPECT_EQ(texts[1].first, " x; ");
  EXPECT_EQ(texts[2], (std::pair<std::string, TColorRef>{"// c", MakeRgb(0, 128, 0)}));
  // Opening a block comment repaints the lines below it.
  d.SetCaret(0, 1, false, false);
  RunPendingMessages();
  Backend->Records.clear();
  Type("/*");
  bool zInComment = false;
  for (const TPaintRecord& r : Backend->Records) {
    zInComment |= r.Op == TPaintRecord::TOp::Text && r.Text == "z" && r.Color == MakeRgb(0, 128, 0);
  }
  EXPECT_TRUE(zInComment);
}

TEST_F(TextViewTest, VisibleBlanksTabsAndLineEnds) {
  Params.ShowSpecial = 1;
  TEditChildData& d = Make({"a b\tc"});
  auto records = PaintAll();
  int dots = 0, ends = 0, lines = 0;
  for (const TPaintRecord& r : records) {
    if (r.Op == TPaintRecord::TOp::Text && r.Text == "\xB7") {
      ++dots;
      EXPECT_EQ(r.Rect.Left, 8);
    }
    if (r.Op == TPaintRecord::TOp::Text && r.Text == "\xB6") {
      ++ends;
      EXPECT_EQ(r.Rect.Left, 72);
    }
    if (r.Op == TPaintRecord::TOp::Line) ++lines;
  }
  EXPECT_EQ(dots, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(lines, 3);  // shaft and two head strokes
  // In DOS mode the marks come from code page 850.
  d.DosMode = 1;
  records = PaintAll();
  bool dosDot = false, dosEnd = false;
  for (const TPaintRecord& r : records) {
    if (r.Op != TPaintRecord::TOp::Text || r.Text.size() != 1) continue;
    dosDot |= Cp850ToUnicode(static_cast<uint8_t>(r.Text[0])) == U'\u00B7';
    dosEnd |= Cp850ToUnicode(static_cast<uint8_t>(r.Text[0])) == U'\u00B6';
  }
  EXPECT_TRUE(dosDot);
  EXPECT_TRUE(dosEnd);
}
