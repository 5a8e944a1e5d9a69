// Internal state of menus, shared by the layer's menu and MDI source files only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/ui/Menu.h"

namespace platform::ui_detail {

// Deeper trees are refused: they only come from broken tables or cycles.
constexpr int32_t kMaxMenuDepth = 16;

struct TMenuItem {
  uint32_t Flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
  uint32_t Id = 0;     // 0 for popups and separators
  std::string Text;
  TMenu Popup = 0;  // owned
};

struct TMenuObject final : THandleObject {
  THandleKind Kind() const override { return THandleKind::Other; }
  TMenu Self = 0;
  bool IsPopup = false;
  // A document window's system menu shown in the frame's bar: its commands go to this window
  // as WM_SYSCOMMAND.
  TWindow SysTarget = 0;
  std::vector<TMenuItem> Items;
};

TMenuObject* LookupMenu(TMenu menu);
// True when `menu` is `tree` or lies below it.
bool ContainsMenu(TMenu tree, TMenu menu, int32_t depth);
// Tells the back end that the bar holding `menu` changed.
void MenuTouched(TMenu menu);

}  // namespace platform::ui_detail
