// Accelerator matching and translation, and the MDI client's own keys.
#include "platform/ui/Accelerator.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

bool IsKeyDownMessage(uint32_t message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

// Characters posted for the key press just translated: the toolkit delivers them as
// separate messages right behind the key, where a plain loop would never have made them.
void DropFollowingChars(TWindow window) {
  TUiState* s = State();
  std::lock_guard guard(s->QueueLock);
  while (!s->Posted.empty()) {
    const TMsg& next = s->Posted.front();
    if (next.Window != window || (next.Message != WM_CHAR && next.Message != WM_SYSCHAR)) break;
    s->Posted.pop_front();
  }
}

// Lets the window bring the menu item up to date, then reports whether it is greyed.
bool MenuRefuses(TWindow window, uint16_t command) {
  TMenu bar = GetMenu(window);
  TMenu holder = 0;
  int32_t position = 0;
  if (!bar || !FindMenuCommand(bar, command, holder, position)) return false;
  SendMessage(window, WM_INITMENU, bar, 0);
  if (holder != bar) {
    for (int32_t i = 0; i < GetMenuItemCount(bar); ++i) {
      TMenu popup = GetSubMenu(bar, i);
      TMenu inner = 0;
      int32_t at = 0;
      if (popup && FindMenuCommand(popup, command, inner, at)) {
        SendMessage(window, WM_INITMENUPOPUP, popup, MakeLParam(i, 0));
        break;
      }
    }
  }
  uint32_t state = GetMenuState(GetMenu(window), command, MF_BYCOMMAND);
  return state != kNoMenuItem && (state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

uint16_t MatchAccelerator(std::span<const TAccel> table, const TMsg& msg) {
  bool keyDown = IsKeyDownMessage(msg.Message);
  bool character = msg.Message == WM_CHAR || msg.Message == WM_SYSCHAR;
  if (!keyDown && !character) return 0;
  bool alt = (msg.LParam & kKeyDataAltDown) != 0 || msg.Message == WM_SYSCHAR;
  bool shift = IsKeyDown(VK_SHIFT);
  bool control = IsKeyDown(VK_CONTROL);
  for (const TAccel& a : table) {
    if (a.Flags & FVIRTKEY) {
      if (!keyDown || a.Key != msg.WParam) continue;
      if (((a.Flags & FSHIFT) != 0) != shift || ((a.Flags & FCONTROL) != 0) != control ||
          ((a.Flags & FALT) != 0) != alt) {
        continue;
      }
      return a.Command;
    }
    if (!character || a.Key != msg.WParam) continue;
    if (((a.Flags & FALT) != 0) != alt) continue;
    return a.Command;
  }
  return 0;
}

bool TranslateAccelerator(TWindow window, std::span<const TAccel> table, const TMsg& msg) {
  if (!IsWindow(window)) return false;
  uint16_t command = MatchAccelerator(table, msg);
  if (command == 0) return false;
  if (IsKeyDownMessage(msg.Message)) DropFollowingChars(msg.Window);
  if (!MenuRefuses(window, command)) {
    SendMessage(window, WM_COMMAND, MakeWParam(command, 1), 0);
  }
  return true;
}

bool TranslateMdiSysAccel(TWindow client, const TMsg& msg) {
  if (msg.Message != WM_KEYDOWN || !IsKeyDown(VK_CONTROL)) return false;
  TWindow active = static_cast<TWindow>(SendMessage(client, WM_MDIGETACTIVE, 0, 0));
  if (!active) return false;
  uintptr_t command = 0;
  switch (msg.WParam) {
    case VK_F4:
      command = SC_CLOSE;
      break;
    case VK_F6:
    case VK_TAB:
      command = IsKeyDown(VK_SHIFT) ? SC_PREVWINDOW : SC_NEXTWINDOW;
      break;
    default:
      return false;
  }
  DropFollowingChars(msg.Window);
  SendMessage(active, WM_SYSCOMMAND, command, 0);
  return true;
}

}  // namespace platform
