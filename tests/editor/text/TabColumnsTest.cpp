#include "editor/text/TabColumns.h"

#include <gtest/gtest.h>

namespace {

TEST(TabColumnsTest, TabAdvancesToTheNextStop) {
  const char* line = "a\tb";
  EXPECT_EQ(IndexToColumn(line, 0, 8), 0);
  EXPECT_EQ(IndexToColumn(line, 1, 8), 1);
  EXPECT_EQ(IndexToColumn(line, 2, 8), 8);
  EXPECT_EQ(IndexToColumn(line, 3, 8), 9);
  // Characters after the end count one column each.
  EXPECT_EQ(IndexToColumn(line, 5, 8), 11);
  EXPECT_EQ(IndexToColumn(nullptr, 5, 8), 5);
}

TEST(TabColumnsTest, ColumnInsideATabSpan) {
  const char* line = "a\tb";
  EXPECT_EQ(ColumnToIndexAfter(line, 4, 8), 2);
  EXPECT_EQ(ColumnToIndexBefore(line, 4, 8), 1);
  // The TAB's first column is the TAB itself in both conversions.
  EXPECT_EQ(ColumnToIndexAfter(line, 1, 8), 1);
  EXPECT_EQ(ColumnToIndexBefore(line, 1, 8), 1);
  EXPECT_EQ(ColumnToIndexAfter(line, 8, 8), 2);
  EXPECT_EQ(ColumnToIndexBefore(line, 8, 8), 2);
}

TEST(TabColumnsTest, BeyondTheTextOneColumnPerCharacter) {
  EXPECT_EQ(ColumnToIndexAfter("\t", 10, 8), 3);
  EXPECT_EQ(ColumnToIndexBefore("\t", 10, 8), 3);
  EXPECT_EQ(ColumnToIndexAfter(nullptr, 6, 8), 6);
}

TEST(TabColumnsTest, TabSizeBelowOneCountsAsOne) {
  EXPECT_EQ(IndexToColumn("\t\tx", 2, 0), 2);
  EXPECT_EQ(ColumnToIndexAfter("\t\tx", 2, -3), 2);
}

TEST(TabColumnsTest, ConversionsRoundTripOnCharacterStarts) {
  const char* line = "ab\t\tcd\te\tfghij";
  for (int32_t tab : {1, 2, 3, 4, 8}) {
    for (int32_t i = 0; i <= 20; ++i) {
      int32_t col = IndexToColumn(line, i, tab);
      EXPECT_EQ(ColumnToIndexAfter(line, col, tab), i) << "tab " << tab << " index " << i;
      EXPECT_EQ(ColumnToIndexBefore(line, col, tab), i) << "tab " << tab << " index " << i;
    }
  }
}

}  // namespace
