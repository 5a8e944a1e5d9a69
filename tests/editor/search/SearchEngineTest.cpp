// The engine for one line or buffer: the four plain variants with the umlaut
// equivalences, whole words, and the regular expression through the same entry.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "editor/search/SearchChars.h"
#include "editor/search/SearchEngine.h"

namespace {

TEngineRequest Request(const char* text, bool caseSensitive = true, bool backward = false,
                       bool wholeWords = false, bool regExp = false) {
  TEngineRequest r;
  std::strncpy(r.SearchText, text, kSearchTextMax);
  r.CaseSensitive = caseSensitive;
  r.Backward = backward;
  r.WholeWords = wholeWords;
  r.RegularExpression = regExp;
  return r;
}

// "offset:length" or "none".
std::string Search(std::string_view text, const TEngineRequest& request, int32_t start = 0) {
  TRegExp rx;
  if (PrepareEngine(request, rx) != reOk) return "bad pattern";
  TSearchMatch m;
  if (!SearchText(text.data(), static_cast<int32_t>(text.size()), request, start, &m, rx))
    return "none";
  return std::to_string(m.Offset) + ":" + std::to_string(m.Length);
}

TEST(SearchEngineTest, CaseSensitiveUmlautsMatchTheirDosForm) {
  const auto ae = Request("\xE4");
  EXPECT_EQ(Search("x\x84", ae), "1:1");   // DOS ä
  EXPECT_EQ(Search("x\xC4", ae), "none");  // Windows Ä
  EXPECT_EQ(Search("x\x8E", ae), "none");  // DOS Ä
  // Only a Windows byte in the pattern stands for both; a DOS byte stands for itself.
  EXPECT_EQ(Search("x\xE4", Request("\x84")), "none");
  EXPECT_EQ(Search("Stra\xE1" "e", Request("Stra\xDF" "e")), "0:6");
  EXPECT_EQ(Search("abc", Request("B")), "none");
}

TEST(SearchEngineTest, CaseInsensitiveFoldsEveryUmlautForm) {
  const auto ae = Request("\xE4", false);
  for (const char* t : {"\xC4", "\x84", "\x8E", "\xE4"}) EXPECT_EQ(Search(t, ae), "0:1") << t;
  EXPECT_EQ(Search("\xD6\x99\x94\xF6", Request("\x94\x94\x94\x94", false)), "0:4");
  EXPECT_EQ(Search("GR\x9A\xE1", Request("gr\xFC\xDF", false)), "0:4");
  EXPECT_EQ(Search("xZIELmarke", Request("zielMARKE", false)), "1:9");
  EXPECT_EQ(Search("\xE9", Request("\xC9", false)), "none");  // é and É are not folded
}

TEST(SearchEngineTest, ForwardStartsAndFits) {
  const auto r = Request("ab");
  EXPECT_EQ(Search("abab", r, 1), "2:2");
  EXPECT_EQ(Search("abab", r, 3), "none");
  EXPECT_EQ(Search("a", r), "none");
  EXPECT_EQ(Search("", r), "none");
  EXPECT_EQ(Search("abc", Request("")), "none");
  EXPECT_EQ(Search("abab", r, -4), "0:2");
}

TEST(SearchEngineTest, BackwardTakesTheStartAsTheLastByte) {
  const auto r = Request("ab", true, true);
  EXPECT_EQ(Search("abab", r, 3), "2:2");
  EXPECT_EQ(Search("abab", r, 2), "0:2");  // the hit at 2 would end at 3
  EXPECT_EQ(Search("abab", r, 0), "none");
  EXPECT_EQ(Search("abab", r, 99), "2:2");
  EXPECT_EQ(Search("abab", r, -1), "none");
  EXPECT_EQ(Search("xAB\x84", Request("ab\xE4", false, true), 3), "1:3");
  EXPECT_EQ(Search("x\x84\xE4", Request("\xE4", true, true), 2), "2:1");
  EXPECT_EQ(Search("x\x84\xC4", Request("\xE4", true, true), 2), "1:1");
}

// The plain variants against a direct reading of their rule, on texts long enough for the
// chunked scan and with hits near every boundary.
TEST(SearchEngineTest, PlainVariantsAgreeWithTheRule) {
  const std::string alphabet("aAzZ\xE4\xC4\x84\x8E\xDF\xE1 -", 12);
  auto plainEq = [](uint8_t t, uint8_t p) {
    const uint8_t w[] = {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xF6, 0xFC};
    const uint8_t d[] = {0x8E, 0x99, 0x9A, 0xE1, 0x84, 0x94, 0x81};
    if (t == p) return true;
    for (int i = 0; i < 7; ++i)
      if (p == w[i] && t == d[i]) return true;
    return false;
  };
  auto foldEq = [](uint8_t t, uint8_t p) {
    return search_chars::PlainFold(t) == search_chars::PlainFold(p);
  };
  std::mt19937 rng(77);
  for (int n = 0; n < 4000; ++n) {
    std::string text(rng() % 70, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    std::string pattern(1 + rng() % 3, ' ');
    for (char& c : pattern) c = alphabet[rng() % alphabet.size()];
    const bool caseSensitive = rng() % 2 == 0;
    const bool backward = rng() % 2 == 0;
    const int32_t start = static_cast<int32_t>(rng() % (text.size() + 2));
    auto at = [&](size_t p) {
      for (size_t i = 0; i < pattern.size(); ++i) {
        const uint8_t t = static_cast<uint8_t>(text[p + i]), q = static_cast<uint8_t>(pattern[i]);
        if (!(caseSensitive ? plainEq(t, q) : foldEq(t, q))) return false;
      }
      return true;
    };
    int64_t expected = -1;
    const int64_t m = static_cast<int64_t>(pattern.size());
    const int64_t size = static_cast<int64_t>(text.size());
    if (backward) {
      for (int64_t p = std::min<int64_t>(start - m + 1, size - m); p >= 0 && expected < 0; --p)
        if (at(static_cast<size_t>(p))) expected = p;
    } else {
      for (int64_t p = start; p + m <= size && expected < 0; ++p)
        if (at(static_cast<size_t>(p))) expected = p;
    }
    const auto r = Request(pattern.c_str(), caseSensitive, backward);
    TSearchMatch hit;
    const bool found = SearchText(text.data(), static_cast<int32_t>(text.size()), r, start, &hit);
    ASSERT_EQ(found, expected >= 0) << n;
    if (found) {
      ASSERT_EQ(hit.Offset, expected) << n;
    }
  }
}

TEST(SearchEngineTest, WholeWords) {
  const auto er = Request("er", true, false, true);
  EXPECT_EQ(Search("Lad-er", er), "none");
  EXPECT_EQ(Search("Lad_er", er), "none");
  EXPECT_EQ(Search("L\xE4" "er", er), "none");  // an umlaut is part of a word
  EXPECT_EQ(Search("x er y", er), "2:2");
  EXPECT_EQ(Search("x er,", er), "2:2");
  EXPECT_EQ(Search("er", er), "0:2");
  EXPECT_EQ(Search("\ter\x01", er), "1:2");
  // After a rejected hit the search goes on from its end.
  EXPECT_EQ(Search("ever er", er), "5:2");
  EXPECT_EQ(Search("eree er", Request("ere", true, false, true)), "none");
  // Backward, from the byte before the rejected hit.
  EXPECT_EQ(Search("er ever", Request("er", true, true, true), 6), "0:2");
  EXPECT_EQ(Search("-er", Request("er", false, true, true), 2), "none");
}

TEST(SearchEngineTest, WordCharacters) {
  using search_chars::IsWordChar;
  for (int c = 0; c < 0x28; ++c) EXPECT_FALSE(IsWordChar(static_cast<uint8_t>(c))) << c;
  for (uint8_t c : {'-', '_', '0', '9', 'A', 'Z', 'a', 'z'}) EXPECT_TRUE(IsWordChar(c));
  for (uint8_t c : {0x81, 0x84, 0x8E, 0x94, 0x99, 0x9A, 0xC4, 0xD6, 0xDC, 0xDF, 0xE1, 0xE4, 0xF6, 0xFC})
    EXPECT_TRUE(IsWordChar(c));
  int count = 0;
  for (int c = 0; c < 256; ++c) count += IsWordChar(static_cast<uint8_t>(c));
  EXPECT_EQ(count, 2 + 10 + 26 + 26 + 14);
}

TEST(SearchEngineTest, RegularExpressionThroughTheEngine) {
  const auto r = Request("Ziel[a-z]+e", true, true, false, true);  // backward is ignored
  EXPECT_EQ(Search("Zielmarke Zielgerade", r, 1), "10:10");
  // Compiled ignoring case exactly when not case-sensitive.
  EXPECT_EQ(Search("ZIELMARKE", Request("ziel[a-z]+e", false, false, false, true)), "0:9");
  EXPECT_EQ(Search("ZIELMARKE", Request("ziel[a-z]+e", true, false, false, true)), "none");
  EXPECT_EQ(Search("x", Request("[x", true, false, false, true)), "bad pattern");
}

TEST(SearchEngineTest, RegularExpressionWholeWords) {
  const auto r = Request("a:d*", true, false, true, true);
  EXPECT_EQ(Search("ba1 a12 ", r), "4:3");
  // A rejected empty match still moves the search on.
  const auto empty = Request("z*", true, false, true, true);
  EXPECT_EQ(Search("ab ", empty), "3:0");
  EXPECT_EQ(Search("ab", empty), "none");
  EXPECT_EQ(Search("x-", empty, 1), "none");
}

TEST(SearchEngineTest, EngineRequestFromTheSearchRequest) {
  TSearchRequest s;
  std::strcpy(s.SearchText, "abc");
  s.Backward = true;
  s.WholeWords = true;
  TEngineRequest e = MakeEngineRequest(s);
  EXPECT_STREQ(e.SearchText, "abc");
  EXPECT_TRUE(e.Backward);
  EXPECT_TRUE(e.WholeWords);
  EXPECT_FALSE(e.CaseSensitive);
  s.RegularExpression = true;
  e = MakeEngineRequest(s);
  EXPECT_FALSE(e.Backward);
  EXPECT_TRUE(e.RegularExpression);
}

}  // namespace
