// Block ends: braces, braceless blocks, nesting and the balance messages.
#include <gtest/gtest.h>

#include "compiler/core/Reporter.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

// B() opens a block (B0 and a 3-byte reference to its end), C() writes C0,
// D() refers to its block end twice.
const std::string kBlockDef = DefinitionText(
    "", "  @ GCMD B -> B\n  @ GCMD D -> D\n  db 0C0h\n  @\nB: db 0B0h\n  @ }\n  @\nD: @ }\n  @ }");

class BlockTest : public ::testing::Test {
 protected:
  std::string Run(std::string_view source) {
    Vel.Compile(source, kBlockDef);
    return Vel.Body();
  }
  TVelRun Vel;
};

TEST_F(BlockTest, BracesAndTheNextCommand) {
  EXPECT_EQ(Run("B() { C() C() } C()"), Bytes({0xB0, 13, 0, 0, 0xC0, 0xC0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // Without braces the block governs exactly the next command.
  EXPECT_EQ(Run("B() C() C()"), Bytes({0xB0, 12, 0, 0, 0xC0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(BlockTest, NestedBlocksEndInnermostFirst) {
  EXPECT_EQ(Run("B() { B() { C() } C() } C()"),
            Bytes({0xB0, 17, 0, 0, 0xB0, 16, 0, 0, 0xC0, 0xC0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  EXPECT_EQ(Run("B() { C() } B() { C() }"),
            Bytes({0xB0, 12, 0, 0, 0xC0, 0xB0, 17, 0, 0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // A braceless block inside a braceless one: both end before the command after the inner one.
  EXPECT_EQ(Run("B() B() C() C()"), Bytes({0xB0, 16, 0, 0, 0xB0, 16, 0, 0, 0xC0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
  // A braced block inside a braceless one.
  EXPECT_EQ(Run("B() B() { C() } C()"), Bytes({0xB0, 16, 0, 0, 0xB0, 16, 0, 0, 0xC0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(BlockTest, TwoReferencesOfOneCommandShareTheEnd) {
  EXPECT_EQ(Run("D() { C() }"), Bytes({14, 0, 0, 14, 0, 0, 0xC0}));
  EXPECT_EQ(Vel.Result, 0) << Vel.Dump();
}

TEST_F(BlockTest, BalanceMessages) {
  Run("B() }");
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "[Zeile:1]  Blockende unerwartet!");
  Run("C() }");
  EXPECT_TRUE(Vel.Has(msgBlockBalance));
  Run("{ C()");
  EXPECT_TRUE(Vel.Has(msgBlockBalance));
  EXPECT_EQ(Vel.Record(), "");
  Run("C() B()");
  EXPECT_EQ(Vel.Messages.Items().at(0).Text, "Offener Block !");
  // A lone ":" would define a block end; it is a syntax error instead.
  Run("B() :");
  EXPECT_TRUE(Vel.Has(msgSyntax));
  EXPECT_TRUE(Vel.Has(msgOpenBlock));
}

}  // namespace
