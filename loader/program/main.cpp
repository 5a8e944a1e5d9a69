// krladwin32: runs the actions of its command line against the terminal on a serial port.
#include <cstdio>
#include <exception>
#include <cstdlib>
#include <string>

#include "loader/actions/CommandLine.h"
#include "loader/actions/ConsoleUi.h"
#include "loader/actions/LoaderRun.h"
#include "platform/serial/TermiosPort.h"

#ifdef ZK_LOADER_WINDOW
#include "loader/program/WindowUi.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/UiSystem.h"
#endif

namespace {

[[maybe_unused]] bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// The run on the worker thread: nothing thrown there may end the program with an abort.
int32_t Guarded(krlad::TLoaderRun& run, const std::vector<std::string>& args) {
  try {
    return run.Run(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "krladwin32: %s\n", e.what());
  }
  return krlad::kExitFailed;
}

int Run(int argc, char** argv) {
  // Each argument as it came: joining them and splitting again at blanks would break a
  // record path that holds a blank.
  const std::vector<std::string> args =
      krlad::ProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
  krlad::TRunSettings settings;
  (void)krlad::ParseSettings(args, settings);  // the run repeats this and reports
  platform::TTermiosPort port;

#ifdef ZK_LOADER_WINDOW
  if (!settings.Console && HasDisplay()) {
    platform::InitUi(std::make_unique<platform::TQtBackend>());
    int32_t result = -1;
    {
      krlad::TStatusWindow window;
      krlad::TWindowUi ui(window);
      krlad::TLoaderRun run(ui, port);
      result = ui.RunWorker([&] { return Guarded(run, args); });
    }
    platform::ShutdownUi();
    if (result >= 0) return result;
    // No window after all: the console does the run.
  }
#endif

  // -K and machines without a display: texts and questions on the terminal.
  krlad::TConsoleUi ui(stdout, stderr, stdin);
  ui.SetRefuseQuestions(settings.NoRetry);
  krlad::TLoaderRun run(ui, port);
  return ui.RunWorker([&] { return Guarded(run, args); });
}

}  // namespace

int main(int argc, char** argv) {
  // Failures are status codes below; anything thrown all the same (memory) is a failed run.
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "krladwin32: %s\n", e.what());
  }
  return krlad::kExitFailed;
}
