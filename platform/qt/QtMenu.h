// Native menus for the layer's menus: a QMenuBar per window with a menu, QMenus for popups
// and context menus. Opening a popup sends WM_INITMENUPOPUP, moving over items WM_MENUSELECT,
// a choice posts WM_COMMAND (WM_SYSCOMMAND for a document window's system menu).
#pragma once

#include <cstdint>

#include "platform/ui/Menu.h"

class QMenuBar;
class QWidget;

namespace platform {

// Makes `target` (a QMenuBar or QMenu) show `menu`: items are rebuilt where the structure
// changed and updated in place otherwise, so an open popup stays open.
void SyncNativeMenu(QWidget* target, TMenu menu, TWindow owner);
// Shows `popup` at a screen point and returns the chosen command (0 for none).
uint32_t ExecNativePopup(TMenu popup, TWindow owner, TPoint screen);

}  // namespace platform
