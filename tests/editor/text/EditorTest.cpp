#include "editor/text/Editor.h"
#include "editor/text/TextLimits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;

struct Message {
  uint32_t Id;
  uintptr_t W;
  intptr_t L;
  friend bool operator==(const Message&, const Message&) = default;
};

class RecordingWindow : public platform::TMessageSink {
 public:
  intptr_t SendMsg(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    Log.push_back({message, wParam, lParam});
    return 0;
  }
  std::vector<Message> Log;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUndoRecording(true);
    Lines.AddCopy("");
  }
  void TearDown() override { SetUndoRecording(true); }

  void SetText(std::initializer_list<const char*> texts) {
    Lines.Empty();
    for (const char* t : texts)
      Lines.AddCopy(t);
  }
  V Dump() const {
    V out;
    for (int32_t i = 0; i < Lines.Count(); ++i)
      out.emplace_back(Lines.Text(i));
    return out;
  }

  TTextLines Lines;
  TBookmarks Marks;
  RecordingWindow Window;
  TEditor Ed{&Window, &Marks, &Lines};
  TUndoResult Result;
};

TEST_F(EditorTest, TypingRunIsUndoneInOneStep) {
  SetText({"x"});
  Ed.InsertChar(0, 0, false, 'a');
  Ed.InsertChar(0, 1, false, 'b');
  Ed.InsertChar(0, 2, false, 'c');
  EXPECT_EQ(Dump(), V{"abcx"});
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"x"});
  EXPECT_FALSE(Ed.CanUndo());
  EXPECT_EQ(Result.CaretLine, 0);
  EXPECT_EQ(Result.CaretColumn, 0);
  EXPECT_FALSE(Result.SeveralLines);
}

TEST_F(EditorTest, TypingOnAnotherLineStartsANewStep) {
  SetText({"", ""});
  Ed.InsertChar(0, 0, false, 'a');
  Ed.InsertChar(1, 0, false, 'b');
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"a", ""}));
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"", ""}));
}

TEST_F(EditorTest, BackspaceRunRestoresCaretBehindTheText) {
  SetText({"hello"});
  Ed.DeleteChar(0, 4, false, false);
  Ed.DeleteChar(0, 3, false, false);
  Ed.DeleteChar(0, 2, false, false);
  EXPECT_EQ(Dump(), V{"he"});
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"hello"});
  EXPECT_EQ(Result.CaretColumn, 5);
}

TEST_F(EditorTest, ForwardDeleteRunKeepsCaretAtTheDeletionPoint) {
  SetText({"hello"});
  for (int i = 0; i < 3; ++i)
    Ed.DeleteChar(0, 1, true, false);
  EXPECT_EQ(Dump(), V{"ho"});
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"hello"});
  EXPECT_EQ(Result.CaretColumn, 1);
  // Deleting beyond the end changes nothing and records nothing.
  EXPECT_EQ(Ed.DeleteChar(0, 9, true, false), 5);
  EXPECT_FALSE(Ed.CanUndo());
}

TEST_F(EditorTest, NewEditAfterUndoDropsRedo) {
  SetText({""});
  Ed.InsertText(0, 0, false, "abc");
  Ed.Undo(&Result);
  EXPECT_TRUE(Ed.CanRedo());
  Ed.InsertChar(0, 0, false, 'x');
  EXPECT_FALSE(Ed.CanRedo());
}

TEST_F(EditorTest, RedoRestoresTextAndCaret) {
  SetText({"0123456789"});
  Ed.DeleteText(0, 2, false, false, 3);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"0123456789"});
  EXPECT_EQ(Result.CaretColumn, 5);
  ASSERT_TRUE(Ed.Redo(&Result));
  EXPECT_EQ(Dump(), V{"0156789"});
  EXPECT_EQ(Result.CaretColumn, 2);
  EXPECT_FALSE(Ed.CanRedo());
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"0123456789"});
}

TEST_F(EditorTest, InsertBeyondTheEndFillsBlanksAndUndoTakesThemToo) {
  SetText({"abc"});
  EXPECT_EQ(Ed.InsertText(0, 10, false, "X"), 11);
  EXPECT_EQ(Dump(), V{"abc       X"});
  const TUndoEntry* top = Ed.UndoStack().At(0);
  EXPECT_EQ(top->StartColumn, 3);
  EXPECT_EQ(top->EndColumn, 11);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"abc"});
}

TEST_F(EditorTest, LineChangeNotificationsSurroundTheChange) {
  SetText({"a", "b"});
  Ed.InsertChar(1, 1, false, 'x');
  EXPECT_EQ(Window.Log, (std::vector<Message>{{wm_LineChange, 1, 1}, {wm_LineChange, 0, 1}}));
  Window.Log.clear();
  {
    TRecordingOff off;
    Ed.InsertChar(1, 0, false, 'y');
  }
  EXPECT_TRUE(Window.Log.empty());
  EXPECT_TRUE(UndoRecording());
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  EXPECT_EQ(Dump(), (V{"a", "ybx"}));
}

TEST_F(EditorTest, ColumnBlockOfFiveLinesIsUndoneInOneStep) {
  SetText({"0123456789", "abcdefghij", "ABCDEFGHIJ", "klmnopqrst", "KLMNOPQRST", "rest"});
  TTextRange block{0, 2, 4, 5};
  Ed.DeleteRange(4, 5, false, false, true, block);
  EXPECT_EQ(Dump(), (V{"0156789", "abfghij", "ABFGHIJ", "klpqrst", "KLPQRST", "rest"}));
  EXPECT_EQ(Ed.UndoStack().Size(), 5u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(),
            (V{"0123456789", "abcdefghij", "ABCDEFGHIJ", "klmnopqrst", "KLMNOPQRST", "rest"}));
  EXPECT_FALSE(Ed.CanUndo());
  EXPECT_TRUE(Result.SeveralLines);
  EXPECT_EQ(Result.FirstLine, 0);
  EXPECT_EQ(Result.FirstColumn, 2);
  // Caret on the start line: processed downwards, the first entry is the unlinked one.
  Ed.DeleteRange(0, 2, true, false, true, block);
  EXPECT_EQ(Ed.UndoStack().At(4)->StartLine, 0);
  EXPECT_FALSE(Ed.UndoStack().At(4)->Linked);
  EXPECT_TRUE(Ed.UndoStack().At(0)->Linked);
}

TEST_F(EditorTest, ColumnBlockSkipsLinesThatDoNotReachIt) {
  SetText({"0123456789", "ab", "ABCDEFGHIJ"});
  Ed.DeleteRange(2, 6, false, false, true, {0, 4, 2, 6});
  EXPECT_EQ(Dump(), (V{"01236789", "ab", "ABCDGHIJ"}));
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"0123456789", "ab", "ABCDEFGHIJ"}));
}

TEST_F(EditorTest, BookmarkInsideADeletionGoesOneBehindKeepsItsText) {
  SetText({"0123456789"});
  Marks[1] = {0, 4};
  Marks[2] = {0, 8};
  Marks[3] = {0, 1};
  Window.Log.clear();
  Ed.DeleteText(0, 3, true, false, 3);  // removes "345"
  EXPECT_FALSE(Marks[1].IsSet());
  EXPECT_EQ(Marks[2], (TBookmark{0, 5}));
  EXPECT_EQ(Lines.Text(0)[5], '8');
  EXPECT_EQ(Marks[3], (TBookmark{0, 1}));
  std::vector<Message> expected{{wm_LineChange, 1, 0},     {wm_BookmarkChange, 1, 0},
                                {wm_BookmarkChange, 1, 0}, {wm_BookmarkChange, 2, 0},
                                {wm_BookmarkChange, 2, 0}, {wm_LineChange, 0, 0}};
  EXPECT_EQ(Window.Log, expected);
}

TEST_F(EditorTest, BookmarksFollowInsertionsAndMultiLineDeletions) {
  SetText({"aaaa", "bbbb", "cccc", "dddd"});
  Marks[0] = {0, 2};
  Marks[1] = {2, 3};
  Marks[2] = {3, 1};
  Marks[3] = {1, 1};
  int32_t endLine, endColumn;
  Ed.InsertBlock(0, 1, &endLine, &endColumn, false, false, "XY\r\nZ");
  EXPECT_EQ(Dump(), (V{"aXY", "Zaaa", "bbbb", "cccc", "dddd"}));
  EXPECT_EQ(endLine, 1);
  EXPECT_EQ(endColumn, 1);
  EXPECT_EQ(Marks[0], (TBookmark{1, 2}));
  EXPECT_EQ(Lines.Text(1)[2], 'a');
  EXPECT_EQ(Marks[1], (TBookmark{3, 3}));
  // Delete from (1,1) to (3,2): mark 3 (now on line 2) goes, mark 1 moves to the join.
  Ed.DeleteRange(3, 2, false, false, false, {1, 1, 3, 2});
  EXPECT_EQ(Dump(), (V{"aXY", "Zcc", "dddd"}));
  EXPECT_FALSE(Marks[3].IsSet());
  EXPECT_EQ(Marks[1], (TBookmark{1, 2}));
  EXPECT_EQ(Marks[2], (TBookmark{2, 1}));
  EXPECT_EQ(Marks[0], (TBookmark{-1, -1}));  // (1,2) lay inside the deleted range
}

TEST_F(EditorTest, MultiLineDeletionUndoCaretDependsOnWhereTheCaretWas) {
  SetText({"first", "second", "third"});
  Ed.DeleteRange(2, 2, false, false, false, {0, 3, 2, 2});
  EXPECT_EQ(Dump(), V{"firird"});
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"first", "second", "third"}));
  EXPECT_EQ(Result.CaretLine, 2);
  EXPECT_EQ(Result.CaretColumn, 2);
  EXPECT_TRUE(Result.SeveralLines);
  Ed.DeleteRange(0, 3, true, false, false, {0, 3, 2, 2});
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Result.CaretLine, 0);
  EXPECT_EQ(Result.CaretColumn, 3);
}

TEST_F(EditorTest, DeletionStartingBeyondItsLineRoundTrips) {
  SetText({"ab", "cdef", "ghi"});
  Ed.DeleteRange(2, 1, false, false, false, {0, 6, 2, 1});
  EXPECT_EQ(Dump(), V{"abhi"});
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"ab", "cdef", "ghi"}));
}

TEST_F(EditorTest, InsertBlockSplitsAtCrLfOnly) {
  SetText({"head|tail"});
  int32_t endLine, endColumn;
  int32_t longest =
      Ed.InsertBlock(0, 5, &endLine, &endColumn, false, false, "one\r\ntwo\nx\r\nthree");
  EXPECT_EQ(Dump(), (V{"head|one", "two\nx", "threetail"}));
  EXPECT_EQ(longest, 9);
  EXPECT_EQ(endLine, 2);
  EXPECT_EQ(endColumn, 5);
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"head|tail"});
  ASSERT_TRUE(Ed.Redo(&Result));
  EXPECT_EQ(Dump(), (V{"head|one", "two\nx", "threetail"}));
  // Text that ends with CR LF leaves the rest of the line on a line of its own.
  SetText({"ab"});
  Ed.InsertBlock(0, 1, &endLine, &endColumn, false, false, "X\r\n");
  EXPECT_EQ(Dump(), (V{"aX", "b"}));
  EXPECT_EQ(endColumn, 0);
}

TEST_F(EditorTest, InsertBlockThatFailsChangesNothing) {
  SetText({"keep"});
  int32_t endLine = -5, endColumn = -5;
  std::string tooLong = "a\r\n" + std::string(kDefaultLineLimit + 1, 'x');
  EXPECT_EQ(Ed.InsertBlock(0, 2, &endLine, &endColumn, false, false, tooLong), -1);
  EXPECT_EQ(Dump(), V{"keep"});
  EXPECT_FALSE(Ed.CanUndo());
  EXPECT_EQ(endLine, -5);
  EXPECT_EQ(Ed.InsertBlock(5, 0, &endLine, &endColumn, false, false, "x"), -1);
}

TEST_F(EditorTest, ColumnInsertPastTheEndAppendsLinesInOneUndoStep) {
  SetText({"0123456789", "ab"});
  int32_t endLine, endColumn;
  Ed.InsertBlock(0, 4, &endLine, &endColumn, false, true, "XX\r\nYY\r\nZZ\r\nWW");
  EXPECT_EQ(Dump(), (V{"0123XX456789", "ab  YY", "    ZZ", "    WW"}));
  EXPECT_EQ(endLine, 3);
  EXPECT_EQ(endColumn, 6);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"0123456789", "ab"}));
  EXPECT_FALSE(Ed.CanUndo());
  ASSERT_TRUE(Ed.Redo(&Result));
  EXPECT_EQ(Dump(), (V{"0123XX456789", "ab  YY", "    ZZ", "    WW"}));
}

TEST_F(EditorTest, ColumnInsertUsesTheAnchorsScreenColumn) {
  SetText({"abcdefghij", "\tx"});
  Lines.TabSize = 4;
  int32_t endLine, endColumn;
  Ed.InsertBlock(0, 6, &endLine, &endColumn, false, true, "1\r\n2");
  // Column 6 is inside nothing on line 1: TAB covers 0..3, x is 4, then filled.
  EXPECT_EQ(Dump(), (V{"abcdef1ghij", "\tx 2"}));
}

TEST_F(EditorTest, ReplaceInPlaceAndWithOtherLengths) {
  SetText({"0123456789"});
  Marks[0] = {0, 8};
  EXPECT_EQ(Ed.ReplaceText(0, 2, false, "ab", 2), 10);
  EXPECT_EQ(Dump(), V{"01ab456789"});
  EXPECT_EQ(Marks[0], (TBookmark{0, 8}));
  EXPECT_EQ(Ed.ReplaceText(0, 4, false, "XYZW", 1), 13);
  EXPECT_EQ(Dump(), V{"01abXYZW56789"});
  EXPECT_EQ(Marks[0], (TBookmark{0, 11}));
  EXPECT_EQ(Ed.ReplaceText(0, 0, false, "", 4), 9);
  EXPECT_EQ(Dump(), V{"XYZW56789"});
  EXPECT_EQ(Marks[0], (TBookmark{0, 7}));
  while (Ed.CanUndo())
    ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"0123456789"});
  EXPECT_EQ(Marks[0], (TBookmark{0, 8}));
}

TEST_F(EditorTest, OverwriteRunPastTheEndIsOneStep) {
  SetText({"abc"});
  Ed.OverwriteChar(0, 1, false, 'X');
  Ed.OverwriteChar(0, 2, false, 'Y');
  Ed.OverwriteChar(0, 3, false, 'Z');
  EXPECT_EQ(Dump(), V{"aXYZ"});
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"abc"});
  EXPECT_EQ(Result.CaretColumn, 1);
}

TEST_F(EditorTest, LinkedEntriesAreUndoneAndRedoneTogether) {
  SetText({"select me"});
  Ed.DeleteText(0, 0, true, false, 6);
  Ed.InsertText(0, 0, true, "typed");
  EXPECT_EQ(Dump(), V{"typed me"});
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"select me"});
  EXPECT_FALSE(Ed.CanUndo());
  ASSERT_TRUE(Ed.Redo(&Result));
  EXPECT_EQ(Dump(), V{"typed me"});
  EXPECT_FALSE(Ed.CanRedo());
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), V{"select me"});
}

TEST_F(EditorTest, FailedInverseStopsAndKeepsTheRest) {
  SetText({"a", "b", "c"});
  Ed.InsertChar(0, 1, false, '1');
  Ed.InsertChar(2, 1, false, '3');
  {
    // A change outside the engine's books takes away the line of the newest entry.
    TRecordingOff off;
    Lines.AtDelete(2);
  }
  EXPECT_FALSE(Ed.Undo(&Result));
  EXPECT_EQ(Ed.UndoStack().Size(), 1u);
  ASSERT_TRUE(Ed.Undo(&Result));
  EXPECT_EQ(Dump(), (V{"a", "b"}));
}

TEST_F(EditorTest, TrailingBlanksGoWithoutUndo) {
  SetText({"a \t ", "  ", "b", "\t"});
  EXPECT_TRUE(Ed.RemoveTrailingBlanks());
  EXPECT_EQ(Dump(), (V{"a", "", "b", ""}));
  EXPECT_FALSE(Ed.CanUndo());
  EXPECT_FALSE(Ed.RemoveTrailingBlanks());
}

TEST_F(EditorTest, NulInInsertedTextBecomesABlank) {
  SetText({"ab"});
  Ed.InsertText(0, 1, false, std::string_view("x\0y", 3));
  EXPECT_EQ(Dump(), V{"ax yb"});
}

}  // namespace
