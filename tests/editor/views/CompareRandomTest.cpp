// Random files under random edit scripts and options: every line shows once in its pane
// in file order, matched lines are equal, and the difference count is zero exactly when
// the files are equal under the options.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/views/CompareCheck.h"
#include "editor/views/CompareEngine.h"
#include "tests/editor/views/CompareTestSupport.h"

namespace {

using compare_test::Join;
using compare_test::V;

class Random {
 public:
  explicit Random(uint32_t seed) : Rng(seed) {}
  int32_t Below(int32_t n) {
    return n <= 0 ? 0 : static_cast<int32_t>(Rng() % static_cast<uint32_t>(n));
  }
  bool Chance(int32_t percent) { return Below(100) < percent; }
  // Few distinct lines, so that repeats and lines equal under the options are common.
  std::string Line() {
    static const char* const kLines[] = {"{",    "}",    "",     " ",      "\t",
                                         "a",    "A",    "a b",  "ab",     "\xE4",
                                         "\xC4", "\x84", "\x8E", "x = 1;", "X=1;"};
    if (Chance(60)) return kLines[Below(static_cast<int32_t>(std::size(kLines)))];
    return "line " + std::to_string(Below(400));
  }
  std::mt19937 Rng;
};

// A line as the options see it.
std::string Normal(const std::string& line, const TDiffOptions& o) {
  std::string out;
  for (unsigned char c : line) {
    if (o.IgnoreSpaces && (c == ' ' || c == '\t')) continue;
    if (o.IgnoreCase) {
      if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
      if (c == 0xE4) c = 0xC4;
      if (c == 0x84) c = 0x8E;
    }
    out += static_cast<char>(c);
  }
  return out;
}

bool Blank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

bool EqualUnderOptions(const V& a, const V& b, const TDiffOptions& o) {
  V x, y;
  for (const auto& l : a)
    if (!o.IgnoreBlankLines || !Blank(l)) x.push_back(Normal(l, o));
  for (const auto& l : b)
    if (!o.IgnoreBlankLines || !Blank(l)) y.push_back(Normal(l, o));
  return x == y;
}

V Edit(const V& original, Random& r) {
  V lines = original;
  const int32_t edits = r.Below(6);
  for (int32_t e = 0; e < edits; ++e) {
    const int32_t n = static_cast<int32_t>(lines.size());
    const int32_t at = r.Below(n + 1);
    switch (r.Below(5)) {
      case 0:  // insert a run
        for (int32_t k = r.Below(4) + 1; k > 0; --k)
          lines.insert(lines.begin() + at, r.Line());
        break;
      case 1:  // delete a run
        lines.erase(lines.begin() + std::min(at, n),
                    lines.begin() + std::min(n, at + r.Below(4) + 1));
        break;
      case 2:  // change a line
        if (at < n) lines[static_cast<size_t>(at)] = r.Line();
        break;
      case 3: {  // move a block
        const int32_t len = std::min(n - std::min(at, n), r.Below(8) + 1);
        V block(lines.begin() + std::min(at, n), lines.begin() + std::min(at, n) + len);
        lines.erase(lines.begin() + std::min(at, n), lines.begin() + std::min(at, n) + len);
        const int32_t to = r.Below(static_cast<int32_t>(lines.size()) + 1);
        lines.insert(lines.begin() + to, block.begin(), block.end());
        break;
      }
      default:  // change only what the options may ignore
        if (at < n) {
          std::string& l = lines[static_cast<size_t>(at)];
          if (r.Chance(50))
            l.insert(static_cast<size_t>(r.Below(static_cast<int32_t>(l.size()) + 1)), " ");
          else
            for (char& c : l)
              c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        }
        break;
    }
  }
  return lines;
}

TEST(CompareRandomTest, RowsAreCompleteAndCountsAreRight) {
  TTempDir dir;
  TCompareEngine engine;
  for (uint32_t seed = 1; seed <= 600; ++seed) {
    Random r(seed);
    V a;
    for (int32_t n = r.Below(40); n > 0; --n)
      a.push_back(r.Line());
    const V b = Edit(a, r);
    const TDiffOptions o{r.Chance(40), r.Chance(40), r.Chance(40)};
    const bool onlyDiffs = r.Chance(30);
    const std::string f1 = dir.Write("a.txt", Join(a));
    const std::string f2 = dir.Write("b.txt", Join(b));
    ASSERT_EQ(engine.Compare(f1, f2, o, onlyDiffs), csOk) << "seed " << seed;
    std::string why;
    ASSERT_TRUE(CheckCompare(engine, &why)) << "seed " << seed << ": " << why;
    // An empty list of lines is a file with one empty line.
    const V la = a.empty() ? V{""} : a, lb = b.empty() ? V{""} : b;
    EXPECT_EQ(engine.Rows().DifferenceRows() == 0, EqualUnderOptions(la, lb, o)) << "seed " << seed;
    // The other view shows the same differences.
    ASSERT_EQ(engine.SetOnlyDifferences(!onlyDiffs), csOk);
    const int32_t count = engine.Rows().DifferenceRows();
    ASSERT_TRUE(CheckCompare(engine, &why)) << "seed " << seed << ": " << why;
    ASSERT_EQ(engine.SetOnlyDifferences(onlyDiffs), csOk);
    EXPECT_EQ(count, engine.Rows().DifferenceRows()) << "seed " << seed;
  }
}

}  // namespace
