// Menu handles and their items, the menu bar of a window, and context menus.
#include "platform/ui/Menu.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/MenuState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace ui_detail {

TMenuObject* LookupMenu(TMenu menu) {
  if (menu == 0) return nullptr;
  return dynamic_cast<TMenuObject*>(LookupHandle(menu, THandleKind::Other));
}

bool ContainsMenu(TMenu tree, TMenu menu, int32_t depth) {
  if (tree == menu) return true;
  TMenuObject* m = LookupMenu(tree);
  if (!m || depth > kMaxMenuDepth) return false;
  return std::any_of(m->Items.begin(), m->Items.end(), [&](const TMenuItem& item) {
    return item.Popup && ContainsMenu(item.Popup, menu, depth + 1);
  });
}

void MenuTouched(TMenu menu) {
  TUiState* s = State();
  if (!s) return;
  if (TWindow owner = MenuBarOwner(menu)) s->Backend->MenuChanged(owner);
}

}  // namespace ui_detail

namespace {

// The item that (item, flags) names: by position in `menu`, or by command anywhere below it.
bool Locate(TMenu menu, uint32_t item, uint32_t flags, TMenuObject*& holder, size_t& index,
            int32_t depth = 0) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || depth > kMaxMenuDepth) return false;
  if (flags & MF_BYPOSITION) {
    if (item >= m->Items.size()) return false;
    holder = m;
    index = item;
    return true;
  }
  for (size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItem& it = m->Items[i];
    if (!it.Popup && !(it.Flags & MF_SEPARATOR) && it.Id == item) {
      holder = m;
      index = i;
      return true;
    }
  }
  for (const TMenuItem& it : m->Items) {
    if (it.Popup && Locate(it.Popup, item, flags, holder, index, depth + 1)) return true;
  }
  return false;
}

// A popup may sit in one place only, and never inside itself.
bool CanAdopt(TMenu menu, uint32_t flags, uintptr_t idOrPopup) {
  if (!(flags & MF_POPUP)) return true;
  TMenu popup = static_cast<TMenu>(idOrPopup);
  return LookupMenu(popup) && !ContainsMenu(popup, menu, 0);
}

TMenuItem MakeItem(uint32_t flags, uintptr_t idOrPopup, std::string_view text) {
  TMenuItem item;
  item.Flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
  if (flags & MF_POPUP) {
    item.Popup = static_cast<TMenu>(idOrPopup);
  } else if (!(flags & MF_SEPARATOR)) {
    item.Id = static_cast<uint32_t>(idOrPopup & 0xFFFF);
    item.Text = std::string(text);
  }
  if (flags & MF_POPUP) item.Text = std::string(text);
  return item;
}

void DestroyTree(TMenu menu, int32_t depth) {
  TMenuObject* m = LookupMenu(menu);
  if (!m) return;
  std::vector<TMenuItem> items = std::move(m->Items);
  RemoveHandle(menu);
  if (depth > kMaxMenuDepth) return;
  for (const TMenuItem& it : items) {
    if (it.Popup) DestroyTree(it.Popup, depth + 1);
  }
}

std::deque<uint32_t>& PopupChoices() {
  static std::deque<uint32_t> choices;
  return choices;
}

}  // namespace

TMenu LoadMenuIndirect(std::span<const TMenuEntry> entries, bool asPopup) {
  TMenu root = asPopup ? CreatePopupMenu() : CreateMenu();
  if (!root) return 0;
  std::vector<TMenu> open{root};
  for (const TMenuEntry& e : entries) {
    TMenu current = open.back();
    bool ok = true;
    switch (e.Kind) {
      case TMenuEntry::Item:
        ok = AppendMenu(current, MF_STRING | e.Flags, e.Id, e.Text);
        break;
      case TMenuEntry::Separator:
        ok = AppendMenu(current, MF_SEPARATOR, 0, {});
        break;
      case TMenuEntry::Popup: {
        TMenu popup = CreatePopupMenu();
        ok = popup && open.size() <= kMaxMenuDepth &&
             AppendMenu(current, MF_POPUP | e.Flags, popup, e.Text);
        if (ok) {
          open.push_back(popup);
        } else if (popup) {
          DestroyMenu(popup);
        }
        break;
      }
      case TMenuEntry::End:
        ok = open.size() > 1;
        if (ok) open.pop_back();
        break;
    }
    if (!ok) {
      DestroyMenu(root);
      return 0;
    }
  }
  if (open.size() != 1) {
    DestroyMenu(root);
    return 0;
  }
  return root;
}

namespace {

TMenu NewMenu(bool popup) {
  auto object = std::make_unique<TMenuObject>();
  TMenuObject* m = object.get();
  m->IsPopup = popup;
  TMenu menu = AddHandle(std::move(object));
  if (menu) m->Self = menu;
  return menu;
}

}  // namespace

TMenu CreateMenu() { return NewMenu(false); }

TMenu CreatePopupMenu() { return NewMenu(true); }

bool DestroyMenu(TMenu menu) {
  if (!LookupMenu(menu)) return false;
  TWindow owner = MenuBarOwner(menu);
  if (TWindowObject* w = Lookup(owner); w && w->Menu == menu) w->Menu = 0;
  DestroyTree(menu, 0);
  if (owner && State()) State()->Backend->MenuChanged(owner);
  return true;
}

bool IsMenu(TMenu menu) { return LookupMenu(menu) != nullptr; }

bool AppendMenu(TMenu menu, uint32_t flags, uintptr_t idOrPopup, std::string_view text) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || !CanAdopt(menu, flags, idOrPopup)) return false;
  m->Items.push_back(MakeItem(flags, idOrPopup, text));
  MenuTouched(menu);
  return true;
}

bool InsertMenu(TMenu menu, uint32_t item, uint32_t flags, uintptr_t idOrPopup,
                std::string_view text) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || !CanAdopt(menu, flags, idOrPopup)) return false;
  TMenuObject* holder = m;
  size_t index = m->Items.size();
  if (!Locate(menu, item, flags, holder, index) && !(flags & MF_BYPOSITION)) return false;
  holder->Items.insert(holder->Items.begin() + static_cast<std::ptrdiff_t>(index),
                       MakeItem(flags, idOrPopup, text));
  MenuTouched(menu);
  return true;
}

bool ModifyMenu(TMenu menu, uint32_t item, uint32_t flags, uintptr_t idOrPopup,
                std::string_view text) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return false;
  TMenuItem& target = holder->Items[index];
  if ((flags & MF_POPUP) && static_cast<TMenu>(idOrPopup) != target.Popup &&
      !CanAdopt(menu, flags, idOrPopup)) {
    return false;
  }
  TMenu old = target.Popup;
  target = MakeItem(flags, idOrPopup, text);
  if (old && old != target.Popup) DestroyTree(old, 0);
  MenuTouched(menu);
  return true;
}

bool DeleteMenu(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return false;
  TMenu popup = holder->Items[index].Popup;
  holder->Items.erase(holder->Items.begin() + static_cast<std::ptrdiff_t>(index));
  if (popup) DestroyTree(popup, 0);
  MenuTouched(menu);
  return true;
}

bool RemoveMenu(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return false;
  holder->Items.erase(holder->Items.begin() + static_cast<std::ptrdiff_t>(index));
  MenuTouched(menu);
  return true;
}

uint32_t CheckMenuItem(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return kNoMenuItem;
  uint32_t& f = holder->Items[index].Flags;
  uint32_t old = f & MF_CHECKED;
  f = (f & ~MF_CHECKED) | (flags & MF_CHECKED);
  if (old != (f & MF_CHECKED)) MenuTouched(menu);
  return old;
}

uint32_t EnableMenuItem(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return kNoMenuItem;
  uint32_t& f = holder->Items[index].Flags;
  uint32_t old = f & (MF_GRAYED | MF_DISABLED);
  f = (f & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  if (old != (f & (MF_GRAYED | MF_DISABLED))) MenuTouched(menu);
  return old;
}

uint32_t GetMenuState(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return kNoMenuItem;
  return holder->Items[index].Flags;
}

int32_t GetMenuItemCount(TMenu menu) {
  TMenuObject* m = LookupMenu(menu);
  return m ? static_cast<int32_t>(m->Items.size()) : -1;
}

uint32_t GetMenuItemID(TMenu menu, int32_t position) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->Items.size()) return kNoMenuItem;
  const TMenuItem& item = m->Items[static_cast<size_t>(position)];
  return item.Popup ? kNoMenuItem : item.Id;
}

TMenu GetSubMenu(TMenu menu, int32_t position) {
  TMenuObject* m = LookupMenu(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->Items.size()) return 0;
  return m->Items[static_cast<size_t>(position)].Popup;
}

std::string GetMenuString(TMenu menu, uint32_t item, uint32_t flags) {
  TMenuObject* holder = nullptr;
  size_t index = 0;
  if (!Locate(menu, item, flags, holder, index)) return {};
  return holder->Items[index].Text;
}

std::string MenuLabel(std::string_view text) {
  std::string label;
  for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
    if (text[i] == '&') {
      // "&&" shows one ampersand; a single one only marks the mnemonic.
      if (i + 1 < text.size() && text[i + 1] == '&') {
        label += '&';
        ++i;
      }
      continue;
    }
    label += text[i];
  }
  return label;
}

bool SetMenu(TWindow window, TMenu menu) {
  TWindowObject* w = Lookup(window);
  if (!w || (menu && !LookupMenu(menu))) return false;
  w->Menu = menu;
  State()->Backend->MenuChanged(window);
  return true;
}

TMenu GetMenu(TWindow window) {
  TWindowObject* w = Lookup(window);
  return w ? w->Menu : 0;
}

void DrawMenuBar(TWindow window) {
  if (TUiState* s = State(); s && Lookup(window)) s->Backend->MenuChanged(window);
}

TWindow MenuBarOwner(TMenu menu) {
  TUiState* s = State();
  if (!s || !menu) return 0;
  for (TWindow window : s->Windows) {
    TWindowObject* w = Lookup(window);
    if (w && w->Menu && ContainsMenu(w->Menu, menu, 0)) return window;
  }
  return 0;
}

bool FindMenuCommand(TMenu menu, uint32_t command, TMenu& holder, int32_t& position) {
  TMenuObject* m = nullptr;
  size_t index = 0;
  if (!Locate(menu, command, MF_BYCOMMAND, m, index)) return false;
  holder = m->Self;
  position = static_cast<int32_t>(index);
  return true;
}

uint32_t TrackPopupMenu(TMenu popup, uint32_t flags, TPoint screen, TWindow owner) {
  TUiState* s = State();
  if (!s || !LookupMenu(popup) || !Lookup(owner)) return 0;
  if (!(flags & TPM_NONOTIFY)) {
    SendMessage(owner, WM_INITMENUPOPUP, popup, MakeLParam(0, 0));
  }
  int64_t native = s->Backend->TrackPopup(owner, popup, screen);
  uint32_t command = 0;
  if (native >= 0) {
    command = static_cast<uint32_t>(native);
  } else if (!PopupChoices().empty()) {
    command = PopupChoices().front();
    PopupChoices().pop_front();
  }
  if (command != 0 && native < 0) {
    TMenu holder = 0;
    int32_t position = 0;
    // A scripted choice counts only where the user could have made it.
    if (!FindMenuCommand(popup, command, holder, position) ||
        (GetMenuState(holder, static_cast<uint32_t>(position), MF_BYPOSITION) &
         (MF_GRAYED | MF_DISABLED))) {
      command = 0;
    } else if (!(flags & TPM_NONOTIFY)) {
      SendMessage(owner, WM_MENUSELECT, MakeWParam(command, 0), static_cast<intptr_t>(holder));
    }
  }
  if (!(flags & TPM_NONOTIFY) && Lookup(owner)) {
    SendMessage(owner, WM_MENUSELECT, MakeWParam(0, kMenuClosedFlags), 0);
  }
  if (flags & TPM_RETURNCMD) return command;
  if (command == 0) return 0;
  PostMessage(owner, WM_COMMAND, command & 0xFFFF, 0);
  return 1;
}

void QueuePopupChoice(uint32_t command) { PopupChoices().push_back(command); }

}  // namespace platform
