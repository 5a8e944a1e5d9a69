// The program krladwin32 as scripts see it: exit codes, console texts and an interrupt
// as the cancel, against the simulator over a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/loader/SimSupport.h"
#include "tests/support/TempDir.h"
#include "tools/termsim/TermSim.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

class LoaderProgramTest : public ::testing::Test {
 protected:
  void StartSim(termsim::TTermSimConfig config = {}) {
    Sim = std::make_unique<termsim::TTermSim>(std::move(config));
    ASSERT_TRUE(Sim->Start()) << Sim->Error();
  }

  // Starts the program with standard input from /dev/null and its output in files.
  // Without a display unless `display` names a Qt platform, so that the console serves.
  pid_t Start(const std::vector<std::string>& args, const std::string& display = "") {
    std::vector<std::string> env{"ZK_COM7=" + (Sim ? Sim->PortName() : Dir.File("none"))};
    if (!display.empty()) env.push_back("QT_QPA_PLATFORM=" + display);
    for (char** e = environ; *e; ++e) {
      const std::string_view var(*e);
      const std::string_view name = var.substr(0, var.find('='));
      if (name != "ZK_COM7" && name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM")
        env.emplace_back(var);
    }
    std::vector<char*> argv{const_cast<char*>(KRLADWIN32_PROGRAM)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, Dir.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, Dir.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, KRLADWIN32_PROGRAM, &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }

  int Finish(pid_t pid) {
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  }

  int Run(const std::vector<std::string>& args) { return Finish(Start(args)); }
  std::string Out() const { return TTempDir::Read(Dir.File("out")); }
  std::string Err() const { return TTempDir::Read(Dir.File("err")); }

  TTempDir Dir;
  std::unique_ptr<termsim::TTermSim> Sim;
};

TEST_F(LoaderProgramTest, SuccessExitsZeroAndShowsTheSteps) {
  StartSim();
  const std::string record = Dir.Write("rec.ved", VelRecordText(600, 'x'));
  EXPECT_EQ(Run({"-7", "-I" + record}), 0);
  EXPECT_NE(Out().find("Aktion: \"" + record + "\" VEL Datensatz wird geladen .\n"), std::string::npos) << Out();
  EXPECT_NE(Out().find("Schnittstelle: COM7\nGeschwindigkeit: 38400 Baud\n"), std::string::npos);
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(Run({"-7"}), 0);
  EXPECT_EQ(Out() + Err(), "");
}

// The compilers pass the record's path as one argument; blanks in it stay.
TEST_F(LoaderProgramTest, RecordPathWithBlanksLoads) {
  StartSim();
  const std::string record = Dir.Write("mein rec.ved", VelRecordText(300, 'y'));
  EXPECT_EQ(Run({"-7", "-K", "-I" + record}), 0) << Err();
  EXPECT_NE(Out().find("Aktion: \"" + record + "\" VEL Datensatz wird geladen .\n"),
            std::string::npos)
      << Out();
  ASSERT_EQ(Sim->Received().size(), 1u);
  EXPECT_TRUE(Sim->Received()[0].Complete);
}

TEST_F(LoaderProgramTest, FailuresAndRefusedLinesExitNonZero) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Err(), "Fehler: Parameter Fehler! Folgende Paramter sind zulässig:\n\n -n         = COMn wählen\n");
  EXPECT_EQ(Run({"-7", "-Imissing.ved"}), 1);
  EXPECT_EQ(Err(), "Fehler: \"missing.ved\" File existiert nicht !\n");
  EXPECT_EQ(Run({"-7", "-CR"}), 1);  // no port
  EXPECT_NE(Err().find("Schnittstellenfehler  an COM 7  !"), std::string::npos) << Err();
  for (const char* arg : {"-Kx", "-Y1", "-?x"}) {
    EXPECT_EQ(Run({"-7", arg, "-CR"}), 2) << arg;
    EXPECT_NE(Err().find("Parameter Fehler!"), std::string::npos) << Err();
  }
  // -Y: nobody answers, so the question to replace a file is refused.
  const std::string existing = Dir.Write("old.ved", "old");
  EXPECT_EQ(Run({"-7", "-Y", "-*D" + existing}), 1);
  EXPECT_EQ(Err(), "Meldung: Vorhandene Datei:\"" + existing + "\" \nersetzen ?\n[j/n] n\n");
  EXPECT_EQ(TTempDir::Read(existing), "old");
}

// -Y refuses the retry question, but the console still says why the run ended.
TEST_F(LoaderProgramTest, NoRetryStillSaysWhy) {
  termsim::TTermSimConfig config;
  config.RefuseFirst[krlad::cmdLoadVelRecord] = 1;
  StartSim(config);
  const std::string record = Dir.Write("rec.ved", VelRecordText(100, 'x'));
  EXPECT_EQ(Run({"-7", "-Y", "-I" + record}), 1);
  EXPECT_EQ(Err(), "Fehler: Gerät reagiert nicht !\n");
  const std::string bad = Dir.Write("bad.ved", "not a record");
  EXPECT_EQ(Run({"-7", "-Y", "-I" + bad}), 1);
  EXPECT_EQ(Err(), "Fehler: \"" + bad + "\" ist kein gültiger VEL Datensatz !\n");
  EXPECT_TRUE(Sim->Received().empty());
}

#ifdef ZK_LOADER_WINDOW
TEST_F(LoaderProgramTest, WithADisplayTheStatusWindowServesTheRun) {
  StartSim();
  const std::string record = Dir.Write("rec.ved", VelRecordText(600, 'x'));
  EXPECT_EQ(Finish(Start({"-7", "-I" + record}, "offscreen")), 0);
  EXPECT_EQ(Out(), "");
  ASSERT_EQ(Sim->Received().size(), 1u);
  EXPECT_TRUE(Sim->Received()[0].Complete);
  // -K keeps the console even so.
  EXPECT_EQ(Finish(Start({"-7", "-K", "-CR"}, "offscreen")), 0);
  EXPECT_NE(Out().find("Aktion: Software RESET wird ausgelöst.\n"), std::string::npos) << Out();
}
#endif

TEST_F(LoaderProgramTest, InterruptCancelsTheTransfer) {
  termsim::TTermSimConfig config;
  config.Pace = true;
  StartSim(config);
  const std::string record = Dir.Write("big.ved", VelRecordText(64 * 1024, 'x'));
  const pid_t pid = Start({"-7", "-I" + record});
  const auto until = std::chrono::steady_clock::now() + 30s;
  while (Sim->BlocksReceived() < 2 && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(5ms);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  EXPECT_EQ(Finish(pid), 3);
  EXPECT_EQ(Err(), "Fehler: Anwender hat abgebrochen !\n");
}

}  // namespace
