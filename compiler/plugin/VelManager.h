// The plug-in's state between host calls and what its commands and host events do:
// compile and transfer, edit the source, copy a source into the project.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/plugin/ErrorView.h"
#include "compiler/plugin/HostShapes.h"
#include "compiler/standalone/FrontEnd.h"

class VELManager {
 public:
  // `pluginDir`: where ZIRE.CFG, krladwin32 and zkedit32 are looked for.
  explicit VELManager(std::string pluginDir);

  // Command 15000 or 15001 of the host; 1 when handled.
  int32_t Command(uint16_t id, velhost::THostWindow& host);
  // Host event of kind 2; its result.
  int32_t HostEvent(uint16_t event, velhost::THostWindow* host, velhost::THostFrame* frame);

  const std::string& PluginDir() const { return PluginDir_; }
  bool ProjectChanged() const { return ProjectChanged_; }
  const std::string& ProjectName() const { return ProjectName_; }
  TErrorView& Messages() { return View_; }
  // Hosts and tests may start programs their own way.
  void SetStarter(TProgramStarter start) { Start_ = std::move(start); }
  // The settings file; the user's configuration directory unless set otherwise.
  void SetSettingsPath(std::string path) { SettingsPath_ = std::move(path); }

 private:
  void CompileAndTransfer(velhost::THostWindow& host);
  void Edit(velhost::THostWindow& host);
  int32_t CopySource(velhost::THostWindow& host, const velhost::THostFrame& frame);
  // The host's answer to a request, "" when it has none.
  static std::string Ask(velhost::THostWindow& host, uint16_t code);
  // The project file name from the host, remembered as the current project.
  std::string ProjectFile(velhost::THostWindow& host);
  std::string EditorPath() const { return PluginDir_ + "/zkedit32.exe"; }

  std::string PluginDir_;
  std::string SettingsPath_;
  TProgramStarter Start_ = RealProgramStarter();
  TErrorView View_;
  bool ProjectChanged_ = false;
  std::string ProjectName_;
  std::string LastSource_;  // the source the messages shown belong to
};
