// krladwin32: runs the actions of its command line against the terminal on a serial port.
#include <cstdio>
#include <string>

#include "loader/actions/CommandLine.h"
#include "loader/actions/ConsoleUi.h"
#include "loader/actions/LoaderRun.h"
#include "platform/serial/TermiosPort.h"

int main(int argc, char** argv) {
  // The loader sees one command line split at blanks, whoever split it before.
  std::string line;
  for (int i = 1; i < argc; ++i) {
    line += argv[i];
    line += ' ';
  }
  const std::vector<std::string> args = krlad::SplitCommandLine(line);

  // The status window ("KRLADWIN") takes over here once the window layer carries it; the
  // console serves -K and machines without a display, and until then every run.
  krlad::TRunSettings settings;
  (void)krlad::ParseSettings(args, settings);  // the run repeats this and reports
  krlad::TConsoleUi ui(stdout, stderr, stdin);
  ui.SetRefuseQuestions(settings.NoRetry);
  platform::TTermiosPort port;
  krlad::TLoaderRun run(ui, port);
  return ui.RunWorker([&] { return run.Run(args); });
}
