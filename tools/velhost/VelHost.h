// velhost: a small project window that loads the velcomp plug-in, merges its menu items,
// keeps the project data the plug-in asks for and passes it the commands and events.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/plugin/HostShapes.h"

namespace velhost {

// A project: a file of our own (sections as in a settings file) beside which the VEL source,
// the data record and the message file live under the same name with other extensions.
//   [Projekt]
//   Treiber=ZIRE.DRV        ; relative to the project's directory
//   Datenspeicher=4         ; kB
struct TVelProject {
  std::string FileName;  // absolute
  std::string Driver;    // absolute, "" when none
  uint16_t DataMemoryKB = 4;
};

// 0, or -1 when the file cannot be read.
[[nodiscard]] int32_t LoadProject(const std::string& fileName, TVelProject& project);

// The plug-in's four entry points.
struct TPluginEntries {
  TGetDLLVersion GetDLLVersion = nullptr;
  TMergeMenu MergeMenu = nullptr;
  TEvCommandEnable EvCommandEnable = nullptr;
  TEvCommand EvCommand = nullptr;
};

class TVelHost final : public THostWindow {
 public:
  TVelHost() = default;
  ~TVelHost();
  TVelHost(const TVelHost&) = delete;
  TVelHost& operator=(const TVelHost&) = delete;

  // Loads the plug-in; false with a reason when it cannot be loaded or lacks an entry.
  bool LoadPlugin(const std::string& path, std::string* reason);
  // Creates the frame with its menu (the plug-in's items merged in) and the MDI client.
  bool Create();
  platform::TWindow Frame() const { return Frame_; }

  // Closes the current project (host event 5) and opens another; false when unreadable.
  bool OpenProject(const std::string& fileName);
  const TVelProject& Project() const { return Project_; }
  // Host event 1: copies the VEL source beside `fileName` into the project.
  int32_t CopySourceIntoProject(const std::string& fileName);
  // Runs a plug-in command (15000, 15001) as the menu would; its result.
  int32_t RunCommand(uint16_t id);
  // Host events 3 to 5.
  int32_t Notify(uint16_t event);
  // The plug-in's version text.
  std::string PluginVersion() const;
  const TPluginEntries& Entries() const { return Entries_; }
  // The enabler's verdict for a command: 1 enabled, 0 disabled, -1 left alone.
  int32_t CommandState(uint16_t id) const;

  // THostWindow
  platform::TWindow MainWindow() const override { return Frame_; }
  platform::TWindow MdiClient() const override { return Client_; }
  intptr_t Request(THostRequest& request) override;
  const THostProjectData& ProjectData() const override { return Data_; }

 private:
  static intptr_t FrameProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam);
  intptr_t Handle(uint32_t message, uintptr_t wParam, intptr_t lParam);
  void EnableItems(platform::TMenu popup);
  void ChooseSource();
  void ChooseProject();

  void* Library_ = nullptr;
  TPluginEntries Entries_;
  platform::TWindow Frame_ = 0;
  platform::TWindow Client_ = 0;
  TVelProject Project_;
  THostProjectData Data_;
  std::string Answer_;  // the text of the last request's answer
};

}  // namespace velhost
