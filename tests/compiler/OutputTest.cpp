// The record header and check bytes, symbols, segments, and the listing.
#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/core/Charset.h"
#include "compiler/core/Destination.h"
#include "compiler/core/Reporter.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

TEST(RecordTest, EmptyRecord) {
  TVelRun vel;
  EXPECT_EQ(vel.Compile("; nothing\n", DefinitionText("", "")), 0);
  EXPECT_EQ(vel.Record(), Bytes({0x07, 0x0E, 0x55, 7, 0, 0, 0}));
}

TEST(RecordTest, CheckBytesRotateLeft) {
  TVelRun vel;
  vel.Compile("[1]", DefinitionText("", ""));
  EXPECT_EQ(vel.Record(), Bytes({0x08, 0x14, 0x55, 9, 0, 0, 0, 1, 0}));
  vel.Compile("[80h]", DefinitionText("", ""));  // bit 7 comes round to bit 0
  EXPECT_EQ(vel.Record(), Bytes({0x89, 0x13, 0x55, 9, 0, 0, 0, 0x80, 0}));
}

// The old record stays whole until the new one is complete: a compile killed half way (here:
// one that never finishes) must not leave a stub; a failed compile removes the old record.
TEST(RecordTest, OldRecordStaysUntilTheNewOneIsComplete) {
  TTempDir dir;
  const std::string name = dir.Write("prog.ved", "old record bytes");
  {
    DestinationData output;
    ASSERT_EQ(output.Create(name), 0u);
    ASSERT_TRUE(output.Write("abc", 3));
    EXPECT_EQ(TTempDir::Read(name), "old record bytes");
  }  // gone without Finish, as in a killed run
  EXPECT_EQ(TTempDir::Read(name), "old record bytes");
  {
    DestinationData output;
    ASSERT_EQ(output.Create(name), 0u);
    ASSERT_TRUE(output.Write("abc", 3));
    ASSERT_TRUE(output.Finish());
  }
  EXPECT_EQ(TTempDir::Read(name).size(), 10u);
  EXPECT_EQ(TTempDir::Read(name).substr(2), Bytes({0x55, 10, 0, 0, 0, 'a', 'b', 'c'}));
  {
    DestinationData output;
    ASSERT_EQ(output.Create(name), 0u);
    output.Discard();
  }
  EXPECT_FALSE(std::filesystem::exists(name));
  size_t files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) (void)e, ++files;
  EXPECT_EQ(files, 0u);  // no temporary left either
}

const std::string kJumpDef = DefinitionText("", "  db 40h\n  @ J P 0");

TEST(SymbolTest, LabelsDefinedTwiceOrNever) {
  TVelRun vel;
  vel.Compile("L:\nL:", kJumpDef);
  EXPECT_EQ(vel.Messages.Items().at(0).Text, "[Zeile:2]  die Marke wurde schon definiert!");
  vel.Compile("X(NIRGENDS)", kJumpDef, DriverText(), 4096, true);
  EXPECT_EQ(vel.Messages.Items().at(0).Text, "Marke \"NIRGENDS\" hat kein Wert!");
  EXPECT_NE(vel.Result, 0);
  EXPECT_EQ(vel.Record(), "");
  EXPECT_NE(vel.Listing(), "");  // the listing stays
}

TEST(SymbolTest, CodeRelocationAndCodeSegmentSymbols) {
  TVelRun vel;
  vel.Compile("A: X(B) B: X(A) Y()",
              DefinitionText("", "  @ GCMD Y -> Y\n  db 40h\n  @ J P 0\n  @\n"
                                 "Y: @ M P CODESEGMENT\n  @ GMS W VEL_CODESEGMENT\n"
                                 "  @ M P C_CODESEGMENT\n  @ GMS L C_CODESEGMENT"),
              DriverText(0x8000));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  // Length 7 + 8 + 3 + 2 + 3 + 4 = 27 (1B hex); A at 8007, B at 800B.
  EXPECT_EQ(vel.Body(), Bytes({0x40, 0x0B, 0x80, 0, 0x40, 0x07, 0x80, 0, 0x07, 0x80, 0, 0x1B, 0,
                               0x22, 0x80, 0, 0xE5, 0xFF, 0, 0}));
}

TEST(SymbolTest, PredefinedNamesMayNotBeDefinedByTheDefinitions) {
  TVelRun vel;
  vel.Compile("", DefinitionText("  @ SM CODESEGMENT 3 1", ""));
  EXPECT_TRUE(vel.Has(msgDefinedTwice));
}

// Data symbols: a fixed start at 100h and two areas placed behind it in declaration order.
const std::string kDataDef = DefinitionText(
    "  @ SM D0 D 100h\n  @ SMA X D 2\n  @ SMA Y D 3\n  @ SM DATASEGMENT E 0",
    "  @ M W X\n  @ M W Y\n  @ M W VEL_DATASEGMENT\n  @ GMS W VEL_DATASEGMENT\n"
    "  @ M W C_DATASEGMENT\n  @ GMS W C_DATASEGMENT\n  @ GMS W DATASEGMENT");

TEST(SymbolTest, DataAreasAreLaidOutInOrder) {
  TVelRun vel;
  vel.Compile("X()", kDataDef, DriverText(), 10);
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  EXPECT_EQ(vel.Body(), Bytes({0x00, 0x01, 0x04, 0x01, 0x00, 0x01, 10, 0, 0x0A, 0x01, 0, 0, 10, 0}));
}

TEST(SymbolTest, DataMemoryOneByteShort) {
  TVelRun vel;
  vel.Compile("X()", kDataDef, DriverText(), 9);
  ASSERT_EQ(vel.Messages.Items().size(), 1u);
  EXPECT_EQ(Cp1252ToUtf8(vel.Messages.Items()[0].Text),
            "Zu wenig RAM für VEL! Mindestens sollen 1 kB zur Verfügung gestellt werden.");
  EXPECT_EQ(vel.Record(), "");
  vel.Compile("", DefinitionText("  @ SMA BIG D 1025", ""), DriverText(), 2048);
  EXPECT_EQ(Cp1252ToUtf8(vel.Messages.Items().at(0).Text),
            "Zu wenig RAM für VEL! Mindestens sollen 3 kB zur Verfügung gestellt werden.");
}

TEST(ListingTest, Format) {
  TVelRun vel;
  vel.Compile("L: X(L)", kJumpDef, DriverText(0x10), 64, true);
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  const std::string listing = vel.Listing();
  const std::string rule = "#" + std::string(70, '-') + "\n";
  const std::string expectedStart =
      "BEGIN VALUES\n#seg. name                           address     size        \n" + rule +
      " 3    C_DATASEGMENT                  0x00ffffff  0x00000040\n";
  EXPECT_EQ(listing.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(listing.find(" 1    L                              0x00000017  0x00000000\n"
                         "END VALUES\nBEGIN DESTINATIONS\n#position   size offset     name"
                         "                          \n" + rule +
                         " 0x00000008 3    0x00000000 L                             \n"
                         "END DESTINATIONS\n"),
            std::string::npos)
      << listing;
}

}  // namespace
