// Each macro instruction, driven through small definitions and one-line sources.
#include <gtest/gtest.h>

#include "compiler/core/Reporter.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

class MacroMachineTest : public ::testing::Test {
 protected:
  // Compiles `source` with a command macro body and returns the record body.
  std::string Run(std::string_view source, std::string_view command, std::string_view init = "",
                  std::string_view extra = "") {
    Vel.Compile(source, DefinitionText(init, command, extra));
    return Vel.Body();
  }
  TVelRun Vel;
};

TEST_F(MacroMachineTest, LiteralBytesAndValues) {
  EXPECT_EQ(Run("X()", "  db 1, 2\n  @ VAR W 3+4*2\n  @ VAR B\n  @ VAR L 0FFh\n  @ VAR Q 5"),
            Bytes({1, 2, 14, 0, 0, 0xFF, 0, 0, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(MacroMachineTest, OffsetsOfConstantsAndOperands) {
  // A constant is written as it is, an operand offset doubled (word to byte address).
  EXPECT_EQ(Run("X(5, E3)", "  @ P 0 -> OP\n  @ P 1 -> OP", "", "OP: @ #O W 1\n @"),
            Bytes({6, 0, 7, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(MacroMachineTest, SymbolAndBitOperands) {
  const char* init = "  @ SM E 3 100h";
  EXPECT_EQ(Run("X(E3.9)", "  @ #A W 3\n  @ #B B 1 80h 7", init), Bytes({0x07, 0x01, 0x82}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  EXPECT_EQ(Run("X(E3)", "  @ #S W 2", init), Bytes({0x02, 0x01}));
  EXPECT_EQ(Run("X(7)", "  @ #S W 2"), "");  // a constant names no symbol
  EXPECT_EQ(Vel.Result, 0);
}

TEST_F(MacroMachineTest, BitInstructionsRefuseWrongKinds) {
  Run("X(7)", "  @ #A W");
  EXPECT_TRUE(Vel.Has(msgBadMacro));
  Run("X(E3)", "  @ #B B");
  EXPECT_TRUE(Vel.Has(msgBadMacro));
  EXPECT_NE(Vel.Result, 0);
  EXPECT_EQ(Vel.Record(), "");
}

TEST_F(MacroMachineTest, JumpParameterAndMissingParameters) {
  EXPECT_EQ(Run("L: X(L)", "  db 40h\n  @ J P 0"), Bytes({0x40, 7, 0, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // J writes nothing for an operand and leaves it unconsumed.
  EXPECT_EQ(Run("X(E1)", "  @ J P 0"), "");
  EXPECT_EQ(Vel.Count(msgParamCount), 1);
  // P and J on an absent parameter stop the macro with 124.
  Run("X(,A)", "  @ P 0 -> SUB\n  db 1", "", "SUB: @\n");
  EXPECT_TRUE(Vel.Has(msgParamCount));
  Run("X()", "  @ J W 25");
  EXPECT_TRUE(Vel.Has(msgParamCount));
}

TEST_F(MacroMachineTest, LocalNamesArePerInvocation) {
  // Each command gets its own "_l"; the reference points behind its own 2 bytes.
  EXPECT_EQ(Run("X() X()", "  @ M W _l\n  @ SM$ _l C"), Bytes({9, 0, 11, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // A sub-macro called with I has its own number, so its "_l" differs from the caller's.
  EXPECT_EQ(Run("X()", "  @ M W _l\n  @ I -> SUB\n  @ SM$ _l C", "",
                "SUB: @ MD W _l\n @\n"),
            Bytes({11, 0, 0, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(MacroMachineTest, LineNumbersAndRelativeReferences) {
  EXPECT_EQ(Run("\n\nX()", "  @ EZ W"), Bytes({3, 0}));
  // JR: target - (lowest code address + position + width); the lowest code address is
  // label A at 7, B is at 9.
  EXPECT_EQ(Run("A: X() B: X()", "  @ JR W B"), Bytes({0xF9, 0xFF, 0xF7, 0xFF}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(MacroMachineTest, VariablesAndConditions) {
  EXPECT_EQ(Run("X()", "  @ SVAR V3 7\n  @ VAR B V3\n  @ SVAR V100 9\n  @ VAR B V100\n"
                       "  @ SVAR X 9\n  @ VAR B V0"),
            Bytes({7, 0, 0}));
  // Variables keep their values from one command to the next.
  EXPECT_EQ(Run("X() X() X()", "  @ SVAR V1 V1+1\n  @ VAR B V1"), Bytes({1, 2, 3}));
  EXPECT_EQ(Run("X()", "  @ GVAR 0 -> NO\n  db 1\n  @ GVAR 2==2 -> NO\n  db 2", "",
                "NO: db 3\n @\n"),
            Bytes({1, 3}));
  Run("X()", "  @ TLD 5 0 4\n  @ TLD 5 5 5\n  @ TLD -1");
  EXPECT_EQ(Vel.Count(msgAddressRange), 1);
}

TEST_F(MacroMachineTest, CommandNamesIgnoreCase) {
  const char* body = "  @ GCMD Alpha -> A\n  @ NCMD beta -> NB\n  db 2\n  @\nA: db 1\n  @\nNB: db 3";
  EXPECT_EQ(Run("ALPHA() BETA() gamma()", body), Bytes({1, 2, 3}));
  // No command name at all also takes NCMD's jump.
  EXPECT_EQ(Run("()", body), Bytes({3}));
}

TEST_F(MacroMachineTest, ErrorReportsWithLinePrefixAndContinues) {
  EXPECT_EQ(Run("\nX()", "  @ ERROR 55\n  db 9\n  @ ERROR 17"), "");
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "[Zeile:2]  Unbekannter Befehl!");
  EXPECT_TRUE(Vel.Has(117));
  // A number without a text still gives an error naming the line and the number.
  Run("X()", "  @ ERROR 900");
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "[Zeile:1] 1000");
}

TEST_F(MacroMachineTest, RangeChecks) {
  const char* body = "  @ #TLW 2 10\n  @ #TLB 0 7";
  Run("X(E10.7)", body);
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  Run("X(E11.7)", body);
  EXPECT_TRUE(Vel.Has(msgOffsetRange));
  EXPECT_FALSE(Vel.Has(msgBitRange));
  Run("X(E1.8)", body);
  EXPECT_TRUE(Vel.Has(msgOffsetRange));
  EXPECT_TRUE(Vel.Has(msgBitRange));
  // hi defaults to -1, which compared unsigned is the largest value.
  Run("X(E65535)", "  @ #TLW");
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(MacroMachineTest, FilterAndPatterns) {
  const char* tpar = "  @ SPF ?m/?w\n  @ #TPAR";
  Run("X(LOOP) X(E1) X(7)", tpar);
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  Run("X(E1.2)", tpar);
  EXPECT_TRUE(Vel.Has(msgParamCombination));
  const char* gpar = "  @ #GPAR Ew -> W\n  @ #NPAR ?b -> NB\n  db 2\n  @\nW: db 1\n  @\nNB: db 3";
  EXPECT_EQ(Run("X(E1) X(E1.1) X(A1)", gpar), Bytes({1, 2, 3}));
}

TEST_F(MacroMachineTest, SymbolSizesAndValues) {
  const char* init = "  @ SMA V D 3\n  @ SMA W D 1";
  EXPECT_EQ(Run("X()", "  @ GMS W V\n  @ GMSW B V\n  @ SMS V 4\n  @ SMS NONE 4", init),
            Bytes({10, 0, 5}));  // references see the final size 2*4+2
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // MD may stay undefined: patched with 0 and no message.
  EXPECT_EQ(Run("X()", "  @ MD W NOWHERE"), Bytes({0, 0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  Run("X()", "  @ M W NOWHERE");
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "Marke \"NOWHERE\" hat kein Wert!");
}

TEST_F(MacroMachineTest, ResetAndRename) {
  // RNMX: references so far follow the renamed symbol (defined later under the new name);
  // the old name keeps its definition for later references.
  EXPECT_EQ(Run("X()", "  @ SM S 3 20h\n  @ M B S\n  @ RNMX S T\n  @ M B S\n  @ SM T 3 30h"),
            Bytes({0x30, 0x20}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  Run("X()", "  @ RNMX NONE T");
  EXPECT_TRUE(Vel.Has(msgInternal34));
  // RM makes a symbol undefined again, so it can be defined anew.
  EXPECT_EQ(Run("X()", "  @ SM S 3 20h\n  @ RM S\n  @ SM S 3 21h\n  @ M B S"), Bytes({0x21}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // SMO$ may be given again; SM$ may not.
  Run("X() X()", "  @ SMO$ S C");
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  Run("X() X()", "  @ SM$ S C");
  EXPECT_TRUE(Vel.Has(msgDefinedTwice));
}

TEST_F(MacroMachineTest, DriverEntriesAndVersion) {
  EXPECT_EQ(Run("X()", "  @ VAR W B5\n  @ VAR B B300\n  @ DRIVER_VERS"),
            Bytes({0xD2, 0x04, 0xFF}) + std::string("Treiber Vers.:01.00") + '\0');
}

TEST_F(MacroMachineTest, UnknownWordEndsTheMacro) {
  Run("X()", "  db 1\n  @ NOPE\n  @ ERROR 55");
  EXPECT_TRUE(Vel.Has(msgBadMacro));
  EXPECT_FALSE(Vel.Has(155));
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "Fehlerhaftes Macro in CFG File!");
}

TEST_F(MacroMachineTest, ArgumentsSeparatedBySemicolonsAndBlanks) {
  EXPECT_EQ(Run("X()", "  @    VAR;W;;300"), Bytes({0x2C, 0x01}));
}

}  // namespace
