// Matching and scanning: repetition, the possessive optional item, anchors, folding and
// the bounds of the text.
#include <gtest/gtest.h>

#include <string>

#include "editor/search/RegExp.h"

namespace {

// "offset:length" of the first match from `start`, or "none".
std::string Find(const char* pattern, std::string_view text, int32_t start = 0,
                 bool caseInsensitive = false) {
  TRegExp rx;
  if (rx.Compile(pattern, caseInsensitive) != reOk) return "bad pattern";
  TRegExpMatch m;
  if (!rx.FindForward(text.data(), static_cast<int32_t>(text.size()), start, &m)) return "none";
  return std::to_string(m.Offset) + ":" + std::to_string(m.Length);
}

TEST(RegExpMatchTest, StarAndPlus) {
  EXPECT_EQ(Find("a*", "bbb"), "0:0");
  EXPECT_EQ(Find("a+", "bbb"), "none");
  EXPECT_EQ(Find("ba*", "xbaaab"), "1:4");
  EXPECT_EQ(Find("a*b", "aaab"), "0:4");
  // Backtracking one byte at a time lets the rest match.
  EXPECT_EQ(Find("a*ab", "aaab"), "0:4");
  EXPECT_EQ(Find(".*b", "abcbd"), "0:4");
  EXPECT_EQ(Find("x.+y", "xyy"), "0:3");
  EXPECT_EQ(Find("x.+y", "xy"), "none");
}

TEST(RegExpMatchTest, OptionalItemIsNeverGivenBack) {
  EXPECT_EQ(Find("ab-c", "abc"), "0:3");
  EXPECT_EQ(Find("ab-c", "ac"), "0:2");
  EXPECT_EQ(Find("a-a", "a"), "none");
  EXPECT_EQ(Find("a-a", "aa"), "0:2");
  EXPECT_EQ(Find("x-", "y"), "0:0");
}

TEST(RegExpMatchTest, ClassesAndNamedSets) {
  EXPECT_EQ(Find("[a-c]", "xb"), "1:1");
  EXPECT_EQ(Find("[^a-c]", "abcd"), "3:1");
  EXPECT_EQ(Find("[-a]+", "x-a-"), "1:3");
  EXPECT_EQ(Find(":a+", "12 Gr\xF6\xDF" "e3"), "3:5");
  EXPECT_EQ(Find(":a", "\x81"), "0:1");      // DOS ü is a letter
  EXPECT_EQ(Find(":a", "\xE9"), "none");     // é is not
  EXPECT_EQ(Find(":d+", "ab042c"), "2:3");
  EXPECT_EQ(Find(":n+", "-a1\xC4-"), "1:3");
  EXPECT_EQ(Find(": +", "a \t b"), "1:3");
  // A class at the end of the text fails, also a negated one.
  EXPECT_EQ(Find("a[^x]", "a"), "none");
}

TEST(RegExpMatchTest, AnyCharacterAndEscapes) {
  EXPECT_EQ(Find("a?c", "abc"), "0:3");
  EXPECT_EQ(Find("a.c", "abc"), "0:3");
  EXPECT_EQ(Find("\\.", "ab.c"), "2:1");
  EXPECT_EQ(Find("\\.", "abc"), "none");
  EXPECT_EQ(Find(".", ""), "none");
}

TEST(RegExpMatchTest, FoldingWhenCaseInsensitive) {
  EXPECT_EQ(Find("[a-z]", "Q", 0, true), "0:1");
  EXPECT_EQ(Find("[a-z]", "Q", 0, false), "none");
  EXPECT_EQ(Find("abc", "xABc", 0, true), "1:3");
  EXPECT_EQ(Find("\x84", "\x8E", 0, true), "0:1");     // DOS ä ~ DOS Ä
  EXPECT_EQ(Find("\x8E", "\x84", 0, true), "0:1");
  EXPECT_EQ(Find("\xE4", "\xC4", 0, true), "none");    // Windows ä and Ä stay apart
  EXPECT_EQ(Find("[^a]", "A", 0, true), "none");
  EXPECT_EQ(Find("Z+", "azzZ", 0, true), "1:3");
}

TEST(RegExpMatchTest, LineAnchors) {
  EXPECT_EQ(Find("^x", "x"), "0:1");
  EXPECT_EQ(Find("^x", "ax\r\nx"), "4:1");
  EXPECT_EQ(Find("^x", "a\rx"), "none");   // a lone CR does not start a line
  EXPECT_EQ(Find("^x", std::string_view("a\0x", 3)), "2:1");
  EXPECT_EQ(Find("x$", "xa"), "none");
  EXPECT_EQ(Find("x$", "xa\r\nbx"), "5:1");
  EXPECT_EQ(Find("x$", "ax\r\nb"), "1:1");
  EXPECT_EQ(Find("x$", std::string_view("x\0b", 3)), "0:1");
  // The end of the text is tried as a place of its own.
  EXPECT_EQ(Find("$", "abc"), "3:0");
  EXPECT_EQ(Find("$", ""), "0:0");
  // A CR as the last byte is not a line end before a line feed beyond the text.
  EXPECT_EQ(Find("a$", std::string_view("a\r\n", 2)), "none");
  // "^" counts from offset 0 of the text, not from the start offset.
  EXPECT_EQ(Find("^b", "ab", 1), "none");
}

TEST(RegExpMatchTest, StartOffsetAndBounds) {
  EXPECT_EQ(Find("a", "aba", 1), "2:1");
  EXPECT_EQ(Find("a", "aba", 3), "none");
  EXPECT_EQ(Find("a*", "aba", 3), "3:0");
  EXPECT_EQ(Find("a", "aba", 4), "none");
  EXPECT_EQ(Find("a", "aba", -5), "0:1");
  // Nothing beyond the length is read: the match stops at the limit.
  TRegExp rx;
  ASSERT_EQ(rx.Compile("ab+", false), reOk);
  TRegExpMatch m;
  ASSERT_TRUE(rx.FindForward("abbbb", 3, 0, &m));
  EXPECT_EQ(m.Length, 3);
  EXPECT_FALSE(rx.FindForward("abbbb", 1, 0, &m));
}

TEST(RegExpMatchTest, ZeroTerminatedAndEmptyTexts) {
  TRegExp rx;
  ASSERT_EQ(rx.Compile("b*$", false), reOk);
  TRegExpMatch m;
  ASSERT_TRUE(rx.FindForward("abb", -1, 0, &m));
  EXPECT_EQ(m.Offset, 1);
  EXPECT_EQ(m.Length, 2);
  // Length 0 is an empty text, never read (here it is not terminated).
  const char unterminated[1] = {'b'};
  ASSERT_TRUE(rx.FindForward(unterminated, 0, 0, &m));
  EXPECT_EQ(m.Offset, 0);
  EXPECT_EQ(m.Length, 0);
  ASSERT_TRUE(rx.FindForward(nullptr, 5, 0, &m));
  EXPECT_EQ(m.Length, 0);
}

TEST(RegExpMatchTest, EscapedZeroByteIsALiteral) {
  TRegExp rx;
  ASSERT_EQ(rx.Compile(std::string_view("a\0b", 3), false), reOk);
  TRegExpMatch m;
  const std::string_view text("xa\0b", 4);
  ASSERT_TRUE(rx.FindForward(text.data(), 4, 0, &m));
  EXPECT_EQ(m.Offset, 1);
  EXPECT_EQ(m.Length, 3);
  EXPECT_FALSE(rx.FindForward("xa", -1, 0, &m));
}

TEST(RegExpMatchTest, MatchAtAPosition) {
  TRegExp rx;
  ASSERT_EQ(rx.Compile("b+", false), reOk);
  EXPECT_EQ(rx.Match("abbc", 4, 1), 3);
  EXPECT_EQ(rx.Match("abbc", 4, 0), -1);
  EXPECT_EQ(rx.Match("abbc", 4, 9), -1);
}

TEST(RegExpMatchTest, NestedRepetitionsStayFast) {
  // Plain backtracking would try about 10^18 splits here.
  TRegExp rx;
  ASSERT_EQ(rx.Compile("a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", false), reOk);
  const std::string text(600, 'a');
  TRegExpMatch m;
  EXPECT_FALSE(rx.FindForward(text.data(), static_cast<int32_t>(text.size()), 0, &m));
  ASSERT_EQ(rx.Compile("a*a*a*a*a*a*a*a*$", false), reOk);
  ASSERT_TRUE(rx.FindForward(text.data(), static_cast<int32_t>(text.size()), 0, &m));
  EXPECT_EQ(m.Length, 600);
}

TEST(RegExpMatchTest, NestedRepetitionsStayFastOnTheLongestLines) {
  // The longest line a text window holds, and a buffer of the global search.
  TRegExp rx;
  TRegExpMatch m;
  for (const int32_t size : {1500, 100000, 524188}) {
    const std::string text(static_cast<size_t>(size), 'a');
    ASSERT_EQ(rx.Compile("a*a*a*a*b", false), reOk);
    EXPECT_FALSE(rx.FindForward(text.data(), size, 0, &m)) << size;
    ASSERT_EQ(rx.Compile("a*a*a*a*a*a*a*a*a*a*a*a*c", true), reOk);
    EXPECT_FALSE(rx.FindForward(text.data(), size, 0, &m)) << size;
    ASSERT_EQ(rx.Compile("a+a+a+a+$", false), reOk);
    ASSERT_TRUE(rx.FindForward(text.data(), size, 0, &m)) << size;
    EXPECT_EQ(m.Length, size);
  }
  // A hit at the very end behind many places that fail.
  std::string text(200000, 'a');
  text += 'b';
  ASSERT_EQ(rx.Compile("a*a*a*a*b", false), reOk);
  ASSERT_TRUE(rx.FindForward(text.data(), static_cast<int32_t>(text.size()), 0, &m));
  EXPECT_EQ(m.Offset, 0);
  EXPECT_EQ(m.Length, 200001);
  ASSERT_EQ(rx.Compile("[ab]*a*b*a*bb", false), reOk);
  EXPECT_FALSE(rx.FindForward(text.data(), static_cast<int32_t>(text.size()), 0, &m));
}

}  // namespace
