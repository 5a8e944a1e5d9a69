// Command lines split and quoted by the Windows rules, and programs started from them
// (".exe" resolved, failures reported, no shell in between).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "tests/support/TempDir.h"

using namespace platform;
using TArgs = std::vector<std::string>;

TEST(CommandLineTest, SplitsByTheWindowsRules) {
  EXPECT_EQ(SplitCommandLine(""), TArgs{});
  EXPECT_EQ(SplitCommandLine("  \t "), TArgs{});
  EXPECT_EQ(SplitCommandLine("a  b\tc"), (TArgs{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("p \"a b\" c\"d e\"f"), (TArgs{"p", "a b", "cd ef"}));
  // 2n backslashes and a quote: n backslashes, the quote toggles; 2n+1: a literal quote.
  EXPECT_EQ(SplitCommandLine(R"(p a\\"b c" d)"), (TArgs{"p", R"(a\b c)", "d"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\\\"b c)"), (TArgs{"p", R"(a\"b)", "c"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\b\\c)"), (TArgs{"p", R"(a\b\\c)"}));
  // Two quotes inside quotes give one and quoting goes on.
  EXPECT_EQ(SplitCommandLine(R"(p "a""b c")"), (TArgs{"p", R"(a"b c)"}));
  EXPECT_EQ(SplitCommandLine("p \"\" x"), (TArgs{"p", "", "x"}));
  EXPECT_EQ(SplitCommandLine("p \"open end"), (TArgs{"p", "open end"}));
}

TEST(CommandLineTest, ProgramNameKeepsBackslashesAndLosesOnlyQuotes) {
  EXPECT_EQ(SplitCommandLine(R"("C:\Pro gramme\x.exe" -1)"), (TArgs{R"(C:\Pro gramme\x.exe)", "-1"}));
  EXPECT_EQ(SplitCommandLine(R"(a\"b c)"), (TArgs{R"(a\b c)"}));
}

TEST(CommandLineTest, QuotedArgumentsSplitBackUnchanged) {
  const TArgs samples{"plain", "", "with blank", "tab\there", R"(q"uote)", R"(end\)",
                      R"(end blank\)", R"(a\\"b)", R"(\\server\share x)", "\"\"", "/L12"};
  std::string line = "prog";
  for (const std::string& s : samples) line += " " + QuoteArgument(s);
  TArgs expected{"prog"};
  expected.insert(expected.end(), samples.begin(), samples.end());
  EXPECT_EQ(SplitCommandLine(line), expected);
  EXPECT_EQ(QuoteArgument("plain"), "plain");
}

class ProcessTest : public ::testing::Test {
 protected:
  // A script that writes its arguments, one per line, into `out`.
  std::string MakeEcho(const std::string& name, const std::string& out) {
    std::string path = Dir.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                                           out + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
  TTempDir Dir;
};

TEST_F(ProcessTest, ExeSuffixIsResolvedAndArgumentsArriveUnsplitByAShell) {
  const std::string out = Dir.File("args.txt");
  const std::string prog = MakeEcho("tool", out);
  TStartedProgram started;
  // "$HOME" and ';' would mean something to a shell; here they are plain text.
  ASSERT_EQ(StartProgram(QuoteArgument(prog + ".EXE") + " -3 \"a b\" $HOME;x", &started, false),
            ssStarted);
  EXPECT_EQ(started.Program, prog);
  EXPECT_EQ(WaitProgram(started.Pid), 0);
  EXPECT_EQ(TTempDir::Read(out), "-3\na b\n$HOME;x\n");
}

TEST_F(ProcessTest, AFileThatOnlyExistsWithTheSuffixIsTakenAsIs) {
  const std::string prog = MakeEcho("only.exe", Dir.File("o.txt"));
  EXPECT_EQ(ResolveProgramName(prog), prog);
  EXPECT_EQ(ResolveProgramName("krladwin32.exe"), "krladwin32");
  EXPECT_EQ(ResolveProgramName(Dir.File("none.exe")), Dir.File("none"));
}

TEST_F(ProcessTest, FailedStartsAreReportedWithTheReason) {
  TStartedProgram started;
  EXPECT_EQ(StartProgram("   ", &started), ssEmptyCommand);
  EXPECT_EQ(StartProgram(Dir.File("missing.exe") + " x", &started), ssNotStarted);
  EXPECT_EQ(started.Program, Dir.File("missing"));
  EXPECT_EQ(StartErrorReason(started.Error), "Datei nicht gefunden");
  // A file that is not executable.
  const std::string plain = Dir.Write("plain", "text");
  EXPECT_EQ(StartProgram(plain, &started), ssNotStarted);
  EXPECT_EQ(started.Pid, -1);
  EXPECT_EQ(StartProgram("zk-no-such-program-here", &started), ssNotStarted);
}
