// The window procedure common to every document window; each class's own procedure handles
// wm_CreateChildObject and passes everything else here.
#pragma once

#include <cstdint>

#include "editor/text/ScrlChildData.h"
#include "platform/ui/UiTypes.h"

intptr_t ChildWindowProc(platform::TWindow window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam);

// The object of a document window; null for other windows and before WM_CREATE ends.
TScrlChildData* GetChildData(platform::TWindow window);
