// The text view: gutter and painting, caret placement and movement, words, selections,
// bookmarks, copy and save.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "editor/text/BookmarkMarks.h"
#include "editor/text/TextAccess.h"
#include "tests/editor/text/TextViewFixture.h"
#include "tests/support/TempDir.h"

using namespace platform;
using namespace textview;

namespace {

const TPaintRecord* FindText(const std::vector<TPaintRecord>& records, std::string_view text) {
  for (const TPaintRecord& r : records) {
    if (r.Op == TPaintRecord::TOp::Text && r.Text == text) return &r;
  }
  return nullptr;
}

}  // namespace

TEST_F(TextViewTest, LineNumberGutterIsSixDigitsWideAndRightAligned) {
  Params.LineNumbers = 1;
  TEditChildData& d = Make({"alpha", "beta"});
  EXPECT_EQ(d.GutterWidth(), 66);
  EXPECT_EQ(d.Scroller->MarginWidth, 66);
  auto records = PaintAll();
  const TPaintRecord* one = FindText(records, "     1");
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->Rect.Left, 2);  // six places of 8 pixels end at 66 - 16
  EXPECT_EQ(one->Rect.Right, 50);
  const TPaintRecord* text = FindText(records, "alpha");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Rect.Left, 66);
  EXPECT_EQ(FindText(records, "     3"), nullptr);  // only existing lines are numbered
  // A proportional font measures the digits instead.
  d.SetFont(PropFont, true);
  EXPECT_EQ(d.GutterWidth(), 6 * 8 + 18);
}

TEST_F(TextViewTest, ProportionalFontSwitchesColumnBlocksOffInEffect) {
  Params.ColumnBlock = 1;
  TEditChildData& d = Make({"abc"});
  EXPECT_TRUE(d.ColumnBlockActive());
  d.SetFont(PropFont, true);
  EXPECT_FALSE(d.ColumnBlockActive());
  EXPECT_TRUE(d.ColumnBlock);
  EXPECT_FALSE(d.CaretBeyondEnd());
}

TEST_F(TextViewTest, RightArrowAtLineEndGoesToNextLineUnlessCaretMayStandBeyond) {
  TEditChildData& d = Make({"ab", "cd"});
  d.SetCaret(2, 0, false, false);
  Key(VK_RIGHT);
  EXPECT_EQ(d.Caret, (TTextPos{0, 1}));
  Key(VK_LEFT);
  EXPECT_EQ(d.Caret, (TTextPos{2, 0}));  // and back to the end of the previous line
  d.SetCaret(2, 1, false, false);
  Key(VK_RIGHT);
  EXPECT_EQ(d.Caret, (TTextPos{2, 1}));  // the last line keeps its end
  d.FreeCaret = 1;
  d.SetCaret(2, 0, false, false);
  Key(VK_RIGHT);
  EXPECT_EQ(d.Caret, (TTextPos{3, 0}));
  d.SetCaret(0, 0, false, false);
  Key(VK_LEFT);
  EXPECT_EQ(d.Caret, (TTextPos{0, 0}));
}

TEST_F(TextViewTest, VerticalMovesKeepThePixelPositionAcrossTabs) {
  TEditChildData& d = Make({"\tx", "abcdefghijk", "ab", "\t\tz"});
  d.SetCaret(1, 0, false, false);  // behind the TAB: pixel 64
  Key(VK_DOWN);
  EXPECT_EQ(d.Caret, (TTextPos{8, 1}));
  Key(VK_DOWN);
  EXPECT_EQ(d.Caret, (TTextPos{2, 2}));  // a short line: its end
  d.SetCaret(10, 1, false, false);  // pixel 80: inside the second TAB of line 3
  d.MoveCaretBy(0, 2, false);
  EXPECT_EQ(d.Caret, (TTextPos{1, 3}));
  Key(VK_DOWN);  // the last line: nothing
  EXPECT_EQ(d.Caret, (TTextPos{1, 3}));
}

TEST_F(TextViewTest, HomeEndScopesAndEmptyDocument) {
  TEditChildData& d = Make({"one", "two three", "", "four"});
  d.SetCaret(2, 1, false, false);
  Key(VK_END);
  EXPECT_EQ(d.Caret, (TTextPos{9, 1}));
  Key(VK_HOME);
  EXPECT_EQ(d.Caret, (TTextPos{0, 1}));
  Key(VK_END, false, true);
  EXPECT_EQ(d.Caret, (TTextPos{4, 3}));
  Key(VK_HOME, false, true);
  EXPECT_EQ(d.Caret, (TTextPos{0, 0}));
  SetText(d, {""});
  d.MoveCaretTo(VK_END, 3, false);
  EXPECT_EQ(d.Caret, (TTextPos{0, 0}));
}

TEST_F(TextViewTest, ColumnBlockDocumentEndSkipsAnEmptyLastLine) {
  Params.ColumnBlock = 1;
  TEditChildData& d = Make({"abcdef", "abcdef", ""});
  d.SetCaret(4, 0, false, false);
  d.MoveCaretTo(VK_END, 3, false);
  EXPECT_EQ(d.Caret, (TTextPos{4, 1}));
}

TEST_F(TextViewTest, WordMovementAndGermanLettersOfBothCharacterSets) {
  TEditChildData& d = Make({"foo  bar_1, Gr\xFC\xDF" "e"});
  EXPECT_EQ(d.PrevWordStart(0, 8), 5);
  EXPECT_EQ(d.PrevWordStart(0, 5), 0);
  EXPECT_EQ(d.PrevWordStart(0, 0), -1);
  EXPECT_EQ(d.NextWordBoundary(0, 0, false), 3);
  EXPECT_EQ(d.NextWordBoundary(0, 0, true), 5);
  EXPECT_EQ(d.NextWordBoundary(0, 3, false), -1);
  d.SetCaret(0, 0, false, false);
  Key(VK_RIGHT, false, true);
  EXPECT_EQ(d.Caret.Column, 5);
  Key(VK_RIGHT, false, true);
  EXPECT_EQ(d.Caret.Column, 12);
  Key(VK_RIGHT, false, true);
  EXPECT_EQ(d.Caret.Column, 17);  // the whole German word, then the line's end
  Key(VK_LEFT, false, true);
  EXPECT_EQ(d.Caret.Column, 12);
  // The same word in the DOS character set is a word only in DOS mode.
  SetText(d, {"Gr\x81\xE1" "e"});
  EXPECT_EQ(d.NextWordBoundary(0, 0, false), 2);
  d.DosMode = 1;
  EXPECT_EQ(d.NextWordBoundary(0, 0, false), 5);
}

TEST_F(TextViewTest, CtrlArrowsCrossLineEnds) {
  TEditChildData& d = Make({"ab", "cd"});
  d.SetCaret(2, 0, false, false);
  Key(VK_RIGHT, false, true);
  EXPECT_EQ(d.Caret, (TTextPos{0, 1}));
  Key(VK_LEFT, false, true);
  EXPECT_EQ(d.Caret, (TTextPos{2, 0}));
}

TEST_F(TextViewTest, DoubleClickSelectsTheGermanWordInEitherCharacterSet) {
  TEditChildData& d = Make({"die Gr\xFC\xDF" "e hier"});
  InputMouse(Window, WM_LBUTTONDOWN, {8 * 6, 4});
  InputMouse(Window, WM_LBUTTONUP, {8 * 6, 4});
  InputMouse(Window, WM_LBUTTONDBLCLK, {8 * 6, 4});
  RunPendingMessages();
  EXPECT_EQ(d.Selection, MakeTextRange(0, 4, 0, 9));
  EXPECT_EQ(d.SelectionText(), "Gr\xFC\xDF" "e");
  SetText(d, {"die Gr\x81\xE1" "e hier"});
  d.DosMode = 1;
  d.SetCaret(6, 0, false, false);
  d.DoubleClick(0, 0);
  EXPECT_EQ(d.SelectionText(), "Gr\x81\xE1" "e");
  d.SetCaret(0, 0, false, false);
  d.DoubleClick(0, 0);  // column 0: the whole line
  EXPECT_EQ(d.Selection, MakeTextRange(0, 0, 0, 14));
}

TEST_F(TextViewTest, SelectAllEndsOnAnEmptyLastLineAtColumnZero) {
  TEditChildData& d = Make({"a", "b", ""});
  d.SetSelection(nullptr, 0);
  EXPECT_EQ(d.Selection, MakeTextRange(0, 0, 2, 0));
  EXPECT_EQ(d.Caret, (TTextPos{0, 2}));
  EXPECT_EQ(Count(cnSelectionChanged), 1);
  EXPECT_EQ(d.SelectionText(), "a\r\nb\r\n");
}

TEST_F(TextViewTest, ShiftArrowsExtendAndCrossTheAnchor) {
  TEditChildData& d = Make({"abcdef", "ghij"});
  d.SetCaret(3, 0, false, false);
  Key(VK_RIGHT, true);
  Key(VK_RIGHT, true);
  EXPECT_EQ(d.Selection, MakeTextRange(0, 3, 0, 5));
  ASSERT_EQ(Count(cnSelectionChanged), 1);
  for (const TFrameSeen& seen : FrameSeen()) {
    if (seen.Code == cnSelectionChanged) {
      EXPECT_EQ(seen.Value1, 1);
    }
  }
  Key(VK_LEFT, true);
  Key(VK_LEFT, true);
  Key(VK_LEFT, true);  // past the anchor: the ends swap
  EXPECT_EQ(d.Selection, MakeTextRange(0, 2, 0, 3));
  Key(VK_DOWN, true);
  EXPECT_EQ(d.Selection, MakeTextRange(0, 3, 1, 2));
  FrameSeen().clear();
  Key(VK_RIGHT);  // a plain move removes it
  EXPECT_FALSE(d.HasSelection());
  ASSERT_EQ(Count(cnSelectionChanged), 1);
  for (const TFrameSeen& seen : FrameSeen()) {
    if (seen.Code == cnSelectionChanged) {
      EXPECT_EQ(seen.Value1, 0);
    }
  }
}

TEST_F(TextViewTest, CaretNotificationsFollowLineAndScreenColumn) {
  TEditChildData& d = Make({"\tab", "x"});
  d.SetCaret(1, 0, false, false);
  ASSERT_EQ(Count(cnCaretColumnChanged), 1);
  EXPECT_EQ(FrameSeen().back().Value1, 8);  // the screen column behind the TAB
  EXPECT_EQ(Count(cnCaretLineChanged), 0);
  FrameSeen().clear();
  d.SetCaret(1, 1, false, false);
  EXPECT_EQ(Count(cnCaretLineChanged), 1);
  EXPECT_EQ(Count(cnCaretColumnChanged), 1);
}

TEST_F(TextViewTest, CaretBeyondThePixelLimitBeeps) {
  Params.FreeCaret = 1;
  TEditChildData& d = Make({"abc"});
  d.SetCaret(200000000, 0, false, false);
  EXPECT_EQ(Backend->Beeps.size(), 1u);
  EXPECT_EQ(d.Caret.Column, static_cast<int32_t>(kCaretPixelLimit / 8));
}

TEST_F(TextViewTest, CaretScrollsIntoViewWithAQuarterPageOfRoom) {
  std::vector<std::string> lines(50, std::string(200, 'x'));
  TEditChildData& d = Make(lines, 400, 160);
  d.SetCaret(0, 30, false, false);
  EXPECT_GE(30, d.Scroller->PosY);
  EXPECT_LE(30, d.Scroller->PosY + d.Scroller->PageStepY);
  d.SetCaret(100, 30, false, false);
  EXPECT_GT(d.Scroller->PosX, 100 - 400 / 8);
  TPoint p = d.GetCaretPixelPos();
  EXPECT_GE(p.X, 0);
  EXPECT_LT(p.X, 400);
}

TEST_F(TextViewTest, ClickBeyondTheLineEndStaysOnThatLine) {
  TEditChildData& d = Make({"ab", "cdef"});
  InputMouse(Window, WM_LBUTTONDOWN, {200, 2});
  InputMouse(Window, WM_LBUTTONUP, {200, 2});
  RunPendingMessages();
  EXPECT_EQ(d.Caret, (TTextPos{2, 0}));
  EXPECT_EQ(d.PixelToPos(8 * 1 + 5, 20), (TTextPos{2, 1}));  // right half: after the character
}

TEST_F(TextViewTest, ColumnBlockSelectionCopiesItsRowsAcrossTabs) {
  Params.ColumnBlock = 1;
  TEditChildData& d = Make({"abcdefghijkl", "\tXYZ", "0123456789ab"});
  d.SetCaret(9, 0, false, false);
  Key(VK_DOWN, true);
  EXPECT_EQ(d.Caret, (TTextPos{2, 1}));  // screen column 9 lies behind the TAB and X
  Key(VK_DOWN, true);
  Key(VK_RIGHT, true);
  Key(VK_RIGHT, true);
  EXPECT_EQ(d.Caret, (TTextPos{11, 2}));
  EXPECT_EQ(d.SelectionText(), "jk\r\nYZ\r\n9a");
  d.Copy();
  EXPECT_EQ(ClipText(), "jk\r\nYZ\r\n9a");
  auto records = PaintAll();
  int inverted = 0;
  for (const TPaintRecord& r : records) inverted += r.Op == TPaintRecord::TOp::Invert;
  EXPECT_EQ(inverted, 3);
}

TEST_F(TextViewTest, BookmarksToggleGotoAndPaintTheLowestNumber) {
  Params.MarginWidth = 20;
  TEditChildData& d = Make({"a", "b", "c"});
  d.SetCaret(1, 1, false, false);
  d.ToggleBookmark(3, false);
  d.ToggleBookmark(7, false);
  EXPECT_EQ(d.Bookmarks[3], (TBookmark{1, 1}));
  d.SetCaret(0, 2, false, false);
  EXPECT_TRUE(d.GotoBookmark(3));
  EXPECT_EQ(d.Caret, (TTextPos{1, 1}));
  EXPECT_FALSE(d.GotoBookmark(5));
  d.ToggleBookmark(10, false);  // no such bookmark
  auto records = PaintAll();
  std::vector<TPaintRecord> bitmaps;
  for (const TPaintRecord& r : records) {
    if (r.Op == TPaintRecord::TOp::Bitmap) bitmaps.push_back(r);
  }
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].Rect.Top, 16 + (16 - BookmarkMark(3).Height + 1) / 2);
  d.ToggleBookmark(3, false);
  EXPECT_FALSE(d.Bookmarks[3].IsSet());
  d.ToggleBookmark(7, true);  // set only: stays set, moves to the caret
  EXPECT_TRUE(d.Bookmarks[7].IsSet());
}

TEST_F(TextViewTest, SaveWritesBackupSelectionAndRefusesWriteProtectedFiles) {
  TTempDir dir;
  std::string name = dir.Write("doc.txt", "old\r\n");
  TEditChildData& d = Make({"new", "text"});
  d.FileName = name;
  EXPECT_EQ(d.TTextChildData::Save("", false, lefUnix, true, true), 0);
  EXPECT_EQ(TTempDir::Read(name), "new\ntext");
  EXPECT_EQ(TTempDir::Read(dir.File("doc.bak")), "old\r\n");
  std::string part = dir.File("part.txt");
  EXPECT_EQ(d.TTextChildData::Save(part, true, lefWindows, false, true), 0);  // nothing selected
  EXPECT_FALSE(std::ifstream(part).good());
  TTextRange r = MakeTextRange(0, 1, 1, 2);
  d.SetSelection(&r, 0);
  EXPECT_EQ(d.TTextChildData::Save(part, true, lefWindows, false, true), 0);
  EXPECT_EQ(TTempDir::Read(part), "ew\r\nte");
  // A backup never replaces the document itself.
  std::string bak = dir.Write("x.bak", "keep");
  EXPECT_EQ(d.TTextChildData::Save(bak, false, lefUnix, true, false), 0);
  EXPECT_EQ(TTempDir::Read(bak), "new\ntext");
  if (geteuid() != 0) {
    chmod(name.c_str(), 0444);
    EXPECT_EQ(d.TTextChildData::Save("", false, lefUnix, false, true), -4);
  }
}

TEST_F(TextViewTest, AccessByHandleReachesTheDocument) {
  TEditChildData& d = Make({"one", "two"});
  d.SetCaret(2, 1, false, false);
  EXPECT_EQ(TextCaretLine(Window), 1);
  EXPECT_EQ(TextCaretColumn(Window), 2);
  EXPECT_EQ(TextLineCount(Window), 2);
  std::string text;
  EXPECT_TRUE(TextLineText(Window, 0, text));
  EXPECT_EQ(text, "one");
  EXPECT_FALSE(TextLineText(Window, 2, text));
  TTextRange r = MakeTextRange(0, 1, 1, 1);
  char buffer[16];
  ASSERT_EQ(TextRangeText(Window, r, nullptr), 6u);
  TextRangeText(Window, r, buffer);
  EXPECT_STREQ(buffer, "ne\r\nt");
  EXPECT_EQ(TextLineCount(FrameWindow), 0);  // not a text window
}

TEST_F(TextViewTest, ClippedLongLinesKeepTheirTabStops) {
  Params.ClipLongLines = 1;
  std::string line = "a\tb" + std::string(600, 'c');
  TEditChildData& d = Make({line});
  d.Scroller->ScrollTo(20, 0);
  auto records = PaintAll();
  const TPaintRecord* text = nullptr;
  for (const TPaintRecord& r : records) {
    if (r.Op == TPaintRecord::TOp::Text) text = &r;
  }
  ASSERT_NE(text, nullptr);
  // Column 20 is character 11 ("a", TAB to 8, "b", then c's); it starts at the left edge.
  EXPECT_EQ(text->Rect.Left, 0);
  EXPECT_LE(text->Text.size(), 400u / 8 + 1);
}
