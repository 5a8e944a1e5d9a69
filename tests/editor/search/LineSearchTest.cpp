// The line driver over a document and the buffer search: directions, the memory of the
// last match, empty matches, selection bounds and the message hook.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "editor/search/BufferSearch.h"
#include "editor/search/LineSearch.h"
#include "editor/search/SearchEngine.h"

namespace {

TEngineRequest Request(const char* text, bool backward = false, bool regExp = false) {
  TEngineRequest r;
  std::strncpy(r.SearchText, text, kSearchTextMax);
  r.CaseSensitive = true;
  r.Backward = backward;
  r.RegularExpression = regExp;
  return r;
}

class LineSearchTest : public ::testing::Test {
 protected:
  void SetLines(std::initializer_list<const char*> texts) {
    Lines.Empty();
    for (const char* t : texts) ASSERT_TRUE(Lines.AddCopy(t));
  }
  // "line:column:length" of the next hit, or "none".
  std::string Next(const TEngineRequest& r, int32_t line, int32_t column) {
    if (PrepareEngine(r, Rx) != reOk) return "bad pattern";
    TSearchHit hit;
    if (!Driver.Find(Lines, r, TTextPos{column, line}, &hit, Rx)) return "none";
    return Text(hit);
  }
  std::string InBlock(const TEngineRequest& r, const TSearchBlock& block, int32_t line,
                      int32_t column) {
    if (PrepareEngine(r, Rx) != reOk) return "bad pattern";
    TSearchHit hit;
    if (!Driver.FindInBlock(Lines, r, block, TTextPos{column, line}, &hit, Rx)) return "none";
    return Text(hit);
  }
  static std::string Text(const TSearchHit& h) {
    return std::to_string(h.Line) + ":" + std::to_string(h.Column) + ":" + std::to_string(h.Length);
  }

  TTextLines Lines;
  TLineSearch Driver;
  TRegExp Rx;
};

TEST_F(LineSearchTest, ForwardOverLines) {
  SetLines({"abc", "", "xab", "ab"});
  const auto r = Request("ab");
  EXPECT_EQ(Next(r, 0, 0), "0:0:2");
  EXPECT_EQ(Next(r, 0, 2), "2:1:2");
  EXPECT_EQ(Next(r, 2, 3), "3:0:2");
  EXPECT_EQ(Next(r, 3, 1), "none");
  EXPECT_FALSE(Driver.HasLastMatch());
  EXPECT_EQ(Next(r, 0, 99), "2:1:2");  // a cursor beyond the line end
  EXPECT_EQ(Next(r, -3, -3), "0:0:2");
}

TEST_F(LineSearchTest, BackwardOverLines) {
  SetLines({"ab", "", "xab abc"});
  const auto r = Request("ab", true);
  EXPECT_EQ(Next(r, 2, 6), "2:4:2");
  // From the place of the last hit the driver steps one column left.
  EXPECT_EQ(Next(r, 2, 4), "2:1:2");
  EXPECT_EQ(Next(r, 2, 1), "0:0:2");
  EXPECT_EQ(Next(r, 0, 0), "none");
  EXPECT_EQ(Next(r, 99, 0), "2:4:2");  // beyond the text: from its last character
  EXPECT_EQ(Next(r, 2, -1), "0:0:2");  // before the line start: the previous lines
  EXPECT_EQ(Next(r, 0, -1), "none");
}

TEST_F(LineSearchTest, EmptyMatchesAdvance) {
  SetLines({"ab", "", "c"});
  const auto r = Request("x*", false, true);
  // Find next from the place of an empty hit moves on by one column, then to the next line.
  const char* expected[] = {"0:0:0", "0:1:0", "0:2:0", "1:0:0", "2:0:0", "2:1:0"};
  int32_t line = 0, column = 0;
  for (const char* e : expected) {
    ASSERT_EQ(Next(r, line, column), e);
    line = Driver.LastMatch().Line;
    column = Driver.LastMatch().Column + Driver.LastMatch().Length;
  }
  EXPECT_EQ(Next(r, line, column), "none");
}

TEST_F(LineSearchTest, NonEmptyMatchIsNotStepped) {
  SetLines({"aaa"});
  const auto r = Request("a", false, true);
  EXPECT_EQ(Next(r, 0, 0), "0:0:1");
  EXPECT_EQ(Next(r, 0, 0), "0:0:1");  // only an empty hit is stepped over
  Driver.Forget();
  EXPECT_FALSE(Driver.HasLastMatch());
}

TEST_F(LineSearchTest, RegularExpressionsRunForward) {
  SetLines({"a1", "b2"});
  EXPECT_EQ(Next(Request(":d", true, true), 1, 0), "1:1:1");
  EXPECT_EQ(Next(Request("^b", false, true), 0, 0), "1:0:1");
  EXPECT_EQ(Next(Request("[", false, true), 0, 0), "bad pattern");
}

TEST_F(LineSearchTest, PumpsOneMessageBetweenLines) {
  SetLines({"a", "b", "c", "d"});
  int pumped = 0;
  Driver.PumpOneMessage = [&] { ++pumped; };
  EXPECT_EQ(Next(Request("d"), 0, 0), "3:0:1");
  EXPECT_EQ(pumped, 3);
  pumped = 0;
  EXPECT_EQ(Next(Request("a", true), 3, 0), "0:0:1");
  EXPECT_EQ(pumped, 3);
  pumped = 0;
  EXPECT_EQ(Next(Request("a"), 0, 0), "0:0:1");
  EXPECT_EQ(pumped, 0);
}

TEST_F(LineSearchTest, StreamBlock) {
  SetLines({"ab ab", "ab", "ab ab"});
  const TSearchBlock block{TTextRange{0, 2, 2, 2}, false};
  const auto r = Request("ab");
  // The hit at (0,0) is before the block on its first line: passed over.
  EXPECT_EQ(InBlock(r, block, 0, 0), "0:3:2");
  EXPECT_EQ(InBlock(r, block, 0, 4), "1:0:2");
  EXPECT_EQ(InBlock(r, block, 1, 1), "2:0:2");
  // (2,3) ends beyond the block's end on its last line; nothing follows.
  EXPECT_EQ(InBlock(r, block, 2, 1), "none");
  // Backward from the block end.
  const auto b = Request("ab", true);
  EXPECT_EQ(InBlock(b, block, 2, 2), "2:0:2");
  EXPECT_EQ(InBlock(b, block, 0, 4), "0:3:2");
  EXPECT_EQ(InBlock(b, block, 0, 2), "none");  // (0,0) lies before the block start
}

TEST_F(LineSearchTest, HitOutsideTheBlockLinesEndsTheSearch) {
  SetLines({"x", "ab", "x", "ab"});
  const TSearchBlock block{TTextRange{0, 0, 2, 1}, false};
  EXPECT_EQ(InBlock(Request("ab"), block, 2, 0), "none");
  EXPECT_FALSE(Driver.HasLastMatch());
}

TEST_F(LineSearchTest, ColumnBlock) {
  SetLines({"ab ab ab", "abab", "   ab"});
  // Columns 2 to 6 of lines 0 to 2, the corners given in either order.
  const TSearchBlock block{TTextRange{0, 6, 2, 2}, true};
  const auto r = Request("ab");
  EXPECT_EQ(InBlock(r, block, 0, 0), "0:3:2");
  EXPECT_EQ(InBlock(r, block, 0, 5), "1:2:2");
  EXPECT_EQ(InBlock(r, block, 1, 3), "2:3:2");
  const auto b = Request("ab", true);
  EXPECT_EQ(InBlock(b, block, 2, 6), "2:3:2");
  EXPECT_EQ(InBlock(b, block, 1, 1), "0:3:2");
}

TEST_F(LineSearchTest, FirstSearchStart) {
  SetLines({"abc", "de"});
  TSearchRequest req;
  TTextPos start;
  const TTextPos cursor{1, 1};
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, nullptr, &start));
  EXPECT_EQ(start, (TTextPos{0, 0}));
  req.Backward = true;
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, nullptr, &start));
  EXPECT_EQ(start, (TTextPos{1, 1}));  // the last character of the last line
  req.RegularExpression = true;        // forward after all
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, nullptr, &start));
  EXPECT_EQ(start, (TTextPos{0, 0}));
  req.FromCursor = true;
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, nullptr, &start));
  EXPECT_EQ(start, cursor);
  req.SelectionOnly = true;
  EXPECT_FALSE(FirstSearchStart(Lines, req, cursor, nullptr, &start));
  const TTextRange selection{0, 1, 1, 2};
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, &selection, &start));
  EXPECT_EQ(start, (TTextPos{1, 0}));
  req.RegularExpression = false;
  ASSERT_TRUE(FirstSearchStart(Lines, req, cursor, &selection, &start));
  EXPECT_EQ(start, (TTextPos{2, 1}));
}

class BufferSearchTest : public ::testing::Test {
 protected:
  std::string Next(const TEngineRequest& r, std::string_view data, int64_t start,
                   int64_t low = 0, int64_t high = -1) {
    if (PrepareEngine(r, Rx) != reOk) return "bad pattern";
    if (high < 0) high = static_cast<int64_t>(data.size());
    TSearchMatch m;
    if (!Search.Find(data.data(), static_cast<int64_t>(data.size()), r, start, &m, low, high, Rx))
      return "none";
    return std::to_string(m.Offset) + ":" + std::to_string(m.Length);
  }
  TBufferSearch Search;
  TRegExp Rx;
};

TEST_F(BufferSearchTest, HitAfterHitOverBinaryData) {
  const std::string data("ab\0ab\r\nab", 9);
  const auto r = Request("ab");
  EXPECT_EQ(Next(r, data, 0), "0:2");
  EXPECT_EQ(Next(r, data, 2), "3:2");
  EXPECT_EQ(Next(r, data, 5), "7:2");
  EXPECT_EQ(Next(r, data, 9), "none");
  const auto lineStart = Request("^ab", false, true);
  EXPECT_EQ(Next(lineStart, data, 1), "3:2");  // after the zero byte
  EXPECT_EQ(Next(lineStart, data, 4), "7:2");  // after CR LF
}

TEST_F(BufferSearchTest, EmptyHitsAdvanceAndBoundsHold) {
  const auto r = Request("x*", false, true);
  EXPECT_EQ(Next(r, "ab", 0), "0:0");
  EXPECT_EQ(Next(r, "ab", 0), "1:0");
  EXPECT_EQ(Next(r, "ab", 1), "2:0");
  EXPECT_EQ(Next(r, "ab", 2), "none");
  // Only hits inside [low, high) count.
  const auto ab = Request("ab");
  EXPECT_EQ(Next(ab, "abababab", 0, 1, 6), "2:2");
  EXPECT_EQ(Next(ab, "abababab", 3, 1, 6), "4:2");
  EXPECT_EQ(Next(ab, "abababab", 5, 1, 6), "none");  // (6,2) ends beyond the bound
}

TEST_F(BufferSearchTest, Backward) {
  const auto r = Request("ab", true);
  EXPECT_EQ(Next(r, "abxab", 4), "3:2");
  EXPECT_EQ(Next(r, "abxab", 3), "0:2");   // the last hit's place: one byte left
  EXPECT_EQ(Next(r, "abxab", 0), "none");
  EXPECT_EQ(Next(r, "ababab", 5, 1, 5), "2:2");  // (4,2) straddles the upper bound
  EXPECT_EQ(Next(r, "ababab", 2, 1, 5), "none"); // (0,2) starts before the lower bound
  EXPECT_EQ(Next(r, "", 0), "none");
}

}  // namespace

namespace {

TEST(BufferBytesTest, HexBytesMatchExactly) {
  TBufferSearch search;
  const std::string data("\x84\0\xE4\0\xE4", 5);
  const std::string bytes("\xE4\0", 2);
  TSearchMatch m;
  ASSERT_TRUE(search.FindBytes(data.data(), 5, bytes, false, 0, &m, 0, 5));
  EXPECT_EQ(m.Offset, 2);  // not the DOS ä at 0
  EXPECT_FALSE(search.FindBytes(data.data(), 5, bytes, false, 3, &m, 0, 5));
  ASSERT_TRUE(search.FindBytes(data.data(), 5, bytes, true, 4, &m, 0, 5));
  EXPECT_EQ(m.Offset, 2);
  EXPECT_FALSE(search.FindBytes(data.data(), 5, bytes, true, 2, &m, 0, 5));  // one byte left
  EXPECT_FALSE(search.FindBytes(data.data(), 5, bytes, false, 0, &m, 0, 3));  // beyond bound
  EXPECT_FALSE(search.FindBytes(data.data(), 5, "", false, 0, &m, 0, 5));
}

}  // namespace
