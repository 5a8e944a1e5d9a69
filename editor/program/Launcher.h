// The program a user starts as zkedit32: small and free of the toolkit, so that a second
// start hands its command line to the running instance without loading the window libraries.
// Only when a frame is needed does it replace itself with the window program beside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The window program in the same directory.
constexpr const char* kWindowProgramName = "zkedit32-ui";

struct TLaunch {
  bool StartWindows = false;  // the window program must run
  int ExitCode = 0;           // otherwise the start ends with this
};

// --help, the display check and the hand-over to a running instance (unless the settings
// allow several instances), in the order the window program checks them too.
TLaunch PrepareLaunch(const std::vector<std::string>& args, const std::string& programDirectory,
                      const std::function<bool()>& hasDisplay);

// Replaces this process with the window program, same arguments; returns only on failure,
// after saying why on standard error.
int StartWindowProgram(const std::string& programDirectory, char** argv);
