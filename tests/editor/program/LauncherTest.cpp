// The start program: help and a missing display end it, a running instance takes the
// command line, and otherwise (or when several instances are allowed) the windows must start.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/frame/HandOver.h"
#include "editor/program/Launcher.h"
#include "platform/ipc/InstanceChannel.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    OldRuntime_ = old ? old : "";
    HadRuntime_ = old != nullptr;
    ::setenv("XDG_RUNTIME_DIR", Run.Path().c_str(), 1);
  }
  void TearDown() override {
    if (HadRuntime_) ::setenv("XDG_RUNTIME_DIR", OldRuntime_.c_str(), 1);
    else ::unsetenv("XDG_RUNTIME_DIR");
  }
  TLaunch Launch(const std::vector<std::string>& args, bool display = true) {
    return PrepareLaunch(args, Program.Path(), [display] { return display; });
  }

  TTempDir Run;
  TTempDir Program;
  TTempDir Docs;

 private:
  std::string OldRuntime_;
  bool HadRuntime_ = false;
};

TEST_F(LauncherTest, HelpAndAMissingDisplayEndTheStart) {
  TLaunch help = Launch({"datei.txt", "--help"}, false);
  EXPECT_FALSE(help.StartWindows);
  EXPECT_EQ(help.ExitCode, 0);
  TLaunch blind = Launch({"datei.txt"}, false);
  EXPECT_FALSE(blind.StartWindows);
  EXPECT_EQ(blind.ExitCode, 1);
  // With a display and nobody listening, the window program runs.
  TLaunch first = Launch({"datei.txt"});
  EXPECT_TRUE(first.StartWindows);
}

TEST_F(LauncherTest, ARunningInstanceTakesTheCommandLineUnlessSeveralAreAllowed) {
  std::string file = Docs.Write("Datei mit Blanks.txt", "x");
  std::atomic<int> requests{0};
  TStartupRequest taken{};
  TInstanceServer server;
  ASSERT_EQ(server.Start(HandOverSocketPath(), [&](uint8_t kind) -> uint8_t {
    if (kind == kHandOverRequest) {
      TSharedBlock block;
      if (block.Open(kHandOverBlock, sizeof taken)) (void)block.Read(&taken, sizeof taken);
    }
    ++requests;
    return 0;
  }), 0);

  // The shell split the name at its blanks; the instance gets it whole, with the line.
  std::string dir = Docs.Path();
  TLaunch handed = Launch({dir + "/Datei", "mit", "Blanks.txt", "/L12"});
  EXPECT_FALSE(handed.StartWindows);
  EXPECT_EQ(handed.ExitCode, 0);
  EXPECT_EQ(requests.load(), 2);  // activate, then the request
  EXPECT_EQ(RequestFileName(taken), file);
  EXPECT_EQ(taken.Line, 12);

  // "MultInst" in the settings beside the program: every start gets its own frame.
  Program.Write("ZKEdit32.Ini", "[General]\r\nMultInst=1\r\n");
  TLaunch own = Launch({file});
  EXPECT_TRUE(own.StartWindows);
  EXPECT_EQ(requests.load(), 2);
  server.Stop();
}

}  // namespace
