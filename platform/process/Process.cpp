// Program start with posix_spawn; glibc reports a failed exec as the spawn's own error, so a
// missing or unusable program is known here and not only to a child that silently dies.
#include "platform/process/Process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/process/CommandLine.h"

extern char** environ;

namespace platform {

namespace {

bool EndsWithExe(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view tail = name.substr(name.size() - 4);
  static constexpr std::string_view kExe = ".exe";
  for (size_t i = 0; i < 4; ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExe[i]) return false;
  }
  return true;
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string ResolveProgramName(std::string_view program) {
  std::string name(program);
  if (!EndsWithExe(name)) return name;
  std::string bare = name.substr(0, name.size() - 4);
  // Along PATH the file without the suffix is what our programs are called.
  if (name.find('/') == std::string::npos) return bare;
  if (!IsFile(bare) && IsFile(name)) return name;
  return bare;
}

int32_t StartProgram(std::string_view commandLine, TStartedProgram* started, bool reap) {
  TStartedProgram local;
  TStartedProgram& out = started ? *started : local;
  out = TStartedProgram{};
  std::vector<std::string> args = SplitCommandLine(commandLine);
  if (args.empty() || args[0].empty()) return ssEmptyCommand;
  out.Program = ResolveProgramName(args[0]);
  args[0] = out.Program;

  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = -1;
  const bool search = out.Program.find('/') == std::string::npos;
  const int error = search ? ::posix_spawnp(&pid, out.Program.c_str(), nullptr, nullptr,
                                            argv.data(), environ)
                           : ::posix_spawn(&pid, out.Program.c_str(), nullptr, nullptr,
                                           argv.data(), environ);
  if (error != 0) {
    out.Error = error;
    return ssNotStarted;
  }
  out.Pid = pid;
  if (reap) {
    // Nobody waits for the program; this keeps it from staying behind as a zombie.
    std::thread([pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  }
  return ssStarted;
}

int32_t WaitProgram(pid_t pid) {
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(pid, &status, 0);
  } while (r < 0 && errno == EINTR);
  if (r < 0) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return -1;
}

std::string StartErrorReason(int error) {
  switch (error) {
    case ENOENT: return "Datei nicht gefunden";
    case EACCES:
    case EPERM: return "keine Berechtigung zum Ausführen";
    case ENOEXEC: return "kein ausführbares Programm";
    case ENOMEM: return "zu wenig Speicher";
    case E2BIG: return "Befehlszeile zu lang";
    default: return "Systemfehler " + std::to_string(error);
  }
}

}  // namespace platform
