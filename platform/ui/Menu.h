// Menus as handles: menu bars and popups built from data tables or at run time, item state,
// the menu bar of a window, context menus, and scripted menu use for tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace platform {

// A menu handle from the handle table; 0 is no menu.
using TMenu = THandle;

// Item flags (Windows numbers). Positions and commands select items by MF_BYPOSITION or
// MF_BYCOMMAND; a command is searched in popups too.
constexpr uint32_t MF_STRING = 0x0000;
constexpr uint32_t MF_ENABLED = 0x0000;
constexpr uint32_t MF_UNCHECKED = 0x0000;
constexpr uint32_t MF_BYCOMMAND = 0x0000;
constexpr uint32_t MF_GRAYED = 0x0001;
constexpr uint32_t MF_DISABLED = 0x0002;
constexpr uint32_t MF_CHECKED = 0x0008;
constexpr uint32_t MF_POPUP = 0x0010;
constexpr uint32_t MF_HILITE = 0x0080;
constexpr uint32_t MF_BYPOSITION = 0x0400;
constexpr uint32_t MF_SEPARATOR = 0x0800;
constexpr uint32_t MF_SYSMENU = 0x2000;
// GetMenuState / CheckMenuItem / EnableMenuItem answer for a missing item.
constexpr uint32_t kNoMenuItem = 0xFFFFFFFF;

// TrackPopupMenu flags.
constexpr uint32_t TPM_LEFTALIGN = 0x0000;
constexpr uint32_t TPM_RIGHTBUTTON = 0x0002;
constexpr uint32_t TPM_NONOTIFY = 0x0080;
constexpr uint32_t TPM_RETURNCMD = 0x0100;

// WM_MENUSELECT flags in the high word of wParam when the menu closes.
constexpr uint32_t kMenuClosedFlags = 0xFFFF;

// One record of a menu table: popups open a level that a TMenuEntry::End closes.
struct TMenuEntry {
  enum TKind : uint8_t { Item, Separator, Popup, End };
  TKind Kind = Item;
  uint16_t Id = 0;
  std::string_view Text;  // UTF-8; "&" marks the mnemonic, a tab the accelerator text
  uint32_t Flags = 0;     // MF_GRAYED, MF_CHECKED
};

// A menu bar (or, with asPopup, a popup) from a table; 0 when the table's levels do not match.
TMenu LoadMenuIndirect(std::span<const TMenuEntry> entries, bool asPopup = false);

// An empty menu bar, an empty popup; 0 when the handle table is full.
TMenu CreateMenu();
TMenu CreatePopupMenu();
// Destroys the menu and its popups; false for an invalid handle.
bool DestroyMenu(TMenu menu);
// False for 0, stale handles and handles of other kinds.
bool IsMenu(TMenu menu);

// `idOrPopup` is the command, or the popup's handle with MF_POPUP; the menu then owns it.
bool AppendMenu(TMenu menu, uint32_t flags, uintptr_t idOrPopup, std::string_view text);
// Inserts before the item that `item` names (by position or command); at the end for a
// position past the last item.
bool InsertMenu(TMenu menu, uint32_t item, uint32_t flags, uintptr_t idOrPopup,
                std::string_view text);
// Replaces kind, command, text and state of an item.
bool ModifyMenu(TMenu menu, uint32_t item, uint32_t flags, uintptr_t idOrPopup,
                std::string_view text);
// Removes the item and destroys its popup.
bool DeleteMenu(TMenu menu, uint32_t item, uint32_t flags);
// Removes the item; its popup lives on for the caller.
bool RemoveMenu(TMenu menu, uint32_t item, uint32_t flags);
// Each returns the previous MF_CHECKED / MF_GRAYED|MF_DISABLED bits, kNoMenuItem if missing.
uint32_t CheckMenuItem(TMenu menu, uint32_t item, uint32_t flags);
uint32_t EnableMenuItem(TMenu menu, uint32_t item, uint32_t flags);
// State flags of the item (MF_POPUP for popups); kNoMenuItem if missing.
uint32_t GetMenuState(TMenu menu, uint32_t item, uint32_t flags);
// Items of the menu (separators and popups count); -1 for an invalid menu.
int32_t GetMenuItemCount(TMenu menu);
// The command at a position; kNoMenuItem for popups and missing positions.
uint32_t GetMenuItemID(TMenu menu, int32_t position);
// The popup at a position; 0 when that item is no popup.
TMenu GetSubMenu(TMenu menu, int32_t position);
// The item's text as stored (with "&" and tab); empty when missing.
std::string GetMenuString(TMenu menu, uint32_t item, uint32_t flags);
// Text of an item without "&" and without the accelerator part after a tab.
std::string MenuLabel(std::string_view text);

// The menu bar of a top-level window; SetMenu returns false for an invalid window or menu.
bool SetMenu(TWindow window, TMenu menu);
// The window's menu bar; 0 for none.
TMenu GetMenu(TWindow window);
// Shows changes of the window's menu bar (changes made through these calls show anyway).
void DrawMenuBar(TWindow window);
// The window whose menu bar holds `menu` at any depth; 0 for none.
TWindow MenuBarOwner(TMenu menu);

// Shows `popup` at a screen point for `owner`, which gets WM_INITMENUPOPUP (unless
// TPM_NONOTIFY) and WM_MENUSELECT. With TPM_RETURNCMD the chosen command is returned (0 when
// none); otherwise the choice is posted as WM_COMMAND and the result is non-zero for a choice.
uint32_t TrackPopupMenu(TMenu popup, uint32_t flags, TPoint screen, TWindow owner);

// Scripted use of menus (headless back end and tests).
// The choice of the next TrackPopupMenu without a native menu; 0 cancels.
void QueuePopupChoice(uint32_t command);
// Opens the popup at `position` of the window's menu bar: WM_INITMENU, WM_INITMENUPOPUP.
// Returns the popup, 0 when there is none.
TMenu OpenMenuPopup(TWindow window, int32_t position);
// The user moves onto an item of an open menu: WM_MENUSELECT. Then MenuClosed ends it.
void HoverMenuItem(TWindow window, TMenu menu, int32_t position);
void MenuClosed(TWindow window);
// Chooses the command as the user would: the popups on its way are opened (WM_INITMENU,
// WM_INITMENUPOPUP), the item selected (WM_MENUSELECT), and, when it is enabled after that,
// WM_COMMAND is posted. False when the item is missing or greyed.
bool ChooseMenuItem(TWindow window, uint32_t command);
// The same by labels, "Datei/Neu" (labels as MenuLabel gives them, without regard to case).
bool ChooseMenuPath(TWindow window, std::string_view path);
// Finds the command in a menu tree: the popup holding it and its position there.
bool FindMenuCommand(TMenu menu, uint32_t command, TMenu& holder, int32_t& position);

}  // namespace platform
