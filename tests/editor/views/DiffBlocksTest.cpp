// Cutting files into blocks, linking partner blocks and which gaps are refined together.
#include "editor/views/DiffBlocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/views/DiffLineCompare.h"
#include "tests/editor/views/CompareTestSupport.h"

namespace {

using compare_test::Join;
using compare_test::V;

class DiffBlocksTest : public ::testing::Test {
 protected:
  DiffBlocksTest() : file1_(TDiffLinePool::Shared()), file2_(TDiffLinePool::Shared()) {}

  void Load(const V& a, const V& b) {
    ASSERT_EQ(file1_.Load(dir_.Write("a.txt", Join(a))), csOk);
    ASSERT_EQ(file2_.Load(dir_.Write("b.txt", Join(b))), csOk);
  }
  static TDiffLine* Line(const TDiffFile& f, int32_t index) {
    TDiffLine* line = f.First();
    while (line && line->Index != index)
      line = line->Next;
    return line;
  }
  // Pairs every line of file 1 with the first free equal line of file 2.
  void MatchEqualTexts() {
    for (TDiffLine* a = file1_.First(); a; a = a->Next)
      for (TDiffLine* b = file2_.First(); b; b = b->Next)
        if (PairLines(*a, *b, options_)) break;
  }
  void Cut() {
    CutIntoBlocks(file1_.First(), true, options_, blocks1_);
    CutIntoBlocks(file2_.First(), false, options_, blocks2_);
    PairBlocks(blocks1_, blocks2_);
  }
  // "first-last:type" for every block.
  static V Shape(const TDiffBlockList& blocks) {
    V out;
    for (const TDiffBlock& b : blocks)
      out.push_back(std::to_string(b.First->Index) + "-" + std::to_string(b.Last->Index) + ":" +
                    std::to_string(b.Type));
    return out;
  }
  // The file-2 block index linked with each gap of file 1 (-1: none).
  std::vector<int> GapLinks() {
    RefineGaps(blocks1_, blocks2_, options_);
    std::vector<int> links;
    for (const TDiffBlock& b : blocks1_)
      if (b.Type == dbtDeleted)
        links.push_back(b.GapLink ? static_cast<int>(b.GapLink - blocks2_.data()) : -1);
    return links;
  }

  TTempDir dir_;
  TDiffOptions options_;
  TDiffFile file1_, file2_;
  TDiffBlockList blocks1_, blocks2_;
};

TEST_F(DiffBlocksTest, CommonBlocksFollowPartnersInStep) {
  Load({"A", "B", "x", "C", "D"}, {"A", "B", "D", "C", "y"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(Shape(blocks1_), (V{"0-1:1", "2-2:7", "3-3:1", "4-4:1"}));
  EXPECT_EQ(Shape(blocks2_), (V{"0-1:1", "2-2:1", "3-3:1", "4-4:8"}));
  EXPECT_EQ(blocks1_[0].Partner, &blocks2_[0]);
  EXPECT_EQ(blocks1_[2].Partner, &blocks2_[2]);  // C
  EXPECT_EQ(blocks1_[3].Partner, &blocks2_[1]);  // D
  EXPECT_EQ(blocks2_[1].Partner, &blocks1_[3]);
  EXPECT_EQ(blocks1_[3].Line1, 4);
  EXPECT_EQ(blocks1_[3].Line2, 2);
  EXPECT_EQ(blocks1_[1].Line1, 2);
}

TEST_F(DiffBlocksTest, IgnoredBlankLinesJoinTheBlockBeforeThem) {
  options_.IgnoreBlankLines = true;
  Load({"", "A", "", "B", " ", "x", ""}, {"A", "B", "", "y"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(Shape(blocks1_), (V{"0-4:1", "5-6:7"}));
  EXPECT_EQ(Shape(blocks2_), (V{"0-2:1", "3-3:8"}));
  EXPECT_EQ(blocks1_[0].Partner, &blocks2_[0]);
  EXPECT_EQ(blocks1_[0].FirstMatched()->Index, 1);
}

TEST_F(DiffBlocksTest, AFileOfIgnoredLinesIsOneGap) {
  options_.IgnoreBlankLines = true;
  Load({"", " ", "\t"}, {"a"});
  Cut();
  EXPECT_EQ(Shape(blocks1_), (V{"0-2:7"}));
}

TEST_F(DiffBlocksTest, GapBetweenPartnerNeighboursIsRefined) {
  Load({"A", "x", "B"}, {"A", "y", "B"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{1}));
  EXPECT_EQ(blocks2_[1].GapLink, &blocks1_[1]);
}

TEST_F(DiffBlocksTest, GapsAtTheEndsAreRefinedWithGapsAtTheSameEnds) {
  Load({"x", "A", "z"}, {"y", "A", "w"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{0, 2}));
}

TEST_F(DiffBlocksTest, AGapAtAFileEndIsNotRefinedWithOneInTheMiddle) {
  // x ends file 1, but the gap after A's partner is followed by B.
  Load({"B", "A", "x"}, {"A", "y", "B"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{-1}));
  // x starts file 1, but the gap before A's partner follows B.
  Load({"x", "A", "B"}, {"B", "y", "A"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{-1}));
}

TEST_F(DiffBlocksTest, GapsAcrossCrossedNeighboursAreNotRefined) {
  // After A's partner comes no gap.
  Load({"A", "x", "B"}, {"A", "B", "y"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{-1}));
  // After the gap that follows A's partner comes C, not B's partner.
  Load({"A", "x", "B", "C"}, {"A", "y", "C", "B"});
  MatchEqualTexts();
  Cut();
  EXPECT_EQ(GapLinks(), (std::vector<int>{-1}));
}

TEST_F(DiffBlocksTest, WithoutAnyMatchTheWholeFilesAreRefined) {
  Load({"x", "p", "q"}, {"y", "q", "p", "z"});
  Cut();
  ASSERT_EQ(GapLinks(), (std::vector<int>{0}));
  // p and q are unique in both gaps.
  EXPECT_EQ(Line(file1_, 1)->Partner, Line(file2_, 2));
  EXPECT_EQ(Line(file1_, 2)->Partner, Line(file2_, 1));
}

}  // namespace
