// The sample definition and driver under samples/vel, checked byte for byte.
#include <gtest/gtest.h>

#include "compiler/core/Compile.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

const std::string kSamples = std::string(ZK_SOURCE_DIR) + "/samples/vel/";

int32_t CompileSample(TTempDir& dir, std::string_view source, TMessageList& messages,
                      uint32_t ram = 4096) {
  const std::string src = dir.Write("t.vel", source);
  return VelCompile(src.c_str(), (kSamples + "ZIRE.CFG").c_str(), (kSamples + "ZIRE.DRV").c_str(),
                    nullptr, ram, nullptr, nullptr, dir.File("t.ved").c_str(), messages);
}

TEST(SampleTest, AssembledFilesMatchTheirText) {
  EXPECT_EQ(Assemble(TTempDir::Read(kSamples + "ZIRE.txt")), TTempDir::Read(kSamples + "ZIRE.CFG"));
  EXPECT_EQ(Assemble(TTempDir::Read(kSamples + "ZIRE-DRV.txt")),
            TTempDir::Read(kSamples + "ZIRE.DRV"));
}

TEST(SampleTest, SmallProgramByteForByte) {
  TTempDir dir;
  TMessageList messages;
  ASSERT_EQ(CompileSample(dir, "START: SET(M1, 7)\nIF(E2.9) { ON(A1.3) }\nJMP(START)\nEND()\n",
                          messages),
            0);
  const std::string expected =
      Bytes({0x23, 0xA6, 0x55, 73, 0, 0, 0}) +              // X, S, 55, length 73
      std::string("ZIRE Treiber Vers.:02.10 (Beispiel)") + '\0' +  // DRIVER_VERS
      Bytes({0x00, 0x00,                   // data segment start (DATA at 0)
             0xB0, 0x00,                   // data size: T 32 + Z 16 + R 128 bytes
             0x49, 0x00,                   // code size: the record's length
             0x10, 0x02, 0x04, 0x00, 0x07, 0x00,  // SET M1 (0402) constant 7, START at 31
             0x30, 0x05, 0x01, 0x01, 0x42, 0x80, 0x00,  // IF E2.9: byte 0105 bit 1, end 8042
             0x20, 0x02, 0x02, 0x03,              // ON A1.3: byte 0202 bit 3
             0x40, 0x31, 0x80, 0x00,              // JMP START (8000 + 31)
             0xFF, 0x04, 0x00});                  // END on line 4
  EXPECT_EQ(TTempDir::Read(dir.File("t.ved")), expected);
}

TEST(SampleTest, SampleProgramCompilesCleanly) {
  TTempDir dir;
  TMessageList messages;
  EXPECT_EQ(CompileSample(dir, TTempDir::Read(kSamples + "BEISPIEL.vel"), messages), 0);
  EXPECT_EQ(messages.Items().size(), 0u);
}

TEST(SampleTest, DefinitionChecksOperands) {
  TTempDir dir;
  TMessageList messages;
  EXPECT_NE(CompileSample(dir, "SET(E16, 1)\nON(E1)\nJMP(E1)\nWAIT(0)\nFOO()\nSET(M1)\n"
                               "END()\nEND()\nIF(X1.1)",
                          messages),
            0);
  std::vector<std::string> texts;
  for (const auto& m : messages.Items()) texts.push_back(m.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "[Zeile:1]  Offset ausserhalb der Grenzen!",
                       "[Zeile:2]  Unzul\xE4ssige Parametertype f\xFCr den Befehl!",
                       "[Zeile:3]  Unzul\xE4ssige Anzahl von Parametern!",
                       "[Zeile:4]  Offset ausserhalb der Grenzen!",
                       "[Zeile:5]  Unbekannter Befehl!",
                       "[Zeile:6]  Unzul\xE4ssige Anzahl von Parametern!",
                       "[Zeile:8]  Der Befehl ist in unzl\xE4ssigem Bereich!",
                       "[Zeile:9]  Unzul\xE4ssige Parametertype f\xFCr den Befehl!",
                       "Offener Block !",  // the IF at the end governs nothing
                   }));
}

TEST(SampleTest, DataMemoryOfTheSample) {
  TTempDir dir;
  TMessageList messages;
  EXPECT_EQ(CompileSample(dir, "END()", messages, 176), 0);
  EXPECT_NE(CompileSample(dir, "END()", messages, 175), 0);
  EXPECT_TRUE(messages.Contains(175));
}

}  // namespace
