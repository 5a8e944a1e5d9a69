// Whether a command can be used now: the rule of the command table applied to what the
// active window reports, and the greying of commands this build does not carry out yet.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

// What the rules ask of the active window and the frame.
struct TCommandContext {
  uint8_t Kind = 0;  // 0 no window active
  bool ReadOnly = false;
  bool Modified = false;
  bool HasFileName = false;
  bool HasSelection = false;
  bool CanUndo = false, CanRedo = false, CanCut = false, CanCopy = false, CanPaste = false,
       CanDelete = false;
  bool ColumnBlockSupported = false;
  bool ColumnBlockMode = false;  // the frame's global mode
  bool HexExtended = false;
  uint16_t BookmarksSet = 0;  // bit n: bookmark n is set
  bool SearchTextExists = false;
  bool ReplaceRunning = false;
  bool MailAvailable = false;
  bool ModelessOpen = false;
};

// The command's availability rule alone; unknown commands are unavailable.
bool CommandRule(const TCommandContext& context, uint16_t command);
// The rule, and the command is carried out by this build.
bool CommandAvailable(const TCommandContext& context, uint16_t command);

// The context of a window as the frame sees it (none for 0).
TCommandContext ReadCommandContext(platform::TWindow active);
