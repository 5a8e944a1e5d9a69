// zkedit32: hands the command line to a running editor or starts the window program.
#include <string>
#include <vector>

#include "editor/program/DisplayCheck.h"
#include "editor/program/Launcher.h"
#include "platform/file/SettingsPath.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string directory = platform::ProgramDirectory();
  TLaunch launch = PrepareLaunch(args, directory, DisplayReachable);
  if (!launch.StartWindows) return launch.ExitCode;
  return StartWindowProgram(directory, argv);
}
