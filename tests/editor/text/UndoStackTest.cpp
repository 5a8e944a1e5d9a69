#include "editor/text/UndoStack.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TUndoEntry> Entry(uint8_t kind, int32_t line, int32_t start, int32_t end,
                                  std::string text = {}) {
  auto e = std::make_unique<TUndoEntry>();
  e->Kind = kind;
  e->StartLine = e->EndLine = line;
  e->StartColumn = start;
  e->EndColumn = end;
  e->Text = std::move(text);
  return e;
}

TEST(UndoStackTest, TypingRunMergesOnlyWhenContiguousOnOneLine) {
  TUndoStack s;
  s.Push(Entry(ukInserted, 0, 0, 1));
  s.Push(Entry(ukInserted, 0, 1, 2));
  s.Push(Entry(ukInserted, 0, 2, 3));
  ASSERT_EQ(s.Size(), 1u);
  EXPECT_EQ(s.At(0)->EndColumn, 3);
  s.Push(Entry(ukInserted, 0, 5, 6));  // a gap: new entry
  s.Push(Entry(ukInserted, 1, 6, 7));  // another line
  s.Push(Entry(ukInserted, 1, 7, 9));  // two characters at once
  EXPECT_EQ(s.Size(), 4u);
}

TEST(UndoStackTest, ForwardDeletesAppendBackspacesPrepend) {
  TUndoStack s;
  s.Push(Entry(ukDeleted, 2, 4, 4, "a"));
  s.Push(Entry(ukDeleted, 2, 4, 4, "b"));
  ASSERT_EQ(s.Size(), 1u);
  EXPECT_EQ(s.At(0)->Text, "ab");

  TUndoStack b;
  b.Push(Entry(ukDeleted, 2, 7, 8, "z"));
  b.Push(Entry(ukDeleted, 2, 6, 7, "y"));
  b.Push(Entry(ukDeleted, 2, 5, 6, "x"));
  ASSERT_EQ(b.Size(), 1u);
  EXPECT_EQ(b.At(0)->Text, "xyz");
  EXPECT_EQ(b.At(0)->StartColumn, 5);
  EXPECT_EQ(b.At(0)->EndColumn, 8);
  // A change of direction starts a new entry.
  b.Push(Entry(ukDeleted, 2, 5, 5, "w"));
  EXPECT_EQ(b.Size(), 2u);
  // Deleting more than one character never merges.
  s.Push(Entry(ukDeleted, 2, 4, 4, "cd"));
  EXPECT_EQ(s.Size(), 2u);
}

TEST(UndoStackTest, OverwriteRunMergesAndKindsDoNotMix) {
  TUndoStack s;
  s.Push(Entry(ukOverwritten, 0, 3, 4, "a"));
  s.Push(Entry(ukOverwritten, 0, 4, 5, "b"));
  s.Push(Entry(ukOverwritten, 0, 5, 6, ""));  // typed past the end of the line
  ASSERT_EQ(s.Size(), 1u);
  EXPECT_EQ(s.At(0)->Text, "ab");
  EXPECT_EQ(s.At(0)->EndColumn, 6);
  s.Push(Entry(ukInserted, 0, 6, 7));
  EXPECT_EQ(s.Size(), 2u);
}

TEST(UndoStackTest, PopTakesTheNewestFirst) {
  TUndoStack s;
  EXPECT_EQ(s.Pop(), nullptr);
  s.Push(Entry(ukInserted, 0, 0, 1));
  s.Push(Entry(ukInserted, 5, 0, 1));
  EXPECT_EQ(s.Pop()->StartLine, 5);
  EXPECT_EQ(s.Pop()->StartLine, 0);
  EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
