// System metrics and colours, the wait cursor over the whole program, and window placement
// (normal rectangle and maximised state) for saving and restoring.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace platform {

// GetSystemMetrics indexes (Windows numbers).
constexpr int32_t SM_CXSCREEN = 0;
constexpr int32_t SM_CYSCREEN = 1;
constexpr int32_t SM_CXVSCROLL = 2;
constexpr int32_t SM_CYHSCROLL = 3;
constexpr int32_t SM_CYCAPTION = 4;
constexpr int32_t SM_CXICON = 11;
constexpr int32_t SM_CYICON = 12;
constexpr int32_t SM_CYMENU = 15;
constexpr int32_t SM_CXFRAME = 32;
constexpr int32_t SM_CYFRAME = 33;
constexpr int32_t SM_CXSMICON = 49;
constexpr int32_t SM_CYSMICON = 50;
constexpr int32_t SM_CXMINIMIZED = 57;
constexpr int32_t SM_CYMINIMIZED = 58;
// Not a Windows index: the screen's vertical dots per inch (96 on the headless screen).
constexpr int32_t SM_LOGPIXELSY = 1000;

// System colours beyond the ones UiTypes.h names (their values: GetSysColor in Fonts.h).
constexpr int32_t COLOR_MENU = 4;
constexpr int32_t COLOR_APPWORKSPACE = 12;
constexpr int32_t COLOR_GRAYTEXT = 17;
constexpr int32_t COLOR_BTNTEXT = 18;

// The back end's value when it has one, else the headless screen's fixed value; 0 for an
// unknown index.
int32_t GetSystemMetrics(int32_t index);

// A top-level window's rectangle moved, not resized, to lie on the screen as far as its size
// allows (its top left corner wins when it is larger), so that its title stays reachable.
TRect KeepOnScreen(TRect rect);

// Shows the wait cursor over every window of the program while it lives; nests.
class TWaitCursor {
 public:
  TWaitCursor();
  ~TWaitCursor();
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  TCursorKind Previous_;
};

enum class TShowState : uint8_t { Normal, Maximized, Minimized };

struct TWindowPlacement {
  TRect NormalRect;  // where the window is when neither maximised nor minimised
  TShowState State = TShowState::Normal;
  friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// Maximises, minimises or restores a top-level window (document windows go through their
// MDI client); sends WM_SIZE with SIZE_MAXIMIZED, SIZE_MINIMIZED or SIZE_RESTORED.
void SetShowState(TWindow window, TShowState state);
// The state WS_MAXIMIZE / WS_MINIMIZE say.
TShowState GetShowState(TWindow window);
// State and normal rectangle, for saving (document windows: the place they are restored to).
TWindowPlacement GetWindowPlacement(TWindow window);
// False for an invalid window or an empty normal rectangle.
bool SetWindowPlacement(TWindow window, const TWindowPlacement& placement);
// For back ends: the user maximised, minimised or restored a top-level window natively.
void InputShowState(TWindow window, TShowState state);

}  // namespace platform
