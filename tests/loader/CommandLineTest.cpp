// The loader's command line: settings pass and the argument that makes each action.
#include <gtest/gtest.h>

#include "loader/actions/CommandLine.h"

using namespace krlad;

namespace {

TAction Parsed(std::string_view arg, TArgumentResult expected = TArgumentResult::Action) {
  TAction action;
  EXPECT_EQ(ParseArgument(arg, action), expected) << arg;
  return action;
}

TEST(CommandLineTest, SplitsAtBlanksWithoutQuoting) {
  EXPECT_EQ(SplitCommandLine("  -2   -I\"a b\".ved\t-Y "),
            (std::vector<std::string>{"-2", "-I\"a", "b\".ved", "-Y"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(CommandLineTest, ProgramArgumentsKeepBlanksInsideAnArgument) {
  EXPECT_EQ(ProgramArguments({"-2", "-I/home/u/Mein Projekt/a b.ved", "", " \t", "-Y"}),
            (std::vector<std::string>{"-2", "-I/home/u/Mein Projekt/a b.ved", "-Y"}));
  TAction action;
  ASSERT_EQ(ParseArgument(ProgramArguments({"-I/x y/a b.ved"}).at(0), action),
            TArgumentResult::Action);
  EXPECT_EQ(action.File, "/x y/a b.ved");
  EXPECT_TRUE(ProgramArguments({"", " "}).empty());
}

TEST(CommandLineTest, FirstPassTakesPortMethodAndNoRetry) {
  TRunSettings s;
  ASSERT_EQ(ParseSettings({"-3", "-p1", "-y", "rec.ved", "-K"}, s), TSettingsResult::Ok);
  EXPECT_EQ(s.Port, 3);
  EXPECT_EQ(s.SwitchOffMethod, 1);
  EXPECT_TRUE(s.NoRetry);
  EXPECT_TRUE(s.Console);

  ASSERT_EQ(ParseSettings({"-Irec.ved"}, s), TSettingsResult::Ok);
  EXPECT_EQ(s.Port, 1);
  EXPECT_EQ(s.SwitchOffMethod, 0);
  EXPECT_FALSE(s.NoRetry);
}

TEST(CommandLineTest, NothingHelpOrUnknownOptionRefusesTheLine) {
  TRunSettings s;
  EXPECT_EQ(ParseSettings({}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-1", "-Irec.ved", "-?"}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-1", "-Q"}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-1", "-*Xfile"}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-1", "-CZfile"}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-2x"}, s), TSettingsResult::ShowParams);
  EXPECT_EQ(ParseSettings({"-"}, s), TSettingsResult::ShowParams);
  // Settings with trailing text are not the setting with something ignored.
  for (const char* arg : {"-Kx", "-Y1", "-?x", "-P1x"}) {
    EXPECT_EQ(ParseSettings({"-1", arg}, s), TSettingsResult::ShowParams) << arg;
    EXPECT_FALSE(s.Console);
    EXPECT_FALSE(s.NoRetry);
  }
  // Accepted without effect.
  EXPECT_EQ(ParseSettings({"-SF", "-sf"}, s), TSettingsResult::Ok);
}

TEST(CommandLineTest, LoadActionsTakeTheirLetterInEitherCase) {
  EXPECT_EQ(Parsed("rec.ved").Kind, TActionKind::LoadRecord);
  EXPECT_EQ(Parsed("rec.ved").File, "rec.ved");
  EXPECT_EQ(Parsed("-drec.ved").Kind, TActionKind::LoadRecord);
  EXPECT_EQ(Parsed("-Atexts.txt").Kind, TActionKind::LoadTexts);
  EXPECT_EQ(Parsed("-iprog.ved").Kind, TActionKind::LoadVelRecord);
  EXPECT_EQ(Parsed("-iprog.ved").File, "prog.ved");
  EXPECT_EQ(Parsed("-Rrez.dat").Kind, TActionKind::LoadRecipe);
  EXPECT_EQ(Parsed("-Ldrv.krt").Kind, TActionKind::LoadDriver);
  EXPECT_EQ(Parsed("-Bold.ved").Kind, TActionKind::CheckFile);
  Parsed("-7", TArgumentResult::Setting);
  Parsed("-P1", TArgumentResult::Setting);
  Parsed("-SF", TArgumentResult::Setting);
}

TEST(CommandLineTest, ReadActionsTakeTheLastPartAsFileAndLDiffersFromSmallL) {
  EXPECT_EQ(Parsed("-*Dout.ved").Kind, TActionKind::ReadRecord);
  EXPECT_EQ(Parsed("-*dx;y;out.ved").File, "out.ved");
  EXPECT_EQ(Parsed("-*rrez").Kind, TActionKind::ReadRecipe);
  EXPECT_EQ(Parsed("-*Gdiag").Kind, TActionKind::ReadDiagnostics);
  EXPECT_EQ(Parsed("-*vvideo").Kind, TActionKind::ReadVideo);
  EXPECT_EQ(Parsed("-*Ldrv").Kind, TActionKind::ReadDriver);
  EXPECT_EQ(Parsed("-*ldrv").Kind, TActionKind::ReadDriverSmall);
  EXPECT_EQ(ActionDef(TActionKind::ReadDriver).SizeHint, 96000);
  EXPECT_EQ(ActionDef(TActionKind::ReadDriverSmall).SizeHint, 24576);
}

TEST(CommandLineTest, MemoryReadTakesHexAddressAndLength) {
  TAction a = Parsed("-*SFF00;10;mem.bin");
  EXPECT_EQ(a.Kind, TActionKind::ReadMemory);
  EXPECT_EQ(a.Address, 0xFF00u);
  EXPECT_EQ(a.Length, 16);
  EXPECT_EQ(a.File, "mem.bin");
  EXPECT_EQ(Parsed("-*sffffff;FFFF;m").Address, 0xFFFFFFu);
  Parsed("-*S10;mem.bin", TArgumentResult::BadMemory);
  Parsed("-*S;10;mem.bin", TArgumentResult::BadMemory);
  Parsed("-*S1000000;10;mem.bin", TArgumentResult::BadMemory);
  Parsed("-*S10;10000;mem.bin", TArgumentResult::BadMemory);
  Parsed("-*SFG;10;mem.bin", TArgumentResult::BadMemory);
}

TEST(CommandLineTest, ControlActionsTakeTheFileBehindTwoLetters) {
  TAction a = Parsed("-CHconfig.txt");
  EXPECT_EQ(a.Kind, TActionKind::HwConfig);
  EXPECT_EQ(a.File, "config.txt");
  EXPECT_EQ(Parsed("-ciinfo").Kind, TActionKind::VelInfo);
  EXPECT_EQ(Parsed("-CSst").Kind, TActionKind::DeviceStatus);
  EXPECT_EQ(Parsed("-CTdrv").Kind, TActionKind::DriverInfo);
  EXPECT_EQ(Parsed("-CP").Kind, TActionKind::DeleteVel);
  EXPECT_EQ(Parsed("-CR").Kind, TActionKind::SoftReset);
  EXPECT_EQ(Parsed("-CRH").Kind, TActionKind::HardReset);
  EXPECT_EQ(Parsed("-crh").Kind, TActionKind::HardReset);
}

}  // namespace
