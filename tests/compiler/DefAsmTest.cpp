// The definition assembler: header, labels, instructions with targets, driver tables, errors.
#include <gtest/gtest.h>

#include "tests/compiler/VelTestSupport.h"
#include "tools/defasm/DefAsm.h"

namespace {

TEST(DefAsmTest, HeaderLabelsAndInstructions) {
  const std::string bytes = Assemble(
      ".base 1000h\n.init I\n.command none\n.marker M\n.table 30h\n.compiler T\n.driver T\n"
      "M: .mark 0AAh 0BBh   // two marker bytes\n"
      "T: db \"a\\x41\\\\\", 0\n"
      "I: @ G -> I+1\n   dw $, 258\n   dp T\n   @");
  const std::string expected =
      Bytes({0x00, 0x10, 0x00, 0x1F, 0x10, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00,  // .. reserved
             0x18, 0x10, 0x00, 0x30, 0x00, 0x00, 0x1B, 0x10, 0x00, 0x1B, 0x10, 0x00,  // .. driver
             2, 0xAA, 0xBB, 'a', 'A', '\\', 0}) +
      Bytes({0xAA, 0xBB, 'G', 0, 0x20, 0x10, 0x00}) + Bytes({0x26, 0x10, 0x02, 0x01}) +
      Bytes({0x1B, 0x10, 0x00, 0xAA, 0xBB, 0});
  EXPECT_EQ(bytes, expected);
}

TEST(DefAsmTest, DriverTable) {
  const std::string bytes = Assemble(".driverfile\n db 1\nTAB: .addresstable\n.entry 8 8000h\n"
                                     ".entry 24 V\nV: db \"v\", 0");
  ASSERT_EQ(bytes.size(), 1u + 768 + 2);
  EXPECT_EQ(bytes.substr(1 + 24, 3), Bytes({0x00, 0x80, 0x00}));
  EXPECT_EQ(bytes.substr(1 + 72, 3), Bytes({0x01, 0x03, 0x00}));  // V at 769
}

TEST(DefAsmTest, Errors) {
  EXPECT_EQ(AssembleDefinitionText("db X").Error, "line 1: unknown label: X");
  EXPECT_EQ(AssembleDefinitionText("\nA:\nA:").Error, "line 3: label defined twice: A");
  EXPECT_FALSE(AssembleDefinitionText("frob 1").Ok);
  EXPECT_FALSE(AssembleDefinitionText("db \"open").Ok);
  EXPECT_FALSE(AssembleDefinitionText("db 12G").Ok);
}

}  // namespace
