// Loading definitions: version checks, missing macros, and malformed files from outside.
#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/core/Compile.h"
#include "compiler/core/Definition.h"
#include "tests/compiler/VelTestSupport.h"

namespace {

TEST(VersionCheckTest, Keys) {
  EXPECT_EQ(CompilerVersionKey(kCompilerBanner), "01.05");
  EXPECT_EQ(CompilerVersionKey("VEL 01.05#99 whatever"), "01.05");
  EXPECT_EQ(CompilerVersionKey("no hash"), "");
  EXPECT_EQ(CompilerVersionKey("5#"), "5#");  // fewer than 5 characters before "#"
  EXPECT_EQ(DriverVersionKey("KR Treiber Vers.:02.10 (x)"), "02.10");
  EXPECT_EQ(DriverVersionKey("02.10 without marker"), "02.10");
  EXPECT_EQ(DriverVersionKey("Vers.:1"), "1");
  EXPECT_TRUE(SameVersion("v1.0a", "V1.0A"));
  EXPECT_FALSE(SameVersion("01.05", "01.06"));
}

TEST(DefinitionLoadTest, CompilerVersion) {
  TVelRun vel;
  vel.Compile("", DefinitionText("", "", "", "anything 01.05#77 later"));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  vel.Compile("", DefinitionText("", "", "", "anything 01.06#01"));
  EXPECT_NE(vel.Result, 0);
  EXPECT_TRUE(vel.Has(msgCompilerVersion));
  EXPECT_EQ(vel.Record(), "");
  vel.Compile("", DefinitionText("", "", "", "no hash at all"));
  EXPECT_TRUE(vel.Has(msgCompilerVersion));
}

TEST(DefinitionLoadTest, DriverVersion) {
  TVelRun vel;
  vel.Compile("", DefinitionText("", ""), DriverText(0, "Anderer Vers.:01.00 x"));
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  vel.Compile("", DefinitionText("", ""), DriverText(0, "Treiber Vers.:01.01"));
  EXPECT_TRUE(vel.Has(msgDriverVersion));
  EXPECT_NE(vel.Result, 0);
}

TEST(DefinitionLoadTest, MacrosAtTheLoadBase) {
  TVelRun vel;
  // A command macro at the load base: commands produce nothing and no message.
  std::string text = DefinitionText("", "  db 1, 2, 3");
  text.replace(text.find(".command CMD"), 12, ".command none");
  vel.Compile("X(1, 2) Y()", text);
  EXPECT_EQ(vel.Result, 0) << vel.Dump();
  EXPECT_EQ(vel.Record().size(), 7u);
  // An init macro at the load base fails the load without a message.
  text = DefinitionText("", "");
  text.replace(text.find(".init INIT"), 10, ".init none");
  vel.Compile("", text);
  EXPECT_NE(vel.Result, 0);
  EXPECT_EQ(vel.Messages.Items().size(), 0u);
  EXPECT_EQ(vel.Record(), "");
}

TEST(DefinitionLoadTest, MissingFiles) {
  TVelRun vel;
  TMessageList messages;
  const std::string src = vel.Dir.Write("a.vel", "");
  EXPECT_NE(VelCompile(src.c_str(), vel.Dir.File("none.cfg").c_str(), "drv", nullptr, 0, nullptr,
                       nullptr, nullptr, messages),
            0);
  EXPECT_TRUE(messages.Contains(msgOpenFailed));
  // The default output name is the source with "dat"; it is removed again.
  EXPECT_FALSE(std::filesystem::exists(vel.Dir.File("a.dat")));
  // A record of an earlier run does not survive a compile that fails before it starts.
  messages.Clear();
  const std::string stale = vel.Dir.Write("stale.ved", "old record");
  EXPECT_NE(VelCompile(vel.Dir.File("missing.vel").c_str(), "x", "y", nullptr, 0, nullptr, nullptr,
                       stale.c_str(), messages),
            0);
  EXPECT_TRUE(messages.Contains(msgOpenFailed));
  EXPECT_FALSE(std::filesystem::exists(stale));
  messages.Clear();
  EXPECT_NE(VelCompile(nullptr, "x", "y", nullptr, 0, nullptr, nullptr, nullptr, messages), 0);
  EXPECT_TRUE(messages.Contains(126));
  messages.Clear();
  EXPECT_NE(VelCompile(src.c_str(), "", "y", nullptr, 0, nullptr, nullptr, nullptr, messages), 0);
  EXPECT_TRUE(messages.Contains(127));
  messages.Clear();
  EXPECT_NE(VelCompile(src.c_str(), "x", "", nullptr, 0, nullptr, nullptr, nullptr, messages), 0);
  EXPECT_TRUE(messages.Contains(128));
}

TEST(DefinitionLoadTest, VersionTextForDisplay) {
  TTempDir dir;
  const std::string def = dir.Write("ZIRE.CFG", Assemble(DefinitionText("", "", "", "Cfg 01.05#2")));
  EXPECT_EQ(ReadDefinitionVersion(def.c_str()), "Cfg 01.05#2");
  EXPECT_EQ(ReadDefinitionVersion(dir.File("none").c_str()), "");
}

// Runs a definition image directly, with a small step limit.
struct TMachine {
  explicit TMachine(std::string image, int64_t stepLimit = 100000) {
    Def.StepLimit = stepLimit;
    const std::string driver = Assemble(DriverText());
    Loaded = Def.LoadImages(std::move(image), &driver);
  }
  TMessageList List;
  TVelReporter Reporter{List};
  DestinationData Out;
  MarkerMemo Markers{Reporter, Out};
  DefinitionData Def{Reporter, Markers, Out};
  bool Loaded = false;
};

std::string Image(std::string_view command, std::string_view extra = "") {
  return Assemble(DefinitionText("", command, extra));
}

TEST(MalformedDefinitionTest, HeaderAndTexts) {
  EXPECT_FALSE(TMachine("short").Loaded);
  EXPECT_TRUE(TMachine("short").List.Contains(msgReadError));
  std::string image = Image("");
  image[20] = '\x7F';  // compiler version text outside the file
  EXPECT_TRUE(TMachine(image).List.Contains(msgReadError));
  image = Image("");
  image[14] = '\x7F';  // marker outside the file
  EXPECT_TRUE(TMachine(image).List.Contains(msgReadError));
  image = Image("");
  image.back() = 'x';  // the last instruction text loses its NUL
  TMachine m(image);
  (void)m.Def.RunCommandMacro("X");
  EXPECT_TRUE(m.List.Contains(msgReadError));
}

TEST(MalformedDefinitionTest, JumpsAndRecursion) {
  struct TCase {
    const char* Command;
    const char* Extra;
  } cases[] = {
      {"  @ G -> 10000h", ""},      // into the header
      {"  @ G -> 7FFFFFh", ""},     // outside the file
      {"  @ G -> 0", ""},           // below the load base
      {"L: @ G -> L", ""},          // endless
      {"  @ I -> SUB", "SUB: @ I -> SUB\n"},  // unbounded I recursion
      {"  @ P 0 -> SUB", "SUB: @ P 0 -> SUB\n"},  // unbounded P recursion
      {"  @ SPP 20", ""},           // no such parameter
      {"  @ G", ""},                // target missing at the end of the file
  };
  for (const TCase& c : cases) {
    TMachine m(Image(c.Command, c.Extra));
    ASSERT_TRUE(m.Loaded) << c.Command;
    m.Def.Parameters[0].Name = "E";
    m.Def.Parameters[0].Kind = 'w';
    (void)m.Def.RunCommandMacro("X");
    EXPECT_TRUE(m.List.Contains(msgBadMacro) || m.List.Contains(msgReadError)) << c.Command;
  }
}

TEST(MalformedDefinitionTest, LiteralRunawayStopsAtTheStepLimit) {
  // A loop that writes a byte per round ends at the step limit, not at the disk's end.
  TMachine m(Image("L: db 1\n  @ G -> L"), 1000);
  (void)m.Def.RunCommandMacro("X");
  EXPECT_TRUE(m.List.Contains(msgBadMacro));
  EXPECT_LE(m.Out.Bytes().size(), 1000u);
}

TEST(MalformedDefinitionTest, StepLimitCountsLiteralBytesAndMarkerCandidates) {
  // A two-byte marker: a lone FE is a candidate that costs a step and stays a literal byte.
  const std::string text =
      ".definition\n.base 10000h\n.init INIT\n.command CMD\n.marker MARK\n.table 0\n"
      ".compiler CVER\n.driver DVER\nMARK: .mark 0FEh 0FFh\n"
      "CVER: db \"Test 01.05#07\", 0\nDVER: db \"Definition Vers.:01.00\", 0\nINIT: @\n"
      "CMD: db 1, 0FEh, 2\n @ VAR B 9\n db 0FEh, 0FEh, 3\n @ G -> NEXT\nNEXT: db 4\n @\n";
  std::string outcome;  // per limit: "!" for a stop, then the bytes written
  for (int64_t limit = 1; limit <= 10; ++limit) {
    TMachine m(Assemble(text), limit);
    ASSERT_TRUE(m.Loaded);
    (void)m.Def.RunCommandMacro("X");
    outcome += m.List.Contains(msgBadMacro) ? "!" : "";
    outcome += std::to_string(m.Out.Bytes().size()) + " ";
  }
  EXPECT_EQ(outcome, "!0 !0 !4 !4 !4 !4 !7 !7 8 8 ");
  // The same steps cost the same again on the next command.
  TMachine m(Assemble(text), 9);
  (void)m.Def.RunCommandMacro("X");
  (void)m.Def.RunCommandMacro("X");
  EXPECT_FALSE(m.List.Contains(msgBadMacro));
  const std::string once = Bytes({1, 0xFE, 2, 9, 0xFE, 0xFE, 3, 4});
  EXPECT_EQ(m.Out.Bytes(), once + once);
}

// Beyond a size no real definition reaches, steps are read afresh every time; the result
// is the same.
TEST(MalformedDefinitionTest, HugeDefinitionRunsLikeASmallOne) {
  const std::string image =
      Image("  db 7\n  @ I -> SUB\n  @ VAR W 300", "SUB: db 8\n @ VAR B 9\n @\n");
  TMachine small(image);
  TMachine huge(image + std::string(TMacroSteps::kMaxIndexedImage, '\x01'));
  for (TMachine* m : {&small, &huge}) {
    ASSERT_TRUE(m->Loaded);
    (void)m->Def.RunCommandMacro("X");
    (void)m->Def.RunCommandMacro("X");
  }
  EXPECT_EQ(small.Out.Bytes(), Bytes({7, 8, 9, 0x2C, 1, 7, 8, 9, 0x2C, 1}));
  EXPECT_EQ(huge.Out.Bytes(), small.Out.Bytes());
  EXPECT_TRUE(huge.List.Items().empty());
}

// A definition that fails to load leaves nothing of the one loaded before it to run.
TEST(MalformedDefinitionTest, FailedReloadRunsNoCommands) {
  TMachine m(Image("  db 5"));
  ASSERT_TRUE(m.Loaded);
  EXPECT_TRUE(m.Def.RunCommandMacro("X"));
  EXPECT_EQ(m.Out.Bytes(), Bytes({5}));
  const std::string driver = Assemble(DriverText());
  const std::string older = Assemble(DefinitionText("", "  db 6", "", "Alt 01.04#01"));
  EXPECT_FALSE(m.Def.LoadImages(older, &driver));
  EXPECT_TRUE(m.List.Contains(msgCompilerVersion));
  EXPECT_FALSE(m.Def.RunCommandMacro("X"));
  EXPECT_EQ(m.Out.Bytes(), Bytes({5}));
}

}  // namespace
