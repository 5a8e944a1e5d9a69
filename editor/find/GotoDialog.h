// The dialog "Gehe zu" of text windows: line (1-based, within the text) and column.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

struct TGotoArgs {
  int32_t LineCount = 1;
  int32_t Line = 1;    // 1-based, preset and chosen
  int32_t Column = 1;  // 1-based
  bool Extend = false;
};

// True on OK with a line inside 1..LineCount and a column of at least 1; a number out of
// range beeps and puts the focus on its field.
[[nodiscard]] bool RunGotoDialog(platform::TWindow owner, TGotoArgs& args);
