// The start before the window program: help, display, hand-over, then exec.
#include "editor/program/Launcher.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/frame/HandOver.h"
#include "editor/frame/IniOptions.h"
#include "editor/frame/StartupRequest.h"
#include "editor/program/DisplayCheck.h"
#include "platform/file/SettingsPath.h"
#include "platform/profile/ProfileFile.h"

TLaunch PrepareLaunch(const std::vector<std::string>& args, const std::string& programDirectory,
                      const std::function<bool()>& hasDisplay) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(std::string(CommandLineHelp()).c_str(), stdout);
      return {false, 0};
    }
  }
  if (!hasDisplay()) {
    std::fputs(std::string(NoDisplayMessage()).c_str(), stderr);
    return {false, 1};
  }
  TIniOptions options;
  platform::TProfileFile profile(
      platform::ResolveSettingsPaths(kSettingsFileName, programDirectory).Read);
  // An unreadable file leaves the defaults; the window program reports it.
  (void)LoadSettings(options, profile);
  if (!options.MultipleInstances) {
    std::string socketPath = HandOverSocketPath();
    if (!socketPath.empty() && HandOverToRunning(socketPath, ParseCommandLine(args)) == 0) {
      return {false, 0};
    }
  }
  return {true, 0};
}

int StartWindowProgram(const std::string& programDirectory, char** argv) {
  std::string path = programDirectory + "/" + kWindowProgramName;
  ::execv(path.c_str(), argv);
  std::fprintf(stderr, "zkedit32: %s kann nicht gestartet werden: %s\n", path.c_str(),
               std::strerror(errno));
  return 255;
}
