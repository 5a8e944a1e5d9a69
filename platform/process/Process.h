// Starting another program without waiting for it: the command line is split by the Windows
// rules and run directly (posix_spawn), never through a shell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

struct TStartedProgram {
  pid_t Pid = -1;
  std::string Program;  // the file that was started, or that could not be
  int Error = 0;        // errno of a failed start
};

enum TStartStatus : int32_t {
  ssStarted = 0,
  ssEmptyCommand = -1,  // nothing to start
  ssNotStarted = -2,    // the program is missing, not executable, or exec failed
};

// Programs here have no ".exe": a program named with that suffix (any case) is started as
// the file without it, unless only the file with the suffix exists. A name without a slash
// is searched along PATH. By default the child is reaped in the background when it ends;
// with `reap` false the caller waits for it (WaitProgram).
[[nodiscard]] int32_t StartProgram(std::string_view commandLine, TStartedProgram* started = nullptr,
                                   bool reap = true);

// The program file a command line's first argument stands for (".exe" resolved).
std::string ResolveProgramName(std::string_view program);

// Waits for a program started with `reap` false; its exit status, or -1.
int32_t WaitProgram(pid_t pid);

// German reason of a failed start, for the caller's message ("nicht gefunden" ...).
std::string StartErrorReason(int error);

}  // namespace platform
