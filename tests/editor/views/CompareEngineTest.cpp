// Whole comparisons of small files: rows, counts, moved blocks, options, views,
// navigation and failures.
#include "editor/views/CompareEngine.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

#include "editor/views/CompareCheck.h"
#include "platform/memory/GlobalMemory.h"
#include "tests/editor/views/CompareTestSupport.h"

namespace {

using compare_test::Join;
using compare_test::Picture;
using compare_test::V;

class CompareEngineTest : public ::testing::Test {
 protected:
  // Compares two files made of the given lines and checks the result's consistency.
  int32_t Run(const V& a, const V& b, TDiffOptions options = {}, bool onlyDiffs = false) {
    return RunBytes(Join(a), Join(b), options, onlyDiffs);
  }
  int32_t RunBytes(const std::string& a, const std::string& b, TDiffOptions options = {},
                   bool onlyDiffs = false) {
    name1_ = dir_.Write("a.txt", a);
    name2_ = dir_.Write("b.txt", b);
    int32_t status = engine_.Compare(name1_, name2_, options, onlyDiffs);
    if (status == csOk) Check();
    return status;
  }
  void Check() {
    std::string why;
    EXPECT_TRUE(CheckCompare(engine_, &why)) << why;
  }
  V Rows() const { return Picture(engine_.Rows()); }
  int32_t Count() const { return engine_.Rows().DifferenceRows(); }
  std::vector<int32_t> ResultTypes() const {
    std::vector<int32_t> types;
    for (const TDiffResult& r : engine_.Result())
      types.push_back(r.Type);
    return types;
  }

  TTempDir dir_;
  std::string name1_, name2_;
  TCompareEngine engine_;
};

TEST_F(CompareEngineTest, EqualFilesHaveNoDifferenceRows) {
  V lines = {"int main()", "{", "  return 0;", "}"};
  ASSERT_EQ(Run(lines, lines), csOk);
  EXPECT_EQ(Rows(), (V{"int main()|int main()", "{|{", "  return 0;|  return 0;", "}|}"}));
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(engine_.Rows().NextDifference(-1), -1);
  EXPECT_EQ(engine_.Rows().HighestLine(), 3);
  EXPECT_EQ(engine_.Rows().LongestText(), 11);  // "  return 0;"
  EXPECT_EQ(ResultTypes(), (std::vector<int32_t>{dbtCommon}));
}

TEST_F(CompareEngineTest, AChangedMiddleLineIsOneRowOnBothSides) {
  ASSERT_EQ(Run({"a", "b", "c", "d", "e"}, {"a", "b", "X", "d", "e"}), csOk);
  EXPECT_EQ(Rows(), (V{"a|a", "b|b", "*c|*X", "d|d", "e|e"}));
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(engine_.Rows().NextDifference(0), 2);
  EXPECT_EQ(engine_.Rows().NextDifference(2), -1);
  EXPECT_EQ(engine_.Rows().PreviousDifference(4), 2);
  EXPECT_EQ(engine_.Rows().PreviousDifference(2), -1);
}

TEST_F(CompareEngineTest, InsertedLinesStandOppositeFillers) {
  ASSERT_EQ(Run({"a", "b", "c"}, {"a", "b", "x", "y", "z", "c"}), csOk);
  EXPECT_EQ(Rows(), (V{"a|a", "b|b", "-|*x", "-|*y", "-|*z", "c|c"}));
  EXPECT_EQ(Count(), 3);
  // Go-to from a filler row takes the nearest line above in that pane.
  TGotoDiffParam go = engine_.GotoRequest(3);
  EXPECT_EQ(go.FirstLine, 1);
  EXPECT_EQ(go.SecondLine, 3);
  EXPECT_EQ(go.FirstFile, name1_);
  EXPECT_EQ(go.SecondFile, name2_);
  TGotoDiffParam one = engine_.GotoRequest(5, 1);
  EXPECT_EQ(one.FirstLine, -1);
  EXPECT_EQ(one.SecondLine, 5);
}

TEST_F(CompareEngineTest, DeletedLinesAtTheStartAndFillersAtTheTopGoToLineZero) {
  ASSERT_EQ(Run({"x", "y", "a", "b"}, {"a", "b"}), csOk);
  EXPECT_EQ(Rows(), (V{"*x|-", "*y|-", "a|a", "b|b"}));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(engine_.GotoRequest(1).SecondLine, 0);
  EXPECT_EQ(engine_.GotoRequest(1).FirstLine, 1);
}

TEST_F(CompareEngineTest, ABlockMovedFromTheStartToTheEnd) {
  V moved = {"m1", "m2", "m3"};
  V rest = {"c1", "c2", "c3", "c4", "c5"};
  V a = moved, b = rest;
  a.insert(a.end(), rest.begin(), rest.end());
  b.insert(b.end(), moved.begin(), moved.end());
  ASSERT_EQ(Run(a, b), csOk);
  EXPECT_EQ(Rows(), (V{"*m1|-", "*m2|-", "*m3|-", "c1|c1", "c2|c2", "c3|c3", "c4|c4", "c5|c5",
                       "-|*m1", "-|*m2", "-|*m3"}));
  EXPECT_EQ(Count(), 6);
  EXPECT_EQ(ResultTypes(), (std::vector<int32_t>{dbtMovedOut, dbtCommon, dbtMovedIn}));
  // The moved lines are still matched with each other.
  EXPECT_EQ(engine_.Rows().At(0, 0)->Partner, engine_.Rows().At(1, 8));
}

TEST_F(CompareEngineTest, CrossingBlocksOfEqualLengthMoveTheFile2Block) {
  ASSERT_EQ(Run({"m1", "m2", "m3", "c1", "c2", "c3"}, {"c1", "c2", "c3", "m1", "m2", "m3"}), csOk);
  EXPECT_EQ(ResultTypes(), (std::vector<int32_t>{dbtMovedIn, dbtCommon, dbtMovedOut}));
  EXPECT_EQ(Rows(),
            (V{"-|*c1", "-|*c2", "-|*c3", "m1|m1", "m2|m2", "m3|m3", "*c1|-", "*c2|-", "*c3|-"}));
  EXPECT_EQ(Count(), 6);
}

TEST_F(CompareEngineTest, AMovedBlockDoesNotDragTheShorterBlocksItJumpsOver) {
  // The moved block is longer than each of the common blocks between its two places.
  V moved = {"m1", "m2", "m3", "m4", "m5"};
  V a = moved, b;
  for (int i = 0; i < 4; ++i) {
    V run = {"c" + std::to_string(i) + "a", "c" + std::to_string(i) + "b",
             "old" + std::to_string(i)};
    a.insert(a.end(), run.begin(), run.end());
    run[2] = "new" + std::to_string(i);
    b.insert(b.end(), run.begin(), run.end());
  }
  b.insert(b.end(), moved.begin(), moved.end());
  ASSERT_EQ(Run(a, b), csOk);
  int32_t movedRows = 0;
  for (const TDiffResult& r : engine_.Result()) {
    if (r.Type != dbtMovedOut && r.Type != dbtMovedIn) continue;
    movedRows += r.Block->LineCount();
    EXPECT_EQ(r.Block->First->Text, "m1"s);
  }
  EXPECT_EQ(movedRows, 10);
  EXPECT_EQ(Count(), 5 + 4 + 5);
}

TEST_F(CompareEngineTest, IgnoreSpacesAndIgnoreCase) {
  ASSERT_EQ(Run({"a b", "\xE4", "\x84"}, {"ab", "\xC4", "\x8E"}, TDiffOptions{true, false, true}),
            csOk);
  EXPECT_EQ(Count(), 0);
  ASSERT_EQ(Run({"a b", "\xE4", "\x84"}, {"ab", "\xC4", "\x8E"}, TDiffOptions{true, false, false}),
            csOk);
  EXPECT_EQ(Rows(), (V{"a b|ab", "*\xE4|*\xC4", "*\x84|*\x8E"}));
  ASSERT_EQ(Run({"a b", "\xE4", "\x84"}, {"ab", "\xC4", "\x8E"}, TDiffOptions{false, false, true}),
            csOk);
  EXPECT_EQ(Rows(), (V{"*a b|*ab", "\xE4|\xC4", "\x84|\x8E"}));
}

TEST_F(CompareEngineTest, IgnoreBlankLinesShowsThemWithoutCountingThem) {
  const TDiffOptions blank{false, true, false};
  ASSERT_EQ(Run({"", "a", "", "", "b", "c"}, {"a", "b", " ", "c", "", ""}, blank), csOk);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Rows(), (V{"|-", "a|a", "|-", "|-", "b|b", "-| ", "c|c", "-|", "-|"}));
  // Without the option the blank lines are differences.
  ASSERT_EQ(Run({"", "a", "", "", "b", "c"}, {"a", "b", " ", "c", "", ""}), csOk);
  EXPECT_GT(Count(), 0);
  // A real change amid blank lines still counts once.
  ASSERT_EQ(Run({"a", "", "x", "", "b"}, {"a", "y", "b"}, blank), csOk);
  EXPECT_EQ(Count(), 1);
  // Files of blank lines only are equal to each other.
  ASSERT_EQ(Run({"", " ", ""}, {""}, blank), csOk);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(engine_.Rows().RowCount(), 3);
}

TEST_F(CompareEngineTest, EmptyFiles) {
  ASSERT_EQ(RunBytes("", ""), csOk);
  EXPECT_EQ(Rows(), (V{"|"}));
  EXPECT_EQ(Count(), 0);
  ASSERT_EQ(RunBytes("", "a\r\nb\r\n"), csOk);
  // The empty file's one empty line matches the empty last line of the other.
  EXPECT_EQ(Rows(), (V{"-|*a", "-|*b", "|"}));
  EXPECT_EQ(Count(), 2);
  ASSERT_EQ(RunBytes("a\nb", ""), csOk);
  EXPECT_EQ(Rows(), (V{"*a|*", "*b|-"}));
  EXPECT_EQ(Count(), 2);
}

TEST_F(CompareEngineTest, AnyLineEndSplitsTheFiles) {
  ASSERT_EQ(RunBytes("a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd"), csOk);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(engine_.Rows().RowCount(), 4);
}

TEST_F(CompareEngineTest, GapsAtTheFileEndsAreRefinedToo) {
  // "}" is not unique in either whole file, only within the trailing gaps.
  ASSERT_EQ(Run({"s", "}", "a", "x1", "}", "x2"}, {"t", "a", "y1", "}", "y2"}), csOk);
  EXPECT_EQ(Rows(), (V{"*s|*t", "*}|-", "a|a", "*x1|*y1", "}|}", "*x2|*y2"}));
  EXPECT_EQ(Count(), 4);
  // The same at the start of the files.
  ASSERT_EQ(Run({"x1", "}", "x2", "a", "}", "s"}, {"y1", "}", "y2", "a", "t"}), csOk);
  EXPECT_EQ(Rows(), (V{"*x1|*y1", "}|}", "*x2|*y2", "a|a", "*}|*t", "*s|-"}));
  EXPECT_EQ(Count(), 4);
}

TEST_F(CompareEngineTest, RepeatedLinesAreMatchedAroundUniqueOnes) {
  ASSERT_EQ(Run({"{", "}", "{", "u1", "}", "{", "}"}, {"{", "}", "{", "u1", "}", "X", "{", "}"}),
            csOk);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Rows()[5], "-|*X");
}

TEST_F(CompareEngineTest, OnlyDifferencesViewUsesSeparators) {
  ASSERT_EQ(Run({"a", "b", "c", "d"}, {"a", "x", "y", "c", "d"}, {}, true), csOk);
  // b/x change, y inserted; the common "c" block follows with a separator opposite y.
  EXPECT_EQ(Rows(), (V{"*b|*x", "~1|*y"}));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(engine_.GotoRequest(1).FirstLine, 1);
  // Switching the view rebuilds the rows from the same comparison.
  ASSERT_EQ(engine_.SetOnlyDifferences(false), csOk);
  Check();
  EXPECT_EQ(Rows(), (V{"a|a", "*b|*x", "-|*y", "c|c", "d|d"}));
  EXPECT_EQ(Count(), 2);
  ASSERT_EQ(engine_.SetOnlyDifferences(true), csOk);
  Check();
  EXPECT_EQ(Rows(), (V{"*b|*x", "~1|*y"}));
}

TEST_F(CompareEngineTest, RefreshReadsBothFilesAgain) {
  ASSERT_EQ(Run({"a", "b"}, {"a", "b"}), csOk);
  EXPECT_EQ(Count(), 0);
  dir_.Write("b.txt", "a\r\nc");
  ASSERT_EQ(engine_.Refresh(), csOk);
  Check();
  EXPECT_EQ(Rows(), (V{"a|a", "*b|*c"}));
}

TEST_F(CompareEngineTest, RefusedFilesEndTheComparison) {
  ASSERT_EQ(RunBytes("a\0b"s, "a"), csCannotRead);
  EXPECT_EQ(engine_.FailedFile(), 0);
  EXPECT_EQ(engine_.Rows().RowCount(), 0);
  ASSERT_EQ(RunBytes("a", "a\0b"s), csCannotRead);
  EXPECT_EQ(engine_.FailedFile(), 1);
  ASSERT_EQ(engine_.Compare(name1_, dir_.File("missing.txt"), {}, false), csCannotRead);
  EXPECT_EQ(engine_.FailedFile(), 1);
  EXPECT_EQ(engine_.File(1).Name(), dir_.File("missing.txt"));
  // Once the file is there, a refresh succeeds.
  dir_.Write("missing.txt", "a");
  ASSERT_EQ(engine_.Refresh(), csOk);
  EXPECT_EQ(Count(), 0);
}

int gBlocksLeft = 0;
platform::THandle FewBlocks(uint32_t flags, size_t bytes) {
  if (gBlocksLeft <= 0) return 0;
  --gBlocksLeft;
  return platform::GlobalAlloc(flags, bytes);
}
void IgnoreDebug(const char*) {}

TEST_F(CompareEngineTest, NoLineRecordGivesMinus41AndLeaksNothing) {
  const uint32_t handles = platform::LiveHandleCount();
  SetDiffDebugOutput(&IgnoreDebug);
  {
    TDiffLinePool pool(
        {&FewBlocks, &platform::GlobalLock, &platform::GlobalUnlock, &platform::GlobalFree});
    TCompareEngine engine(pool);
    V many(2000, "line");
    std::string a = dir_.Write("a.txt", Join(many));
    gBlocksLeft = 1;
    EXPECT_EQ(engine.Compare(a, a, {}, false), csNoLineRecord);
    EXPECT_EQ(engine.Rows().RowCount(), 0);
    EXPECT_EQ(pool.BlockCount(), 0u);
    gBlocksLeft = 1000;
    EXPECT_EQ(engine.Compare(a, a, {}, false), csOk);
    EXPECT_GT(pool.BlockCount(), 0u);
  }
  SetDiffDebugOutput(nullptr);
  EXPECT_EQ(platform::LiveHandleCount(), handles);
}

}  // namespace
