// The window classes of the file compare: the document window "ZKEditDiffWin", its two
// panes "ZKDiffFileWin" and the splitter "ZKDiffSplitWin".
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

class TDiffChildData;

// Registers the three classes once; false when that fails.
[[nodiscard]] bool RegisterDiffClasses();

// The pane (0 first file, 1 second) and the splitter of a compare window; 0 on failure.
platform::TWindow CreateDiffPane(platform::TWindow parent, TDiffChildData* owner, int pane);
platform::TWindow CreateDiffSplitter(platform::TWindow parent, TDiffChildData* owner,
                                     uint8_t layout);
