// termsim: a simulated operator terminal on a pseudo-terminal or a serial device.
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "tools/termsim/TermSim.h"

namespace {

const char kUsage[] =
    "usage: termsim [options]\n"
    "  --device PATH        serve a serial device instead of a new pseudo-terminal\n"
    "  --baud N             line speed on a device (default 38400)\n"
    "  --link PATH          make PATH a symbolic link to the pseudo-terminal\n"
    "  --answer-baud N      answer only while the line runs at N baud\n"
    "  --dead               answer nothing\n"
    "  --pace               take as long as a real line (11 bits per byte)\n"
    "  --sync-run N         acknowledge N synchronise frames in a row, then refuse one\n"
    "  --silent CODE        do not acknowledge command CODE (hex); repeatable\n"
    "  --refuse CODE[:N]    leave command CODE (hex) unacknowledged N times (default 1)\n"
    "  --asleep N           answer no frame before the N+1st, as a device switched on late\n"
    "  --corrupt PERCENT    spoil this share of the blocks in both directions\n"
    "  --nak-block N[:K]    answer received block N with K NAKs (default 2)\n"
    "  --repeat-block N     send block N twice, as if its acknowledge was lost\n"
    "  --silent-after N     stop answering after N received blocks\n"
    "  --driver-info TEXT   answer of the driver information frame\n"
    "  --second-id TEXT     answer of the second identification frame\n"
    "  --read CODE=FILE     data sent for read command CODE (hex), e.g. 28=record.ved\n"
    "  --memory FILE        memory image for memory reads\n"
    "  --store DIR          write every received file into DIR\n"
    "  --seed N             seed of the fault generator\n"
    "  --quiet              no event log on standard error\n";

bool ReadFile(const std::string& path, termsim::TBytes* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool ParseUnsigned(const char* text, int base, unsigned long* value) {
  char* end = nullptr;
  errno = 0;
  *value = std::strtoul(text, &end, base);
  return errno == 0 && end != text && *end == '\0';
}

int Run(int argc, char** argv) {
  termsim::TTermSimConfig config;
  std::string link;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "termsim: %s needs a value\n", argv[i]);
        std::exit(2);
      }
      return argv[++i];
    };
    auto number = [&](int base = 10) -> unsigned long {
      const char* text = value();
      unsigned long n = 0;
      if (!ParseUnsigned(text, base, &n)) {
        std::fprintf(stderr, "termsim: not a number: %s\n", text);
        std::exit(2);
      }
      return n;
    };
    if (arg == "--device") {
      config.Device = value();
    } else if (arg == "--baud") {
      config.DeviceBaud = static_cast<uint32_t>(number());
    } else if (arg == "--link") {
      link = value();
    } else if (arg == "--answer-baud") {
      config.AnswerBaud = static_cast<uint32_t>(number());
    } else if (arg == "--dead") {
      config.Dead = true;
    } else if (arg == "--pace") {
      config.Pace = true;
    } else if (arg == "--sync-run") {
      config.SyncAckRun = static_cast<int>(number());
    } else if (arg == "--silent") {
      config.SilentCodes.insert(static_cast<uint8_t>(number(16)));
    } else if (arg == "--refuse") {
      std::string field = value();
      size_t colon = field.find(':');
      unsigned long code = 0;
      if (!ParseUnsigned(field.substr(0, colon).c_str(), 16, &code) || code > 0xFF) {
        std::fprintf(stderr, "termsim: --refuse needs CODE[:N]: %s\n", field.c_str());
        return 2;
      }
      config.RefuseFirst[static_cast<uint8_t>(code)] =
          colon == std::string::npos ? 1 : std::atoi(field.c_str() + colon + 1);
    } else if (arg == "--asleep") {
      config.AsleepFrames = static_cast<int>(number());
    } else if (arg == "--corrupt") {
      config.CorruptRate = std::strtod(value(), nullptr) / 100.0;
    } else if (arg == "--nak-block") {
      std::string field = value();
      size_t colon = field.find(':');
      int block = std::atoi(field.substr(0, colon).c_str());
      int naks = colon == std::string::npos ? 2 : std::atoi(field.c_str() + colon + 1);
      config.NakBlocks[block] = naks;
    } else if (arg == "--repeat-block") {
      config.RepeatBlocks.insert(static_cast<int>(number()));
    } else if (arg == "--silent-after") {
      config.SilentAfterBlocks = static_cast<int>(number());
    } else if (arg == "--driver-info") {
      config.DriverInfo = value();
    } else if (arg == "--second-id") {
      config.SecondId = value();
    } else if (arg == "--read") {
      std::string field = value();
      size_t eq = field.find('=');
      unsigned long code = 0;
      if (eq == std::string::npos || !ParseUnsigned(field.substr(0, eq).c_str(), 16, &code) ||
          code > 0xFF || !ReadFile(field.substr(eq + 1), &config.ReadData[static_cast<uint8_t>(code)])) {
        std::fprintf(stderr, "termsim: --read needs CODE=FILE with a readable file: %s\n", field.c_str());
        return 2;
      }
    } else if (arg == "--memory") {
      const char* path = value();
      if (!ReadFile(path, &config.Memory)) {
        std::fprintf(stderr, "termsim: cannot read %s\n", path);
        return 2;
      }
    } else if (arg == "--store") {
      config.StoreDir = value();
    } else if (arg == "--seed") {
      config.Seed = static_cast<uint32_t>(number());
    } else if (arg == "--quiet") {
      quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "termsim: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (!quiet) config.Log = [](const std::string& line) { std::fprintf(stderr, "termsim: %s\n", line.c_str()); };

  // The simulator's thread inherits the blocked signals, so they reach sigwait below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  termsim::TTermSim sim(std::move(config));
  if (!sim.Start()) {
    std::fprintf(stderr, "termsim: %s\n", sim.Error().c_str());
    return 1;
  }
  if (!link.empty()) {
    // Only an old link of ours is replaced, never a file that happens to have the name.
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
      std::fprintf(stderr, "termsim: %s exists and is not a symbolic link\n", link.c_str());
      return 1;
    }
    ::unlink(link.c_str());
    if (::symlink(sim.PortName().c_str(), link.c_str()) != 0) {
      std::fprintf(stderr, "termsim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
      return 1;
    }
  }
  std::printf("%s\n", sim.PortName().c_str());
  std::fflush(stdout);
  int signal = 0;
  sigwait(&stopSignals, &signal);
  sim.Stop();
  if (!link.empty()) ::unlink(link.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "termsim: %s\n", e.what());
  }
  return 1;
}
