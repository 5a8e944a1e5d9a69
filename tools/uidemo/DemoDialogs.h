// The demonstration's dialogs: one with every control kind the layer offers, and a property
// sheet with two pages, the second of which refuses to be left while its field is empty.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace uidemo {

// Caption of the control dialog, which the end-to-end test looks for.
inline constexpr const char* kControlsCaption = "Alle Steuerelemente";
inline constexpr const char* kSheetCaption = "Einstellungen";

// IDOK or IDCANCEL.
intptr_t ShowControlsDialog(platform::TWindow owner);
// 1 after OK, 0 when cancelled.
intptr_t ShowPropertySheet(platform::TWindow owner);

}  // namespace uidemo
