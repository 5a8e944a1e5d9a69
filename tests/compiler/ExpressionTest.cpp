// Expressions, numbers, parameter patterns and the instruction table.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "compiler/core/CommandTable.h"
#include "compiler/core/Expression.h"
#include "compiler/core/Parameter.h"

namespace {

class TFakeTerms : public TExpressionTerms {
 public:
  int32_t DriverEntry(int32_t n) override { return n == 8 ? 0x8000 : -1; }
  int32_t ParameterOffset(int32_t n) override {
    LastParameter = n;
    return n == kCurrentParameter ? 77 : n == 2 ? 12 : 0;
  }
  int32_t SymbolValue(std::string_view name) override {
    auto it = Symbols.find(std::string(name));
    return it == Symbols.end() ? 0 : it->second;
  }
  int32_t Variable(int32_t n) override { return n >= 0 && n < 100 ? n * 10 : 0; }
  std::map<std::string, int32_t> Symbols{{"TAB", 40}};
  int32_t LastParameter = -5;
};

int32_t Eval(std::string_view text) {
  TFakeTerms terms;
  return EvaluateExpression(text, terms);
}

TEST(ExpressionTest, StrictlyLeftToRight) {
  EXPECT_EQ(Eval("3+4*2"), 14);
  EXPECT_EQ(Eval("10-2-3"), 5);
  EXPECT_EQ(Eval("7/2*2"), 6);
  EXPECT_EQ(Eval("5==5"), 1);
  EXPECT_EQ(Eval("5==6"), 0);
  EXPECT_EQ(Eval("5=!6"), 1);
  EXPECT_EQ(Eval("2<3"), 1);
  EXPECT_EQ(Eval("2>3"), 0);
  EXPECT_EQ(Eval("1+2==3"), 1);
  EXPECT_EQ(Eval("-5"), -5);
  EXPECT_EQ(Eval("3--2"), 5);
}

TEST(ExpressionTest, Terms) {
  EXPECT_EQ(Eval("B8"), 0x8000);
  EXPECT_EQ(Eval("B8+1"), 0x8001);
  EXPECT_EQ(Eval("I2"), 12);
  EXPECT_EQ(Eval("I#"), 77);
  EXPECT_EQ(Eval("MTAB/2"), 20);
  EXPECT_EQ(Eval("MNONE"), 0);
  EXPECT_EQ(Eval("V7"), 70);
  EXPECT_EQ(Eval("V99"), 990);
  EXPECT_EQ(Eval("V100"), 0);
  TFakeTerms terms;
  (void)EvaluateExpression("I#", terms);
  EXPECT_EQ(terms.LastParameter, kCurrentParameter);
  (void)EvaluateExpression("I-1", terms);  // the term ends at the operator: I0 - 1
  EXPECT_EQ(terms.LastParameter, 0);
}

TEST(ExpressionTest, NumbersAndFaultyInput) {
  EXPECT_EQ(ParseMacroNumber("0FFh"), 255);
  EXPECT_EQ(ParseMacroNumber("7fffffffH"), 0x7FFFFFFF);
  EXPECT_EQ(ParseMacroNumber("101b"), 5);
  EXPECT_EQ(ParseMacroNumber("-12"), -12);
  EXPECT_EQ(ParseMacroNumber("12x"), 12);
  EXPECT_EQ(ParseMacroNumber(""), 0);
  EXPECT_EQ(Eval("5/0"), 0);
  EXPECT_EQ(Eval("-2147483648/-1"), INT32_MIN);  // wraps instead of trapping
  EXPECT_EQ(Eval("*+"), 0);
  EXPECT_EQ(Eval("2*"), 2);
}

TEST(ParameterPatternTest, FilterAlternatives) {
  EXPECT_TRUE(PassesFilter("LOOPm", "?m/?w"));
  EXPECT_TRUE(PassesFilter("E12w", "?m/?w"));
  EXPECT_TRUE(PassesFilter("$w", "?m/?w"));
  EXPECT_FALSE(PassesFilter("Eb", "?m/?w"));
  EXPECT_TRUE(PassesFilter("Eb", "Ew%Eb"));
  EXPECT_FALSE(PassesFilter("Ab", "Ew%Eb"));
  // After a "?" alternative every later one compares the last character only.
  EXPECT_TRUE(PassesFilter("Xb", "?m/b"));
  EXPECT_FALSE(PassesFilter("", "?m"));
  EXPECT_TRUE(PassesFilter("anything", ""));
  EXPECT_TRUE(PassesFilter("", "Ew/"));  // an empty last alternative takes the empty form
  EXPECT_FALSE(PassesFilter("", "Ew"));
  EXPECT_TRUE(PassesFilter("A?", "??x"));  // only the first "?" of an alternative is special
}

TEST(ParameterPatternTest, FilterTakesItsNewText) {
  TParameterFilter filter;
  EXPECT_TRUE(filter.Passes("Eb"));  // nothing set yet
  filter.Set("?m/?w");
  EXPECT_FALSE(filter.Passes("Eb"));
  filter.Set("Eb");
  EXPECT_TRUE(filter.Passes("Eb"));
  EXPECT_FALSE(filter.Passes("Xw"));
  filter.Set("");
  EXPECT_TRUE(filter.Passes("Xw"));
  filter.Set("?m/?w");
  EXPECT_TRUE(filter.Passes("Xw"));
}

// The form test on the parameter itself agrees with the test on its form text.
TEST(ParameterPatternTest, FormFitsAgreesWithTheFormText) {
  const std::pair<const char*, char> parameters[] = {
      {"E", pkWord}, {"E", pkBit}, {"$", pkWord}, {"LOOP", pkName}, {"E", 0}, {"", 0}, {"", pkBit}};
  for (const auto& [name, kind] : parameters) {
    ParameterData p;
    p.Name = name;
    p.Kind = kind;
    for (const char* argument : {"Ew", "Eb", "E", "?w", "?b", "?E", "?", "", "$w", "LOOPm",
                                 "LOOP", "b", "Ewx", "w"})
      EXPECT_EQ(p.FormFits(argument), MatchesPattern(p.Form(), "", argument))
          << p.Form() << " against " << argument;
  }
}

TEST(ParameterPatternTest, GparArgument) {
  EXPECT_TRUE(MatchesPattern("Ew", "?w/?b", "Ew"));
  EXPECT_FALSE(MatchesPattern("Aw", "?w/?b", "Ew"));
  EXPECT_TRUE(MatchesPattern("Ab", "?w/?b", "?b"));
  EXPECT_FALSE(MatchesPattern("Ab", "?w", "?b"));  // refused by the filter
  EXPECT_FALSE(MatchesPattern("Ab", "", "?"));
  ParameterData p;
  p.Name = "E";
  p.Kind = pkBit;
  EXPECT_EQ(p.Form(), "Eb");
  p.Kind = 0;
  EXPECT_EQ(p.Form(), "E");
}

TEST(CommandTableTest, EveryWordOfTheTextIsKnown) {
  EXPECT_EQ(LookUpMacroWord("P"), mcP);
  EXPECT_EQ(LookUpMacroWord("#S"), mcS);
  EXPECT_EQ(LookUpMacroWord("}"), mcBlock);
  EXPECT_EQ(LookUpMacroWord("SM$"), mcSMDollar);
  EXPECT_EQ(LookUpMacroWord("GVAR"), mcGVar);
  EXPECT_EQ(LookUpMacroWord("DRIVER_VERS"), mcDriverVers);
  EXPECT_EQ(LookUpMacroWord("gcmd"), mcNone);  // case-sensitive
  EXPECT_EQ(LookUpMacroWord("X"), mcNone);
  int entries = 0;
  for (char c : kCommandTableText) entries += c == ',' ? 1 : 0;
  EXPECT_EQ(entries + 1, 37);
}

}  // namespace
