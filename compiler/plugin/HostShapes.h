// The objects a host program passes to the velcomp plug-in, and the plug-in's four entry
// points. Host and plug-in are built with the same compiler and standard library, so these
// C++ shapes may cross the shared-object boundary.
//
// Calling contract:
// - Every call comes from the host's window thread; the plug-in may run the window loop
//   (dialogs, message boxes) inside a call.
// - Objects are owned by the host and stay valid for the duration of the call; the plug-in
//   never keeps them, never deletes them, and keeps only its own state between calls.
// - Texts are UTF-8 file names and captions.
// - No exception leaves an entry point; failures are results (0, -1) as documented.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Menu.h"
#include "platform/ui/UiTypes.h"

namespace velhost {

// The host's text object; _GetDLLVersion appends to it.
struct THostText {
  std::string Text;
};

// The host's menu object: its first field is the menu handle the items go into.
struct THostMenu {
  platform::TMenu Handle = 0;
};

// The host's command enabler: its second field is the command id, its first virtual
// operation enables or disables the command and returns the enabler's result.
class THostCommandEnabler {
 public:
  virtual int32_t Enable(bool enable) = 0;
  uint32_t Flags = 0;
  uint32_t Id = 0;

 protected:
  ~THostCommandEnabler() = default;
};

// Request codes the plug-in sends to the host window.
constexpr uint16_t hrProjectFileName = 301;  // the project file's name
constexpr uint16_t hrDriverFileName = 410;   // the project driver's file name
constexpr uint32_t kRequestFlags = 0x40;

// One request: the host sets *Answer to its text (which stays valid until its next
// request); *Answer starts as "" and stays so when the host has no answer.
struct THostRequest {
  uint16_t Code = 0;
  uint32_t Flags = kRequestFlags;
  const char** Answer = nullptr;
  uint16_t Argument = 0;
};

// The project's data the plug-in reads.
struct THostProjectData {
  uint16_t DataMemoryKB = 4;  // data memory of the terminal in kB
};

// The host's window object passed to _EvCommand. Its third operation answers requests.
class THostWindow {
 public:
  // The host's main window: owner of the plug-in's dialogs and boxes.
  virtual platform::TWindow MainWindow() const = 0;
  // The MDI client the window "Meldungen" goes into; 0 when the host has none (the window
  // is then a top-level window owned by the main window).
  virtual platform::TWindow MdiClient() const = 0;
  // Nonzero when the request was answered.
  virtual intptr_t Request(THostRequest& request) = 0;
  virtual const THostProjectData& ProjectData() const = 0;

 protected:
  ~THostWindow() = default;
};

// The host's frame object: for event 1 it names the VEL source to copy into the project.
struct THostFrame {
  platform::TWindow Window = 0;
  std::string FileName;
};

// Command ids the plug-in adds to the host's menu.
constexpr uint16_t cmVelCompile = 15000;
constexpr uint16_t cmVelEdit = 15001;

// _EvCommand kinds and the host events of kind 2.
constexpr int16_t ekCommand = 1;
constexpr int16_t ekHostEvent = 2;
constexpr uint16_t heCopySource = 1;
constexpr uint16_t heQueryChanged = 3;
constexpr uint16_t heClearChanged = 4;
constexpr uint16_t heCloseProject = 5;

}  // namespace velhost

// The entry points, found by name with dlsym.
extern "C" {
using TGetDLLVersion = velhost::THostText* (*)(velhost::THostText* text);
using TMergeMenu = int32_t (*)(velhost::THostMenu* menu, int16_t position, int16_t item);
using TEvCommandEnable = int32_t (*)(velhost::THostCommandEnabler* enabler);
using TEvCommand = int32_t (*)(int16_t kind, uint16_t id, velhost::THostWindow* window,
                               velhost::THostFrame* frame);
}
