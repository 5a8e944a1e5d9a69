// velhost [PROJECT.vpj] [-PPLUGIN]: the project window that hosts the velcomp plug-in
// (by default velcomp.so beside the program).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "platform/file/SettingsPath.h"
#include "platform/qt/QtBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"
#include "tools/velhost/VelHost.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

int Run(int argc, char** argv) {
  std::string plugin = platform::ProgramDirectory() + "/velcomp.so";
  std::string project;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("-P", 0) == 0 && arg.size() > 2) {
      plugin = arg.substr(2);
    } else if (project.empty()) {
      project = arg;
    }
  }
  if (!HasDisplay()) {
    std::fputs("velhost: kein Bildschirm (DISPLAY) vorhanden\n", stderr);
    return 2;
  }
  platform::InitUi(std::make_unique<platform::TQtBackend>());
  int32_t code = 1;
  {
    velhost::TVelHost host;
    std::string reason;
    if (!host.LoadPlugin(plugin, &reason)) {
      std::fprintf(stderr, "velhost: %s\n", reason.c_str());
    } else if (!host.Create()) {
      std::fputs("velhost: Fenster konnte nicht erzeugt werden\n", stderr);
    } else {
      if (!project.empty() && !host.OpenProject(project)) {
        std::fprintf(stderr, "velhost: Projekt \"%s\" konnte nicht gelesen werden\n",
                     project.c_str());
      }
      platform::ShowWindow(host.Frame(), true);
      code = platform::RunMessageLoop();
    }
  }
  platform::ShutdownUi();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velhost: %s\n", e.what());
  }
  return 1;
}
