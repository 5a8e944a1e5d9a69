// The four window classes of document windows: names, styles and cursors per kind.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace platform {
struct TImageStrip;  // ToolBar.h
}

struct TChildClassInfo {
  uint8_t Kind;
  const char* Name;
  uint32_t Style;
  platform::TCursorKind Cursor;
};

constexpr TChildClassInfo kChildClasses[] = {
    {1, "ZKEditEditWin", platform::CS_DBLCLKS, platform::TCursorKind::IBeam},
    {2, "ZKEditHexWin", 0, platform::TCursorKind::IBeam},
    {3, "ZKEditGrepWin", platform::CS_DBLCLKS, platform::TCursorKind::Arrow},
    {4, "ZKEditDiffWin", platform::CS_DBLCLKS | platform::CS_HREDRAW | platform::CS_VREDRAW,
     platform::TCursorKind::Arrow},
};

// Null for an unknown kind.
const TChildClassInfo* ChildClassInfo(uint8_t kind);

// Registers the class of a kind with the kind's own procedure, which creates its object on
// wm_CreateChildObject and passes every other message to ChildWindowProc. The icon shows in
// the windows' title bars; it must outlive the class.
[[nodiscard]] bool RegisterChildClass(uint8_t kind, platform::TWindowProc classProc,
                                      const platform::TImageStrip* icon = nullptr);
