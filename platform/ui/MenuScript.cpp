// Menus used the way a user would, without a toolkit: opening popups of a menu bar, moving
// over items and choosing commands, with the messages the real menus send.
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

struct TStep {
  TMenu Menu = 0;
  int32_t Position = 0;
};

// Positions from the bar down to the item with the command.
bool PathTo(TMenu menu, uint32_t command, std::vector<TStep>& path, int32_t depth) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || depth > kMaxMenuDepth) return false;
  for (size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItem& it = m->Items[i];
    path.push_back({menu, static_cast<int32_t>(i)});
    if (!it.Popup && !(it.Flags & MF_SEPARATOR) && it.Id == command) return true;
    if (it.Popup && PathTo(it.Popup, command, path, depth + 1)) return true;
    path.pop_back();
  }
  return false;
}

bool LabelsEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void SendInitPopup(TWindow window, TMenu popup, int32_t position) {
  TMenuObject* m = LookupMenu(popup);
  bool system = m && m->SysTarget != 0;
  SendMessage(window, WM_INITMENUPOPUP, popup, MakeLParam(position, system ? 1 : 0));
}

// Walks the steps as the user would and delivers the choice at the last one.
bool Walk(TWindow window, const std::vector<TStep>& path) {
  if (path.empty()) return false;
  SendMessage(window, WM_INITMENU, GetMenu(window), 0);
  TMenu sysTarget = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    TMenu popup = GetSubMenu(path[i].Menu, path[i].Position);
    if (!popup) return false;
    SendMessage(window, WM_MENUSELECT,
                MakeWParam(static_cast<uint32_t>(path[i].Position),
                           GetMenuState(path[i].Menu, static_cast<uint32_t>(path[i].Position),
                                        MF_BYPOSITION) & 0xFFFF),
                static_cast<intptr_t>(path[i].Menu));
    SendInitPopup(window, popup, path[i].Position);
    if (TMenuObject* m = LookupMenu(popup); m && m->SysTarget) sysTarget = m->SysTarget;
  }
  const TStep& last = path.back();
  uint32_t state = GetMenuState(last.Menu, static_cast<uint32_t>(last.Position), MF_BYPOSITION);
  uint32_t command = GetMenuItemID(last.Menu, last.Position);
  bool usable = state != kNoMenuItem && command != kNoMenuItem &&
                !(state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR));
  if (state != kNoMenuItem) {
    SendMessage(window, WM_MENUSELECT, MakeWParam(command, state & 0xFFFF),
                static_cast<intptr_t>(last.Menu));
  }
  MenuClosed(window);
  if (!usable) return false;
  if (sysTarget) return PostMessage(sysTarget, WM_SYSCOMMAND, command, 0);
  return PostMessage(window, WM_COMMAND, command & 0xFFFF, 0);
}

}  // namespace

TMenu OpenMenuPopup(TWindow window, int32_t position) {
  TMenu bar = GetMenu(window);
  TMenu popup = GetSubMenu(bar, position);
  if (!popup) return 0;
  SendMessage(window, WM_INITMENU, bar, 0);
  SendInitPopup(window, popup, position);
  return popup;
}

void HoverMenuItem(TWindow window, TMenu menu, int32_t position) {
  uint32_t state = GetMenuState(menu, static_cast<uint32_t>(position), MF_BYPOSITION);
  if (state == kNoMenuItem) return;
  uint32_t id = (state & MF_POPUP) ? static_cast<uint32_t>(position)
                                   : GetMenuItemID(menu, position);
  SendMessage(window, WM_MENUSELECT, MakeWParam(id, state & 0xFFFF), static_cast<intptr_t>(menu));
}

void MenuClosed(TWindow window) {
  SendMessage(window, WM_MENUSELECT, MakeWParam(0, kMenuClosedFlags), 0);
}

bool ChooseMenuItem(TWindow window, uint32_t command) {
  std::vector<TStep> path;
  if (!PathTo(GetMenu(window), command, path, 0)) return false;
  return Walk(window, path);
}

bool ChooseMenuPath(TWindow window, std::string_view path) {
  std::vector<TStep> steps;
  TMenu menu = GetMenu(window);
  while (!path.empty()) {
    size_t slash = path.find('/');
    std::string_view label = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    TMenuObject* m = LookupMenu(menu);
    if (!m) return false;
    bool found = false;
    for (size_t i = 0; i < m->Items.size() && !found; ++i) {
      if (m->Items[i].Flags & MF_SEPARATOR) continue;
      if (LabelsEqual(MenuLabel(m->Items[i].Text), label)) {
        steps.push_back({menu, static_cast<int32_t>(i)});
        menu = m->Items[i].Popup;
        found = true;
      }
    }
    if (!found) return false;
  }
  // A path must end at a command, not at a popup.
  if (steps.empty() || GetSubMenu(steps.back().Menu, steps.back().Position)) return false;
  return Walk(window, steps);
}

}  // namespace platform
