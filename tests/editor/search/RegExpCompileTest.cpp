// Compilation of patterns: the byte code and every compile error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/search/RegExp.h"

namespace {

std::vector<int> CodeOf(const char* pattern, bool caseInsensitive = false) {
  TRegExp rx;
  EXPECT_EQ(rx.Compile(pattern, caseInsensitive), reOk) << pattern;
  return std::vector<int>(rx.Code(), rx.Code() + rx.CodeLength());
}

int ErrorOf(std::string_view pattern) {
  TRegExp rx;
  return rx.Compile(pattern, false);
}

TEST(RegExpCompileTest, ItemsAndAnchors) {
  EXPECT_EQ(CodeOf("a"), (std::vector<int>{1, 'a', 15, 0}));
  EXPECT_EQ(CodeOf("^.?$"), (std::vector<int>{2, 4, 4, 3, 15, 0}));
  EXPECT_EQ(CodeOf(":a:D:n: "), (std::vector<int>{10, 11, 12, 13, 15, 0}));
  EXPECT_EQ(CodeOf("\\.\\*"), (std::vector<int>{1, '.', 1, '*', 15, 0}));
  EXPECT_EQ(CodeOf("a\\"), (std::vector<int>{1, 'a', 1, '\\', 15, 0}));
  EXPECT_EQ(CodeOf(""), (std::vector<int>{15, 0}));
  // "^" and "$" are anchors anywhere.
  EXPECT_EQ(CodeOf("a^b"), (std::vector<int>{1, 'a', 2, 1, 'b', 15, 0}));
}

TEST(RegExpCompileTest, RepetitionWrapsTheLastItem) {
  EXPECT_EQ(CodeOf("ab*"), (std::vector<int>{1, 'a', 7, 1, 'b', 15, 15, 0}));
  EXPECT_EQ(CodeOf("a+"), (std::vector<int>{8, 1, 'a', 15, 15, 0}));
  EXPECT_EQ(CodeOf(".-"), (std::vector<int>{9, 4, 15, 15, 0}));
  EXPECT_EQ(CodeOf("[xy]*:d+"), (std::vector<int>{7, 5, 3, 'x', 'y', 15, 8, 11, 15, 15, 0}));
}

TEST(RegExpCompileTest, Classes) {
  EXPECT_EQ(CodeOf("[a-c]"), (std::vector<int>{5, 4, 14, 'a', 'c', 15, 0}));
  EXPECT_EQ(CodeOf("[^ab]"), (std::vector<int>{6, 3, 'a', 'b', 15, 0}));
  // "-" first or last is a member; so is an escaped "]".
  EXPECT_EQ(CodeOf("[-a]"), (std::vector<int>{5, 3, '-', 'a', 15, 0}));
  EXPECT_EQ(CodeOf("[a-]"), (std::vector<int>{5, 3, 'a', '-', 15, 0}));
  EXPECT_EQ(CodeOf("[\\]]"), (std::vector<int>{5, 2, ']', 15, 0}));
  // A range cannot take a further "-": the "-" becomes a member.
  EXPECT_EQ(CodeOf("[a-c-e]"), (std::vector<int>{5, 6, 14, 'a', 'c', '-', 'e', 15, 0}));
  // Inside a class the special characters are plain members.
  EXPECT_EQ(CodeOf("[.*^]"), (std::vector<int>{5, 4, '.', '*', '^', 15, 0}));
}

TEST(RegExpCompileTest, CaseInsensitiveFoldsLiteralsAndMembers) {
  EXPECT_EQ(CodeOf("a\x84\xE4", true), (std::vector<int>{1, 'A', 1, 0x8E, 1, 0xE4, 15, 0}));
  EXPECT_EQ(CodeOf("[a-z\x81]", true), (std::vector<int>{5, 5, 14, 'A', 'Z', 0x9A, 15, 0}));
  EXPECT_EQ(CodeOf("a", false), (std::vector<int>{1, 'a', 15, 0}));
}

TEST(RegExpCompileTest, RepetitionErrors) {
  for (const char* p : {"*", "+a", "-", "^*", "$+", "a**", "a*+", "a+-", "x^-"})
    EXPECT_EQ(ErrorOf(p), reBadRepeat) << p;
}

TEST(RegExpCompileTest, NamedSetAndClassErrors) {
  EXPECT_EQ(ErrorOf(":x"), reBadNamedSet);
  EXPECT_EQ(ErrorOf("ab:"), reColonAtEnd);
  EXPECT_EQ(ErrorOf("[ab\\"), reBackslashAtEnd);
  EXPECT_EQ(ErrorOf("[a-\\"), reBackslashAtEnd);
  EXPECT_EQ(ErrorOf("[abc"), reOpenClass);
  EXPECT_EQ(ErrorOf("["), reOpenClass);
  EXPECT_EQ(ErrorOf("[a-"), reOpenClass);
  EXPECT_EQ(ErrorOf("[]"), reEmptyClass);
  EXPECT_EQ(ErrorOf("[^]"), reEmptyClass);
}

TEST(RegExpCompileTest, ClassLengthLimit) {
  // The largest class that leaves room for the two closing bytes.
  TRegExp rx;
  EXPECT_EQ(rx.Compile("[" + std::string(252, 'm') + "]", false), reOk);
  EXPECT_EQ(rx.Code()[1], 253);
  EXPECT_EQ(rx.CodeLength(), 256u);
  // A length byte of 255 is allowed but the code overflows; 256 is a class error.
  EXPECT_EQ(ErrorOf("[" + std::string(254, 'm') + "]"), reTooLong);
  EXPECT_EQ(ErrorOf("[" + std::string(255, 'm') + "]"), reClassTooLong);
  EXPECT_EQ(ErrorOf("[" + std::string(300, 'm')), reClassTooLong);
}

TEST(RegExpCompileTest, CodeLengthLimit) {
  TRegExp rx;
  EXPECT_EQ(rx.Compile(std::string(127, 'a'), false), reOk);
  EXPECT_EQ(rx.CodeLength(), 256u);
  EXPECT_EQ(ErrorOf(std::string(128, 'a')), reTooLong);
  // A repetition needs two more bytes.
  EXPECT_EQ(ErrorOf(std::string(126, 'a') + ".*"), reTooLong);
  EXPECT_EQ(ErrorOf(std::string(125, 'a') + ".*"), reOk);
}

TEST(RegExpCompileTest, FailedCompileLeavesNoPattern) {
  TRegExp rx;
  ASSERT_EQ(rx.Compile("a", false), reOk);
  EXPECT_EQ(rx.Compile("[", false), reOpenClass);
  EXPECT_FALSE(rx.IsCompiled());
  TRegExpMatch m;
  EXPECT_FALSE(rx.FindForward("a", 1, 0, &m));
  EXPECT_EQ(rx.Match("a", 1, 0), -1);
}

TEST(RegExpCompileTest, ProgramPatternIsShared) {
  ASSERT_EQ(ProgramRegExp().Compile("q", false), reOk);
  EXPECT_EQ(&ProgramRegExp(), &ProgramRegExp());
  EXPECT_EQ(ProgramRegExp().Code()[1], 'q');
}

}  // namespace
