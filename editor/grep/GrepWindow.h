// What the frame calls of the global search: the command that runs the dialog, the
// search and its hit-list window, the hit list's own commands and its status texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/grep/GrepChildData.h"
#include "editor/grep/GrepTypes.h"
#include "platform/ui/UiTypes.h"

struct TIniOptions;
namespace platform {
class TProfileFile;
}

// What the global search needs of the frame.
struct TGrepHost {
  platform::TWindow Frame = 0;
  platform::TWindow Client = 0;
  TIniOptions* Options = nullptr;             // options, histories, font and colours
  platform::TProfileFile* Profile = nullptr;  // the stored configurations; may be null
  // The frame's one modeless dialog (the progress dialog while it shows); may be null.
  platform::TWindow* Modeless = nullptr;
};

// Registers "ZKEditGrepWin" once; false when that fails.
[[nodiscard]] bool RegisterGrepClass();

// Command 183: the dialog, then the search in a new hit-list window. The window, or 0 when
// the dialog was cancelled or the search ended without a list (its message shown).
platform::TWindow RunGrepCommand(const TGrepHost& host);
// The search of an order in a new hit-list window, with the progress dialog; `status`
// (when given) receives the search's status.
platform::TWindow OpenGrepWindow(const TGrepHost& host, const TGrepParam& order,
                                 int32_t* status = nullptr);

// Commands 152 (bar or caret), 157 (open the marked file) and 158 (start it) for a
// hit-list window; a beep for other windows.
void GrepWindowCommand(platform::TWindow window, uint16_t command);
// The status-bar texts of notification 502 for its phase: part 0 and part 1. False for
// phases that change nothing there.
bool GrepStatusTexts(int32_t phase, platform::TWindow window, std::string& first,
                     std::string& second);

// Shows the message of a status with the search's caption (nothing for silent statuses).
void ShowGrepStatus(platform::TWindow owner, int32_t status);
