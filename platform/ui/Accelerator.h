// Accelerator tables as data and their translation in the message loop: key presses with
// Ctrl, Alt and Shift, function keys and characters become WM_COMMAND before dispatch.
#pragma once

#include <cstdint>
#include <span>

#include "platform/ui/UiTypes.h"

namespace platform {

// Flags of an entry (Windows numbers). Without FVIRTKEY the key is a character of the Windows
// code page, matched in WM_CHAR (with FALT: in WM_SYSCHAR with Alt held).
constexpr uint8_t FVIRTKEY = 0x01;
constexpr uint8_t FSHIFT = 0x04;
constexpr uint8_t FCONTROL = 0x08;
constexpr uint8_t FALT = 0x10;

struct TAccel {
  uint8_t Flags = 0;
  uint16_t Key = 0;
  uint16_t Command = 0;
};

// The command of the first entry that the key message matches; 0 when none does.
uint16_t MatchAccelerator(std::span<const TAccel> table, const TMsg& msg);

// When the message matches an entry, sends WM_COMMAND (high word 1) to `window` and returns
// true; the characters the same key press produced are dropped. An entry whose command is a
// greyed item of the window's menu (after WM_INITMENU and WM_INITMENUPOPUP let the window
// update it) is translated without a command, as the menu would refuse it.
bool TranslateAccelerator(TWindow window, std::span<const TAccel> table, const TMsg& msg);

// The keys of an MDI client: Ctrl+F4 closes the active document window, Ctrl+F6 and Ctrl+Tab
// activate the next, with Shift the previous one (WM_SYSCOMMAND to the active window).
bool TranslateMdiSysAccel(TWindow client, const TMsg& msg);

}  // namespace platform
