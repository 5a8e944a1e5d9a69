// Line hash, equality under the options, blank lines and pairing.
#include "editor/views/DiffLineCompare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr TDiffOptions kExact{};
constexpr TDiffOptions kSpaces{true, false, false};
constexpr TDiffOptions kCase{false, false, true};
constexpr TDiffOptions kBlank{false, true, false};

uint32_t Hash(const std::string& s, const TDiffOptions& o) {
  return DiffTextHash(s.data(), static_cast<int32_t>(s.size()), o);
}

bool Equal(const std::string& a, const std::string& b, const TDiffOptions& o) {
  return DiffTextsEqual(a.data(), static_cast<int32_t>(a.size()), b.data(),
                        static_cast<int32_t>(b.size()), o) &&
         Hash(a, o) == Hash(b, o);
}

TEST(DiffHashTest, FollowsTheWeightedSumWithWrapAround) {
  EXPECT_EQ(Hash("", kExact), 0u);
  // h = 'A' * 6293815 * 1
  EXPECT_EQ(Hash("A", kExact), 65u * 6293815u);
  // second character: m = 6293815^2 (mod 2^32), k = 2
  const uint32_t m2 = 6293815u * 6293815u;
  EXPECT_EQ(Hash("AB", kExact), 65u * 6293815u + 66u * (m2 * 2u));
  // bytes above 127 count as unsigned values
  EXPECT_EQ(Hash("\xE4", kExact), 228u * 6293815u);
  EXPECT_NE(Hash("ab", kExact), Hash("ba", kExact));
}

// The hash as the weighted sum is defined, one character after the other.
uint32_t ReferenceHash(const std::string& s, const TDiffOptions& o) {
  uint32_t h = 0, m = 6293815, k = 1;
  for (unsigned char c : s) {
    if (o.IgnoreSpaces && (c == ' ' || c == '\t')) continue;
    if (o.IgnoreCase && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    h += c * (m * k);
    m *= 6293815;
    ++k;
  }
  return h;
}

TEST(DiffHashTest, LongLinesHashLikeShortOnes) {
  std::string line;
  for (int i = 0; i < 5000; ++i)
    line += static_cast<char>(i % 7 == 0 ? ' ' : 'a' + i % 26);
  for (size_t length : {size_t{0}, size_t{1}, size_t{2047}, size_t{2048}, size_t{2049},
                        size_t{2400}, size_t{5000}}) {
    const std::string s = line.substr(0, length);
    for (const TDiffOptions& o : {kExact, kSpaces, kCase, TDiffOptions{true, false, true}})
      EXPECT_EQ(Hash(s, o), ReferenceHash(s, o)) << length;
  }
}

TEST(DiffHashTest, OptionsChangeWhatIsHashed) {
  EXPECT_EQ(Hash("a b\t", kSpaces), Hash("ab", kExact));
  EXPECT_EQ(Hash("abc", kCase), Hash("ABC", kExact));
  EXPECT_EQ(Hash("\xE4\xF6\xFC", kCase), Hash("\xC4\xD6\xDC", kExact));
  EXPECT_EQ(Hash("\x84\x94\x81", kCase), Hash("\x8E\x99\x9A", kExact));
}

TEST(DiffEqualTest, IgnoreSpacesSkipsBlanksAndTabsAnywhere) {
  EXPECT_TRUE(Equal("a b", "ab", kSpaces));
  EXPECT_TRUE(Equal(" \ta\t b ", "ab", kSpaces));
  EXPECT_TRUE(Equal("   ", "", kSpaces));
  EXPECT_FALSE(Equal("a b", "ab", kExact));
  EXPECT_FALSE(Equal("ab", "abc", kSpaces));  // both texts must end together
  EXPECT_FALSE(Equal("abc ", "ab", kSpaces));
}

TEST(DiffEqualTest, IgnoreCaseFoldsUmlautsOfBothCodePages) {
  EXPECT_TRUE(
      Equal("Stra\xDF"
            "e",
            "STRA\xDF"
            "E",
            kCase));
  EXPECT_TRUE(Equal("\xE4", "\xC4", kCase));  // Windows ä Ä
  EXPECT_TRUE(Equal("\xF6\xFC", "\xD6\xDC", kCase));
  EXPECT_TRUE(Equal("\x84", "\x8E", kCase));  // DOS ä Ä
  EXPECT_TRUE(Equal("\x94\x81", "\x99\x9A", kCase));
  EXPECT_FALSE(Equal("\xE4", "\xC4", kExact));
  // Each code page folds on its own: DOS ä is not Windows Ä.
  EXPECT_FALSE(Equal("\x84", "\xC4", kCase));
  // Only letters fold.
  EXPECT_FALSE(Equal("[", "{", kCase));
  EXPECT_FALSE(Equal("@", "`", kCase));
}

TEST(DiffEqualTest, BlankLines) {
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText(" \t "));
  EXPECT_TRUE(IsBlankText("  \r"));
  EXPECT_TRUE(IsBlankText("\n"));
  EXPECT_FALSE(IsBlankText(" x"));
  EXPECT_FALSE(IsBlankText("\f"));
}

class PairLinesTest : public ::testing::Test {
 protected:
  TDiffLine Make(const char* text) {
    TDiffLine line{};
    line.Text = text;
    line.Length = static_cast<int32_t>(std::strlen(text));
    return line;
  }
};

TEST_F(PairLinesTest, PairsOnlyUnmatchedEqualLines) {
  TDiffLine a = Make("x"), b = Make("x"), c = Make("x"), d = Make("y");
  EXPECT_FALSE(PairLines(a, d, kExact));
  EXPECT_TRUE(PairLines(a, b, kExact));
  EXPECT_EQ(a.Partner, &b);
  EXPECT_EQ(b.Partner, &a);
  EXPECT_FALSE(PairLines(c, b, kExact));  // b is taken
  EXPECT_EQ(c.Partner, nullptr);
  EXPECT_TRUE((a.Flags & dlfHashed) && (b.Flags & dlfHashed));
}

TEST_F(PairLinesTest, IgnoredBlankLinesNeverPair) {
  TDiffLine a = Make(""), b = Make("");
  EXPECT_FALSE(PairLines(a, b, kBlank));
  EXPECT_TRUE(PairLines(a, b, kExact));
}

}  // namespace
