// The frame's hex-window commands that need a dialog or a message: the mode switch (155),
// inserting bytes (156) and going to an offset (180).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui/UiTypes.h"

// Switches the mode; when the window refuses for write protection the owner shows why.
// False when the mode did not change.
bool HexToggleModeCommand(platform::TWindow owner, platform::TWindow window);
// Dialog "Bytes einfügen", then the insertion at the caret; false when inserting failed
// (the caller beeps). A cancelled dialog counts as done.
bool HexInsertCommand(platform::TWindow owner, platform::TWindow window);
// Dialog "Gehe zu" for an offset, then the caret goes there.
void HexGotoCommand(platform::TWindow owner, platform::TWindow window);
// The offsets gone to, most recent first.
std::vector<int64_t> HexGotoHistory();
