// Escape expansion for regular expressions, hexadecimal input and the histories.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/search/SearchEscapes.h"

namespace {

std::string Expand(std::string_view text) {
  std::string out;
  EXPECT_TRUE(ExpandRegExpEscapes(text, &out)) << text;
  return out;
}

std::vector<int> Hex(std::string_view text) {
  uint8_t bytes[80];
  const int32_t n = ParseHexInput(text, bytes, 80);
  if (n < 0) return {-1};
  return std::vector<int>(bytes, bytes + n);
}

TEST(SearchEscapesTest, NamedEscapesInEitherCase) {
  EXPECT_EQ(Expand("a\\Fb\\fc"), "a\x0C" "b\x0C" "c");
  EXPECT_EQ(Expand("\\N\\n"), "\r\n\r\n");
  EXPECT_EQ(Expand("\\T\\t"), "\t\t");
  EXPECT_EQ(Expand("\\X41\\x7e\\XfF"), "A~\xFF");
  EXPECT_EQ(Expand("\\\\"), "\\");
}

TEST(SearchEscapesTest, OtherEscapesStayForTheExpression) {
  EXPECT_EQ(Expand("\\.\\*"), "\\.\\*");
  EXPECT_EQ(Expand("\\X4"), "\\X4");     // too short
  EXPECT_EQ(Expand("\\XG1"), "\\XG1");   // not hexadecimal
  EXPECT_EQ(Expand("ab\\"), "ab\\");     // a trailing backslash stays
  // "\\\\" gives one backslash, which then escapes what follows for the expression.
  EXPECT_EQ(Expand("\\\\\\T"), "\\\t");
  EXPECT_EQ(Expand(""), "");
}

TEST(SearchEscapesTest, ZeroByteIsRefused) {
  std::string out;
  EXPECT_FALSE(ExpandRegExpEscapes("a\\X00b", &out));
  EXPECT_TRUE(ExpandRegExpEscapes("a\\X01b", &out));
}

TEST(SearchEscapesTest, HexGroupsBetweenBlanks) {
  EXPECT_EQ(Hex("0A 1 FF"), (std::vector<int>{0x0A, 0x01, 0xFF}));
  EXPECT_EQ(Hex("  a  b1 "), (std::vector<int>{0x0A, 0xB1}));
  EXPECT_EQ(Hex("7"), (std::vector<int>{0x07}));
  EXPECT_EQ(Hex("0a1bFF"), (std::vector<int>{0x0A, 0x1B, 0xFF}));
}

TEST(SearchEscapesTest, HexInputRejected) {
  for (const char* bad : {"123", "0A 123", "0A1B 1", "1G", "0x12", "", "   ", "12\t34"})
    EXPECT_EQ(Hex(bad), (std::vector<int>{-1})) << bad;
  uint8_t two[2];
  EXPECT_EQ(ParseHexInput("01 02", two, 2), 2);
  EXPECT_EQ(ParseHexInput("01 02 03", two, 2), -1);
  EXPECT_EQ(ParseHexInput("010203", two, 2), -1);
}

}  // namespace
