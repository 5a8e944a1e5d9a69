// The MDI client: document windows, activation, window states, arrangement, window list.
#include "platform/ui/Mdi.h"

#include <algorithm>
#include <map>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/MenuState.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform {

using namespace ui_detail;

namespace {

struct TClientState {
  TWindow Frame = 0;
  TMenu WindowMenu = 0;
  uint32_t IdFirst = 0;
  std::vector<TWindow> Order;   // creation order: the window list
  std::vector<TWindow> ZOrder;  // front is the active window
  TWindow Active = 0;
  std::map<TWindow, TRect> Normal;  // place of maximised and minimised windows when restored
  TMenu SysMenu = 0;                // the maximised window's system menu in the frame's bar
  TMenu SysMenuBar = 0;             // the bar it sits in
  bool ListSeparator = false;       // the separator before the list is ours
};

TClientState* StateOf(TWindow client) {
  if (!IsMdiClient(client)) return nullptr;
  return reinterpret_cast<TClientState*>(GetWindowExtra(client, 0));
}

bool IsMaximized(TWindow w) { return (GetWindowStyle(w) & WS_MAXIMIZE) != 0; }

void SetStateBits(TWindow w, uint32_t set, uint32_t clear) {
  SetWindowStyle(w, (GetWindowStyle(w) & ~clear & ~WS_VISIBLE) | set);
}

// --- Window list -------------------------------------------------------------------------

void RemoveList(TClientState& c) {
  if (!IsMenu(c.WindowMenu)) {
    c.ListSeparator = false;
    return;
  }
  for (int32_t i = GetMenuItemCount(c.WindowMenu) - 1; i >= 0; --i) {
    uint32_t id = GetMenuItemID(c.WindowMenu, i);
    if (id != kNoMenuItem && id >= c.IdFirst && id < c.IdFirst + kMdiListEntries) {
      DeleteMenu(c.WindowMenu, static_cast<uint32_t>(i), MF_BYPOSITION);
    }
  }
  int32_t count = GetMenuItemCount(c.WindowMenu);
  if (c.ListSeparator && count > 0 &&
      (GetMenuState(c.WindowMenu, static_cast<uint32_t>(count - 1), MF_BYPOSITION) &
       MF_SEPARATOR)) {
    DeleteMenu(c.WindowMenu, static_cast<uint32_t>(count - 1), MF_BYPOSITION);
  }
  c.ListSeparator = false;
}

void BuildList(TClientState& c) {
  RemoveList(c);
  if (!IsMenu(c.WindowMenu) || c.Order.empty()) return;
  if (GetMenuItemCount(c.WindowMenu) > 0) {
    AppendMenu(c.WindowMenu, MF_SEPARATOR, 0, {});
    c.ListSeparator = true;
  }
  const bool more = c.Order.size() > static_cast<size_t>(kMdiListEntries);
  int32_t n = 0;
  for (TWindow w : c.Order) {
    if (more && n == kMdiListEntries - 1) {
      AppendMenu(c.WindowMenu, MF_STRING, c.IdFirst + n, "&Weitere Fenster ...");
      break;
    }
    if (n == kMdiListEntries) break;
    std::string label = n < 9 ? "&" + std::to_string(n + 1) : "1&0";
    label += ' ';
    label += GetWindowText(w);
    AppendMenu(c.WindowMenu, MF_STRING | (w == c.Active ? MF_CHECKED : 0), c.IdFirst + n, label);
    ++n;
  }
}

// --- The maximised window's system menu in the frame's bar -------------------------------

void RemoveSysMenu(TClientState& c) {
  if (!c.SysMenu) return;
  if (IsMenu(c.SysMenuBar)) {
    for (int32_t i = 0; i < GetMenuItemCount(c.SysMenuBar); ++i) {
      if (GetSubMenu(c.SysMenuBar, i) == c.SysMenu) {
        RemoveMenu(c.SysMenuBar, static_cast<uint32_t>(i), MF_BYPOSITION);
        break;
      }
    }
  }
  DestroyMenu(c.SysMenu);
  c.SysMenu = 0;
  c.SysMenuBar = 0;
}

// While the active window is maximised its system menu takes position 0 of the frame's bar.
void SyncSysMenu(TClientState& c) {
  TMenu bar = GetMenu(c.Frame);
  bool want = c.Active && IsMaximized(c.Active) && bar;
  if (!want || c.SysMenuBar != bar) RemoveSysMenu(c);
  if (!want) return;
  if (!c.SysMenu) {
    static constexpr TMenuEntry kItems[] = {
        {TMenuEntry::Item, static_cast<uint16_t>(SC_RESTORE), "&Wiederherstellen", 0},
        {TMenuEntry::Item, static_cast<uint16_t>(SC_MINIMIZE), "Mi&nimieren", 0},
        {TMenuEntry::Item, static_cast<uint16_t>(SC_MAXIMIZE), "Ma&ximieren", MF_GRAYED},
        {TMenuEntry::Separator, 0, {}, 0},
        {TMenuEntry::Item, static_cast<uint16_t>(SC_CLOSE), "&Schlie\xC3\x9F" "en\tStrg+F4", 0},
        {TMenuEntry::Separator, 0, {}, 0},
        {TMenuEntry::Item, static_cast<uint16_t>(SC_NEXTWINDOW), "N\xC3\xA4" "chs&tes\tStrg+F6", 0},
    };
    c.SysMenu = LoadMenuIndirect(kItems, true);
    if (!c.SysMenu) return;
    LookupMenu(c.SysMenu)->SysTarget = c.Active;
    InsertMenu(bar, 0, MF_BYPOSITION | MF_POPUP, c.SysMenu, "&-");
    c.SysMenuBar = bar;
  } else if (TMenuObject* m = LookupMenu(c.SysMenu)) {
    m->SysTarget = c.Active;
  }
}

void Refresh(TClientState& c) {
  BuildList(c);
  SyncSysMenu(c);
}

// --- States and geometry -----------------------------------------------------------------

TRect IconRect(TWindow client, int32_t index) {
  TRect area = GetClientRect(client);
  int32_t w = GetSystemMetrics(SM_CXMINIMIZED);
  int32_t h = GetSystemMetrics(SM_CYMINIMIZED);
  int32_t perRow = std::max(area.Width() / w, 1);
  int32_t x = (index % perRow) * w;
  int32_t y = area.Height() - (1 + index / perRow) * h;
  return TRect{x, y, x + w, y + h};
}

void ArrangeIcons(TWindow client, TClientState& c) {
  int32_t n = 0;
  for (TWindow w : c.Order) {
    if (IsIconic(w)) MoveWindow(w, IconRect(client, n++));
  }
}

void Restore(TClientState& c, TWindow w) {
  if (!(GetWindowStyle(w) & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  SetStateBits(w, 0, WS_MAXIMIZE | WS_MINIMIZE);
  auto it = c.Normal.find(w);
  TRect normal = it != c.Normal.end() ? it->second : GetWindowRect(w);
  if (it != c.Normal.end()) c.Normal.erase(it);
  MoveWindow(w, normal);
}

void Maximize(TWindow client, TClientState& c, TWindow w) {
  if (IsMaximized(w)) return;
  if (!IsIconic(w)) c.Normal[w] = GetWindowRect(w);
  SetStateBits(w, WS_MAXIMIZE, WS_MINIMIZE);
  TRect area = GetClientRect(client);
  MoveWindow(w, area);
}

void Minimize(TWindow client, TClientState& c, TWindow w) {
  if (IsIconic(w)) return;
  if (!IsMaximized(w)) c.Normal[w] = GetWindowRect(w);
  SetStateBits(w, WS_MINIMIZE, WS_MAXIMIZE);
  int32_t icons = 0;
  for (TWindow other : c.Order) icons += other != w && IsIconic(other);
  MoveWindow(w, IconRect(client, icons));
}

void Activate(TWindow client, TClientState& c, TWindow w) {
  if (w == c.Active || !IsWindow(w)) return;
  TWindow old = c.Active;
  // A maximised window hands its state to the next one, as the frame shows one at a time.
  if (old && IsMaximized(old) && !IsIconic(w)) {
    Restore(c, old);
    Maximize(client, c, w);
  }
  c.Active = w;
  std::erase(c.ZOrder, w);
  c.ZOrder.insert(c.ZOrder.begin(), w);
  if (old && IsWindow(old)) SendMessage(old, WM_MDIACTIVATE, old, static_cast<intptr_t>(w));
  if (c.Active == w && IsWindow(w)) {
    SendMessage(w, WM_MDIACTIVATE, old, static_cast<intptr_t>(w));
    ActivateWindow(w);
    if (c.Active == w) SetFocus(w);
  }
  Refresh(c);
}

std::vector<TWindow> Normals(const TClientState& c) {
  std::vector<TWindow> list;
  for (TWindow w : c.ZOrder) {
    if (!IsIconic(w)) list.push_back(w);
  }
  return list;
}

TRect TileArea(TWindow client, const TClientState& c) {
  TRect area = GetClientRect(client);
  bool icons = std::any_of(c.Order.begin(), c.Order.end(), [](TWindow w) { return IsIconic(w); });
  if (icons) area.Bottom = std::max(area.Top, area.Bottom - GetSystemMetrics(SM_CYMINIMIZED));
  return area;
}

void Tile(TWindow client, TClientState& c, uintptr_t how) {
  for (TWindow w : c.Order) {
    if (IsMaximized(w)) Restore(c, w);
  }
  std::vector<TWindow> list = Normals(c);
  if (list.empty()) return;
  TRect area = TileArea(client, c);
  int32_t n = static_cast<int32_t>(list.size());
  bool aboveEachOther = how & MDITILE_HORIZONTAL;
  int32_t total = aboveEachOther ? area.Height() : area.Width();
  for (int32_t i = 0; i < n; ++i) {
    int32_t from = total * i / n;
    int32_t to = total * (i + 1) / n;
    TRect r = aboveEachOther ? TRect{area.Left, area.Top + from, area.Right, area.Top + to}
                             : TRect{area.Left + from, area.Top, area.Left + to, area.Bottom};
    MoveWindow(list[static_cast<size_t>(i)], r);
  }
}

void Cascade(TWindow client, TClientState& c) {
  for (TWindow w : c.Order) {
    if (IsMaximized(w)) Restore(c, w);
  }
  std::vector<TWindow> list = Normals(c);
  if (list.empty()) return;
  TRect area = TileArea(client, c);
  int32_t step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int32_t n = static_cast<int32_t>(list.size());
  // The active window comes last, on top, at the end of the stair.
  int32_t stairs = std::min(n, std::max(1, (area.Height() / 2) / std::max(step, 1)));
  int32_t w = std::max(area.Width() - (stairs - 1) * step, area.Width() / 2);
  int32_t h = std::max(area.Height() - (stairs - 1) * step, area.Height() / 2);
  for (int32_t i = 0; i < n; ++i) {
    TWindow win = list[static_cast<size_t>(n - 1 - i)];
    int32_t offset = (i % stairs) * step;
    MoveWindow(win, TRect{area.Left + offset, area.Top + offset, area.Left + offset + w,
                          area.Top + offset + h});
  }
}

TRect DefaultRect(TWindow client, const TClientState& c) {
  TRect area = GetClientRect(client);
  int32_t step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int32_t offset = static_cast<int32_t>(c.Order.size() % 8) * step;
  int32_t w = std::max(area.Width() * 3 / 4, 100);
  int32_t h = std::max(area.Height() * 3 / 4, 60);
  return TRect{offset, offset, offset + w, offset + h};
}

TWindow OnCreateChild(TWindow client, TClientState& c, const TMdiCreateStruct& mcs) {
  TRect rect = mcs.Rect.Left == CW_USEDEFAULT ? DefaultRect(client, c) : mcs.Rect;
  bool maximize = (mcs.Style & WS_MAXIMIZE) || (c.Active && IsMaximized(c.Active));
  uint32_t style = (mcs.Style | WS_CHILD) & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  TWindow w = CreateWindowEx(0, mcs.ClassName, mcs.Title, style, rect, client, mcs.Params);
  if (!w) return 0;
  c.Order.push_back(w);
  c.ZOrder.push_back(w);
  if (maximize) {
    if (c.Active && IsMaximized(c.Active)) Restore(c, c.Active);
    Maximize(client, c, w);
  }
  ShowWindow(w, true);
  Activate(client, c, w);
  if (c.Active != w) Refresh(c);
  return w;
}

TWindow Neighbour(const TClientState& c, TWindow from, bool previous) {
  if (c.ZOrder.size() < 2) return 0;
  if (previous) return c.ZOrder.back();
  auto it = std::find(c.ZOrder.begin(), c.ZOrder.end(), from);
  if (it == c.ZOrder.end() || ++it == c.ZOrder.end()) return c.ZOrder.front();
  return *it;
}

intptr_t ClientProc(TWindow client, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TClientState* c = reinterpret_cast<TClientState*>(GetWindowExtra(client, 0));
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    auto* create = static_cast<const TClientCreateStruct*>(cs->CreateParams);
    auto* state = new TClientState;
    state->Frame = cs->Parent;
    if (create) {
      state->WindowMenu = create->WindowMenu;
      state->IdFirst = create->IdFirstChild;
    }
    SetWindowExtra(client, 0, reinterpret_cast<intptr_t>(state));
    return 0;
  }
  if (!c) return DefWindowProc(client, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      RemoveList(*c);
      RemoveSysMenu(*c);
      SetWindowExtra(client, 0, 0);
      delete c;
      return 0;
    case WM_SIZE:
      for (TWindow w : c->Order) {
        if (IsMaximized(w)) {
          TRect area = GetClientRect(client);
          MoveWindow(w, area);
        }
      }
      ArrangeIcons(client, *c);
      return 0;
    case WM_SETFOCUS:
      if (c->Active && !IsIconic(c->Active)) SetFocus(c->Active);
      return 0;
    case WM_MDICREATE:
      return static_cast<intptr_t>(
          OnCreateChild(client, *c, *reinterpret_cast<const TMdiCreateStruct*>(lParam)));
    case WM_MDIDESTROY:
      if (IsMdiChild(static_cast<TWindow>(wParam)) &&
          GetParent(static_cast<TWindow>(wParam)) == client) {
        DestroyWindow(static_cast<TWindow>(wParam));
      }
      return 0;
    case WM_MDIACTIVATE:
      if (GetParent(static_cast<TWindow>(wParam)) == client) {
        Activate(client, *c, static_cast<TWindow>(wParam));
      }
      return 0;
    case WM_MDINEXT: {
      TWindow from = wParam ? static_cast<TWindow>(wParam) : c->Active;
      TWindow to = Neighbour(*c, from, lParam != 0);
      if (!to) return 0;
      Activate(client, *c, to);
      // Going forward sends the window that was left to the back, like paging through cards.
      if (lParam == 0 && c->Active == to) {
        std::erase(c->ZOrder, from);
        c->ZOrder.push_back(from);
      }
      return 0;
    }
    case WM_MDIMAXIMIZE:
      if (GetParent(static_cast<TWindow>(wParam)) == client) {
        TWindow w = static_cast<TWindow>(wParam);
        for (TWindow other : c->Order) {
          if (other != w && IsMaximized(other)) Restore(*c, other);
        }
        Maximize(client, *c, w);
        Activate(client, *c, w);
        Refresh(*c);
      }
      return 0;
    case WM_MDIRESTORE:
      if (GetParent(static_cast<TWindow>(wParam)) == client) {
        Restore(*c, static_cast<TWindow>(wParam));
        ArrangeIcons(client, *c);
        Refresh(*c);
      }
      return 0;
    case WM_SYSCOMMAND:  // from the children: minimising is the client's business
      if (wParam == SC_MINIMIZE && GetParent(static_cast<TWindow>(lParam)) == client) {
        Minimize(client, *c, static_cast<TWindow>(lParam));
        Refresh(*c);
      }
      return 0;
    case WM_MDITILE:
      if (!State()->Backend->ArrangeMdi(client, message, wParam)) Tile(client, *c, wParam);
      return 1;
    case WM_MDICASCADE:
      if (!State()->Backend->ArrangeMdi(client, message, wParam)) Cascade(client, *c);
      return 1;
    case WM_MDIICONARRANGE:
      if (!State()->Backend->ArrangeMdi(client, message, wParam)) ArrangeIcons(client, *c);
      return 0;
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<int32_t*>(lParam) = c->Active && IsMaximized(c->Active);
      return static_cast<intptr_t>(c->Active);
    case WM_MDISETMENU: {
      TMenu old = GetMenu(c->Frame);
      if (wParam) {
        RemoveSysMenu(*c);
        SetMenu(c->Frame, static_cast<TMenu>(wParam));
      }
      if (lParam && static_cast<TMenu>(lParam) != c->WindowMenu) {
        RemoveList(*c);
        c->WindowMenu = static_cast<TMenu>(lParam);
      }
      Refresh(*c);
      return static_cast<intptr_t>(old);
    }
    case WM_MDIREFRESHMENU:
      Refresh(*c);
      return static_cast<intptr_t>(GetMenu(c->Frame));
    default:
      return DefWindowProc(client, message, wParam, lParam);
  }
}

}  // namespace

namespace ui_detail {

void MdiChildGone(TWindow client, TWindow child) {
  TClientState* c = StateOf(client);
  if (!c) return;
  std::erase(c->Order, child);
  std::erase(c->ZOrder, child);
  c->Normal.erase(child);
  TWindowObject* parent = Lookup(client);
  bool closing = !parent || parent->Destroying;
  if (c->Active == child) {
    c->Active = 0;
    if (!closing && !c->ZOrder.empty()) {
      TWindow next = c->ZOrder.front();
      // The next window inherits the maximised state of the one that left.
      bool wasMax = GetWindowStyle(child) & WS_MAXIMIZE;
      if (wasMax && !IsIconic(next)) Maximize(client, *c, next);
      Activate(client, *c, next);
    }
  }
  if (closing) return;
  Refresh(*c);
}

void MdiChildRetitled(TWindow client) {
  if (TClientState* c = StateOf(client)) BuildList(*c);
}

}  // namespace ui_detail

TWindow CreateMdiClient(TWindow frame, const TRect& rect, uint32_t style, int32_t id,
                        const TClientCreateStruct& create) {
  if (!FindWindowClass(kMdiClientClass)) {
    TWindowClass cls;
    cls.Name = std::string(kMdiClientClass);
    cls.Proc = ClientProc;
    cls.Background = COLOR_APPWORKSPACE + 1;
    if (!RegisterWindowClass(cls)) return 0;
  }
  TWindow client = CreateWindowEx(0, kMdiClientClass, "", style | WS_CHILD, rect, frame, &create);
  if (client) SetDlgCtrlID(client, id);
  return client;
}

intptr_t DefFrameProc(TWindow frame, TWindow client, uint32_t message, uintptr_t wParam,
                      intptr_t lParam) {
  TClientState* c = StateOf(client);
  switch (message) {
    case WM_COMMAND: {
      if (!c) break;
      uint32_t id = LoWord(wParam);
      if (id >= c->IdFirst && id < c->IdFirst + kMdiListEntries) {
        size_t index = id - c->IdFirst;
        TWindow w = index < c->Order.size() ? c->Order[index] : 0;
        if (index == kMdiListEntries - 1 && c->Order.size() > static_cast<size_t>(kMdiListEntries)) {
          w = ChooseMdiWindow(frame, c->Order, c->Active);
          c = StateOf(client);
          if (!c) return 0;
        }
        if (w && IsWindow(w)) {
          if (IsIconic(w)) Restore(*c, w);
          Activate(client, *c, w);
          ArrangeIcons(client, *c);
          Refresh(*c);
        }
        return 0;
      }
      if (id >= 0xF000 && c->Active) {
        SendMessage(c->Active, WM_SYSCOMMAND, id, 0);
        return 0;
      }
      break;
    }
    case WM_SIZE:
      if (IsWindow(client)) {
        MoveWindow(client, GetClientRect(frame));
      }
      return 0;
    case WM_SETFOCUS:
      if (IsWindow(client)) SetFocus(client);
      return 0;
    default:
      break;
  }
  return DefWindowProc(frame, message, wParam, lParam);
}

TWindow MdiGetActive(TWindow client, bool* maximized) {
  TClientState* c = StateOf(client);
  if (maximized) *maximized = c && c->Active && IsMaximized(c->Active);
  return c ? c->Active : 0;
}

std::vector<TWindow> MdiChildren(TWindow client) {
  TClientState* c = StateOf(client);
  return c ? c->Order : std::vector<TWindow>{};
}

bool IsMdiClient(TWindow window) {
  return IsWindow(window) && FindWindowClass(kMdiClientClass) &&
         GetClassName(window) == kMdiClientClass;
}

bool IsMdiChild(TWindow window) { return IsMdiClient(GetParent(window)); }

TRect MdiRestoreRect(TWindow child) {
  TClientState* c = StateOf(GetParent(child));
  if (c) {
    auto it = c->Normal.find(child);
    if (it != c->Normal.end()) return it->second;
  }
  return GetWindowRect(child);
}

intptr_t DefMdiChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TWindow client = GetParent(window);
  if (!IsMdiClient(client)) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_CLOSE:
      SendMessage(client, WM_MDIDESTROY, window, 0);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          SendMessage(window, WM_CLOSE, 0, 0);
          return 0;
        case SC_NEXTWINDOW:
          SendMessage(client, WM_MDINEXT, window, 0);
          return 0;
        case SC_PREVWINDOW:
          SendMessage(client, WM_MDINEXT, window, 1);
          return 0;
        case SC_MAXIMIZE:
          SendMessage(client, WM_MDIMAXIMIZE, window, 0);
          return 0;
        case SC_MINIMIZE:
          SendMessage(client, WM_SYSCOMMAND, SC_MINIMIZE, static_cast<intptr_t>(window));
          return 0;
        case SC_RESTORE:
          SendMessage(client, WM_MDIRESTORE, window, 0);
          return 0;
        default:
          return 0;
      }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace platform
