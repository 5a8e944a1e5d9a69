// zkedit32: the editor program.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "editor/program/Program.h"
#include "platform/file/SettingsPath.h"
#include "platform/qt/QtBackend.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  TProgramSetup setup;
  setup.MakeBackend = [] { return std::make_unique<platform::TQtBackend>(); };
  setup.ProgramDirectory = platform::ProgramDirectory();
  try {
    return RunEditor(args, setup);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zkedit32: %s\n", e.what());
  }
  return 255;
}
