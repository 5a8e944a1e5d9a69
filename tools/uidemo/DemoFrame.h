// The demonstration's frame: menu bar, accelerators, tool bar, status bar and an MDI client
// with two document windows; the commands open the dialogs, copy and paste between the
// windows, arrange them and open dropped files.
#pragma once

#include <span>
#include <string_view>

#include "platform/ui/Accelerator.h"
#include "platform/ui/UiTypes.h"

namespace uidemo {

inline constexpr const char* kFrameCaption = "UI-Demo - Z&K Quellwerk";

enum : uint16_t {
  kCmdNew = 100, kCmdOpen, kCmdQuit,
  kCmdCopy = 110, kCmdPaste,
  kCmdToolBar = 120, kCmdStatusBar,
  kCmdControls = 130, kCmdSheet, kCmdFont, kCmdColor,
  kCmdCascade = 140, kCmdTileVert, kCmdTileHorz, kCmdIcons,
  kCmdFirstChild = 1000,
};

// Registers the classes, creates and shows the frame with its two windows; 0 on failure.
platform::TWindow CreateDemoFrame();
// The MDI client of the frame.
platform::TWindow DemoClient(platform::TWindow frame);
std::span<const platform::TAccel> DemoAccelerators();

}  // namespace uidemo
