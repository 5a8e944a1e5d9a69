// The editor program's run: command line, settings, hand-over to a running instance, the
// frame and its message loop, and the end with the settings written once.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"

struct TProgramSetup {
  // Makes the window back end; called only when a display is there.
  std::function<std::unique_ptr<platform::TUiBackend>()> MakeBackend;
  // Whether a display can be reached.
  std::function<bool()> HasDisplay;
  std::string ProgramDirectory;  // where the settings, help and colour files are looked for
};

// Returns the exit code: 0, 1 without a display, 255 when the frame cannot be created.
int RunEditor(const std::vector<std::string>& args, const TProgramSetup& setup);
