// The symbol table: names found through its index, newer symbols hiding older ones, renames,
// and references kept newest first.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "compiler/core/Markers.h"

namespace {

class MarkersTest : public ::testing::Test {
 protected:
  TMessageList List;
  TVelReporter Reporter{List};
  DestinationData Out;
  MarkerMemo Markers{Reporter, Out};
};

TEST_F(MarkersTest, NamesWithTheSameHashStayApart) {
  // Both pairs hash alike in the index.
  Markers.Define("EJDAPA", segCode, 10, 1);
  Markers.Define("ZVMHIA", segCode, 20, 2);
  Markers.Define("EJJBPA", segData, 30, 3);
  EXPECT_EQ(Markers.LookUp("EJDAPA"), 1);
  EXPECT_EQ(Markers.LookUp("ZVMHIA"), 2);
  EXPECT_EQ(Markers.LookUp("EJJBPA"), 3);
  EXPECT_EQ(Markers.Find("ZVGIKA"), -1);
  EXPECT_TRUE(Markers.Rename("EJDAPA", "ZVGIKA"));
  EXPECT_EQ(Markers.Find("EJDAPA"), -1);
  EXPECT_EQ(Markers.LookUp("ZVGIKA"), 1);
  EXPECT_EQ(Markers.LookUp("ZVMHIA"), 2);
  EXPECT_EQ(Markers.Name(Markers.Find("ZVGIKA")), "ZVGIKA");
}

// Random creates and renames over a few names, checked against the plain rule: a name finds
// the newest symbol that carries it.
TEST_F(MarkersTest, FindsTheNewestSymbolOfANameThroughCreatesAndRenames) {
  const std::vector<std::string> pool = {"A", "B", "LOOP", "EJDAPA", "ZVMHIA", "_x_1", "_x_2",
                                         "CODESEGMENT"};
  std::vector<std::string> names;  // by symbol index
  std::mt19937 random(7);
  auto pick = [&] { return pool[random() % pool.size()]; };
  for (int round = 0; round < 2000; ++round) {
    if (random() % 3 != 0) {
      const std::string name = pick();
      EXPECT_EQ(Markers.CreateSymbol(name, 0, round, 0), static_cast<int32_t>(names.size()));
      names.push_back(name);
    } else {
      const std::string from = pick(), to = pick();
      int32_t newest = -1;
      for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == from) newest = static_cast<int32_t>(i);
      ASSERT_EQ(Markers.Rename(from, to), newest >= 0);
      if (newest >= 0) names[static_cast<size_t>(newest)] = to;
    }
    for (const std::string& name : pool) {
      int32_t newest = -1;
      for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) newest = static_cast<int32_t>(i);
      ASSERT_EQ(Markers.Find(name), newest) << name << " in round " << round;
    }
  }
}

TEST_F(MarkersTest, IndexGrowsWithoutLosingNames) {
  ASSERT_EQ(Out.Create(::testing::TempDir() + "/markers.ved"), 0u);
  for (int i = 0; i < 50000; ++i) Markers.Define("N" + std::to_string(i), segCode, i, i);
  for (int i = 0; i < 50000; i += 997) EXPECT_EQ(Markers.LookUp("N" + std::to_string(i)), i);
  EXPECT_EQ(Markers.Find("N50000"), -1);
  Out.Discard();
}

TEST_F(MarkersTest, ReferencesAreListedNewestFirst) {
  ASSERT_EQ(Out.Create(::testing::TempDir() + "/refs.ved"), 0u);
  ASSERT_TRUE(Markers.Reference("L", 2, 5));
  ASSERT_TRUE(Markers.Reference("M", 1, 0));
  ASSERT_TRUE(Markers.Reference("L", 3, 6));
  const Marke& l = Markers.At(Markers.Find("L"));
  std::vector<int32_t> addends;
  for (int32_t at = l.Newest; at != kNoZiel; at = Markers.ZielAt(at).Older)
    addends.push_back(Markers.ZielAt(at).Addend);
  EXPECT_EQ(addends, (std::vector<int32_t>{6, 5}));
  // Placeholders of the references' widths: 2, 1 and 3 bytes behind the 7-byte header.
  EXPECT_EQ(Markers.ZielAt(l.Newest).Position, 10);
  EXPECT_EQ(Out.Position(), 13);
  Out.Discard();
}

}  // namespace
