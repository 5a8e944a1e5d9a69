#include "editor/text/TextLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Dump(const TTextLines& lines) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < lines.Count(); ++i)
    out.emplace_back(lines.Text(i));
  return out;
}

TEST(TextLinesTest, NewStoreIsEmptyWithTabSizeEight) {
  TTextLines lines;
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_EQ(lines.TabSize, 8);
  EXPECT_EQ(lines.At(0), nullptr);
  EXPECT_EQ(lines.Length(-1), 0);
}

TEST(TextLinesTest, EmptyTextIsStoredAsNull) {
  TTextLines lines;
  ASSERT_TRUE(lines.AddCopy(""));
  ASSERT_TRUE(lines.AddCopy("abc"));
  EXPECT_EQ(lines.At(0), nullptr);
  EXPECT_STREQ(lines.At(1), "abc");
}

TEST(TextLinesTest, OutOfRangeChangesAreRefused) {
  TTextLines lines;
  EXPECT_FALSE(lines.InsertCopy(1, "x"));
  EXPECT_FALSE(lines.InsertCopy(-1, "x"));
  EXPECT_FALSE(lines.PutCopy(0, "x"));
  EXPECT_FALSE(lines.AtDelete(0));
  EXPECT_EQ(lines.Count(), 0);
}

TEST(TextLinesTest, IndexOfFindsTheEntryByAddress) {
  TTextLines lines;
  lines.AddCopy("a");
  lines.AddCopy("a");
  EXPECT_EQ(lines.IndexOf(lines.At(1)), 1);
  EXPECT_EQ(lines.IndexOf("a"), -1);
}

TEST(TextLinesTest, DetachHandsOverAnIndependentCopy) {
  TTextLines lines;
  lines.AddCopy("one");
  lines.AddCopy("two");
  TLineText t = lines.Detach(0);
  ASSERT_TRUE(t);
  EXPECT_STREQ(t.get(), "one");
  EXPECT_EQ(Dump(lines), (std::vector<std::string>{"two"}));
}

// Mirrors every operation on a std::vector across many page splits and removals.
TEST(TextLinesTest, RandomOperationsMatchAVector) {
  std::mt19937 rng(12345);
  TTextLines lines;
  std::vector<std::string> model;
  for (int step = 0; step < 60000; ++step) {
    int op = static_cast<int>(rng() % 10);
    int32_t n = static_cast<int32_t>(model.size());
    std::string text = (rng() % 5 == 0) ? "" : "L" + std::to_string(step);
    if (op < 5 || n == 0) {
      // Runs of neighbouring insertions, as a paste does.
      int32_t at = static_cast<int32_t>(rng() % (n + 1));
      ASSERT_TRUE(lines.InsertCopy(at, text));
      model.insert(model.begin() + at, text);
    } else if (op < 8) {
      int32_t at = static_cast<int32_t>(rng() % n);
      ASSERT_TRUE(lines.AtDelete(at));
      model.erase(model.begin() + at);
    } else {
      int32_t at = static_cast<int32_t>(rng() % n);
      ASSERT_TRUE(lines.PutCopy(at, text));
      model[static_cast<size_t>(at)] = text;
    }
    if (step % 5000 == 0) {
      ASSERT_TRUE(lines.CheckInvariant());
      ASSERT_EQ(Dump(lines), model);
    }
  }
  ASSERT_TRUE(lines.CheckInvariant());
  EXPECT_EQ(Dump(lines), model);
  // Reading backwards and jumping around must find the same entries.
  for (int32_t i = lines.Count() - 1; i >= 0; i -= 7)
    ASSERT_EQ(lines.Text(i), model[static_cast<size_t>(i)]);
}

TEST(TextLinesTest, ManyAppendsThenMiddleInsertions) {
  TTextLines lines;
  for (int i = 0; i < 5000; ++i)
    ASSERT_TRUE(lines.AddCopy(std::to_string(i)));
  for (int i = 0; i < 3000; ++i)
    ASSERT_TRUE(lines.InsertCopy(2500, "x"));
  ASSERT_TRUE(lines.CheckInvariant());
  EXPECT_EQ(lines.Count(), 8000);
  EXPECT_EQ(lines.Text(2499), "2499");
  EXPECT_EQ(lines.Text(2500), "x");
  EXPECT_EQ(lines.Text(5500), "2500");
  EXPECT_EQ(lines.Text(7999), "4999");
}

TEST(TextLinesTest, MoveLeavesTheSourceEmpty) {
  TTextLines a;
  a.AddCopy("x");
  a.TabSize = 4;
  TTextLines b(std::move(a));
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(b.TabSize, 4);
  EXPECT_STREQ(b.At(0), "x");
}

}  // namespace
