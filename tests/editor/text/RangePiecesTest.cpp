#include "editor/text/RangePieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/GlobalMemory.h"

namespace {

TTextLines Make(std::initializer_list<const char*> texts) {
  TTextLines lines;
  for (const char* t : texts)
    lines.AddCopy(t);
  return lines;
}

std::vector<std::string> Pieces(const TTextLines& lines, TTextRange range, bool column,
                                int32_t caretLine = 0, int32_t caretColumn = 0) {
  std::vector<std::string> out;
  TRangeWalk walk;
  const char* piece;
  int32_t length;
  bool more = FirstRangePiece(walk, lines, range, column, caretLine, caretColumn, &piece, &length);
  while (more) {
    out.push_back(piece ? std::string(piece, static_cast<size_t>(length)) : std::string("<null>"));
    more = NextRangePiece(walk, &piece, &length);
  }
  return out;
}

std::string RangeText(const TTextLines& lines, TTextRange range, bool column, int32_t caretLine = 0,
                      int32_t caretColumn = 0) {
  size_t size = GetRangeText(lines, range, column, nullptr, caretLine, caretColumn);
  if (size == 0) return "<nothing>";
  std::string text(size, '?');
  EXPECT_EQ(GetRangeText(lines, range, column, text.data(), caretLine, caretColumn), size);
  EXPECT_EQ(text.back(), '\0');
  text.pop_back();
  return text;
}

using V = std::vector<std::string>;

TEST(RangePiecesTest, NormalModeCutsFirstAndLastLine) {
  TTextLines lines = Make({"0123456789", "abcdefghij", "ABC"});
  EXPECT_EQ(Pieces(lines, {0, 2, 2, 1}, false), (V{"23456789", "abcdefghij", "A"}));
  EXPECT_EQ(Pieces(lines, {1, 3, 1, 5}, false), (V{"de"}));
  // An end column beyond the end line takes the whole line.
  EXPECT_EQ(Pieces(lines, {1, 8, 2, 50}, false), (V{"ij", "ABC"}));
  EXPECT_EQ(RangeText(lines, {0, 8, 2, 2}, false), "89\r\nabcdefghij\r\nAB");
}

TEST(RangePiecesTest, StartBeyondItsLineGivesAnEmptyPiece) {
  TTextLines lines = Make({"ab", "cd"});
  EXPECT_EQ(Pieces(lines, {0, 5, 1, 1}, false), (V{"<null>", "c"}));
  EXPECT_EQ(RangeText(lines, {0, 5, 0, 7}, false), "");
  EXPECT_EQ(RangeText(lines, {0, 5, 1, 1}, false), "\r\nc");
}

TEST(RangePiecesTest, RangeOutsideTheDocumentYieldsNothing) {
  TTextLines lines = Make({"ab"});
  EXPECT_EQ(GetRangeText(lines, {3, 0, 4, 0}, false, nullptr, 0, 0), 0u);
  EXPECT_EQ(Pieces(lines, {0, 0, 9, 0}, false), (V{"ab"}));
  TTextLines none;
  EXPECT_EQ(GetRangeText(none, {0, 0, 0, 0}, false, nullptr, 0, 0), 0u);
}

TEST(RangePiecesTest, ColumnModeTakesTheRectangle) {
  TTextLines lines = Make({"0123456789", "abcdefghij", "ABC", ""});
  EXPECT_EQ(Pieces(lines, {0, 2, 3, 6}, true, 3, 6), (V{"2345", "cdef", "C", "<null>"}));
  EXPECT_EQ(RangeText(lines, {0, 2, 2, 6}, true, 2, 6), "2345\r\ncdef\r\nC");
  // The corners may be given right to left.
  EXPECT_EQ(Pieces(lines, {0, 6, 1, 2}, true, 1, 2), (V{"2345", "cdef"}));
}

TEST(RangePiecesTest, ColumnModeLineThatDoesNotReachTheBlock) {
  // The third line is shorter than the start column of the block's corner but, through
  // its TABs, reaches into the block.
  TTextLines lines = Make({"0123456789abcdef", "xy", "\t\tQRS"});
  lines.TabSize = 4;
  EXPECT_EQ(Pieces(lines, {0, 9, 2, 4}, true, 2, 4), (V{"9", "<null>", "R"}));
}

TEST(RangePiecesTest, ColumnEdgesFollowTheCaretLine) {
  // Line 0 has a TAB before the block; the corners' display columns differ per line.
  TTextLines lines = Make({"a\tbcdefghij", "abcdefghijk"});
  int32_t left, right;
  // Caret at the end corner (1,4): the anchor (0,2) stands at display column 8.
  ColumnBlockEdges(lines, {0, 2, 1, 4}, 1, 4, &left, &right);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(right, 8);
  ColumnBlockEdges(lines, {0, 2, 1, 4}, 1, 2, &left, &right);
  EXPECT_EQ(left, 2);
  EXPECT_EQ(right, 10);
  // Caret on the start line.
  ColumnBlockEdges(lines, {0, 2, 1, 4}, 0, 2, &left, &right);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(right, 8);
  ColumnBlockEdges(lines, {0, 2, 1, 4}, 0, 4, &left, &right);
  EXPECT_EQ(left, 2);
  EXPECT_EQ(right, 10);
  EXPECT_EQ(Pieces(lines, {0, 2, 1, 4}, true, 1, 4), (V{"<null>", "efgh"}));
  EXPECT_EQ(Pieces(lines, {0, 2, 1, 4}, true, 0, 4), (V{"bc", "cdefghij"}));
}

TEST(RangePiecesTest, HandleHoldsTheSameText) {
  TTextLines lines = Make({"line one", "line two"});
  platform::THandle block = 0;
  ASSERT_TRUE(GetRangeTextHandle(lines, {0, 5, 1, 4}, false, 0, 0, &block));
  ASSERT_NE(block, 0u);
  EXPECT_EQ(platform::GlobalSize(block), 10u);
  const char* p = static_cast<const char*>(platform::GlobalLock(block));
  EXPECT_STREQ(p, "one\r\nline");
  platform::GlobalUnlock(block);
  EXPECT_EQ(platform::GlobalFree(block), 0u);
  EXPECT_FALSE(GetRangeTextHandle(lines, {5, 0, 6, 0}, false, 0, 0, &block));
  EXPECT_EQ(block, 0u);
}

}  // namespace
