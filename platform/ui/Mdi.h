// The multiple-document interface: an MDI client inside a frame window holds the document
// windows, keeps the active one, maximises, minimises, restores, tiles and cascades them and
// lists them at the end of a popup menu of the frame.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kMdiClientClass = "MDICLIENT";

// System commands (WM_SYSCOMMAND wParam) of document windows.
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_MAXIMIZE = 0xF030;
constexpr uintptr_t SC_NEXTWINDOW = 0xF040;
constexpr uintptr_t SC_PREVWINDOW = 0xF050;
constexpr uintptr_t SC_CLOSE = 0xF060;
constexpr uintptr_t SC_RESTORE = 0xF120;

// WM_MDITILE wParam: side by side, and one above the other.
constexpr uintptr_t MDITILE_VERTICAL = 0;
constexpr uintptr_t MDITILE_HORIZONTAL = 1;

// A left edge that asks for the default place and size.
constexpr int32_t CW_USEDEFAULT = INT32_MIN;

// What the client needs when it is created: the popup that lists the windows and the
// command of the first entry (entries activate windows).
struct TClientCreateStruct {
  TMenu WindowMenu = 0;
  uint32_t IdFirstChild = 0;
};

// WM_MDICREATE lParam. Params reaches the new window's WM_CREATE as CreateParams.
// WS_MAXIMIZE in Style creates the window maximised (so does a maximised active window).
struct TMdiCreateStruct {
  std::string_view ClassName;
  std::string_view Title;
  TRect Rect{CW_USEDEFAULT, 0, 0, 0};
  uint32_t Style = 0;
  const void* Params = nullptr;
};

// Most entries the window list shows. With more windows the last entry is "Weitere Fenster
// ..." and opens a dialog listing them all.
constexpr int32_t kMdiListEntries = 10;
// That dialog: the chosen window, 0 when cancelled.
TWindow ChooseMdiWindow(TWindow owner, const std::vector<TWindow>& windows, TWindow active);

// Creates the client as child `id` of the frame (registers its class on first use).
TWindow CreateMdiClient(TWindow frame, const TRect& rect, uint32_t style, int32_t id,
                        const TClientCreateStruct& create);

// Default processing of a frame with an MDI client: window-list commands, commands of a
// maximised window's system menu, the client filling the frame on WM_SIZE, focus.
intptr_t DefFrameProc(TWindow frame, TWindow client, uint32_t message, uintptr_t wParam,
                      intptr_t lParam);

// The active document window (0 for none) and whether it is maximised.
TWindow MdiGetActive(TWindow client, bool* maximized = nullptr);
// The document windows in the order of the window list (creation order).
std::vector<TWindow> MdiChildren(TWindow client);
// True for a window whose parent is an MDI client.
bool IsMdiChild(TWindow window);
// True for an MDI client window.
bool IsMdiClient(TWindow window);
// The rectangle a document window returns to when restored (its current one when normal).
TRect MdiRestoreRect(TWindow child);

}  // namespace platform
