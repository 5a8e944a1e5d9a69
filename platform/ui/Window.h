// Windows as handles: classes, creation, the window tree, text, geometry, focus, capture,
// extra values, scroll bars, caret, cursor and key state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/Backend.h"
#include "platform/ui/UiTypes.h"

namespace platform {

struct TImageStrip;  // ToolBar.h

struct TWindowClass {
  std::string Name;
  TWindowProc Proc = nullptr;
  uint32_t Style = 0;
  int32_t ExtraValues = 1;  // pointer-sized values per window
  TCursorKind Cursor = TCursorKind::Arrow;
  TBrush Background = kWindowColorBrush;
  // Icon of the class's windows (title bars); must outlive the class; null for none.
  const TImageStrip* Icon = nullptr;
};

// False when the name is taken (without regard to case) or the procedure is missing.
[[nodiscard]] bool RegisterWindowClass(const TWindowClass& windowClass);
bool UnregisterWindowClass(std::string_view name);
const TWindowClass* FindWindowClass(std::string_view name);

// Sends WM_CREATE (lParam: TCreateStruct*) and then WM_SIZE; 0 when the class is unknown or
// WM_CREATE answers -1.
TWindow CreateWindowEx(uint32_t exStyle, std::string_view className, std::string_view caption,
                       uint32_t style, const TRect& rect, TWindow parent,
                       const void* createParams);
// Sends WM_DESTROY to the window, then to its children; false for an invalid handle.
bool DestroyWindow(TWindow window);
bool IsWindow(TWindow window);
TWindow GetParent(TWindow window);

intptr_t DefWindowProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Default processing of document windows: closing, system commands and states through the
// MDI client (Mdi.cpp).
intptr_t DefMdiChildProc(TWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Window-extra values of the class (index 0 is the window's object).
intptr_t GetWindowExtra(TWindow window, int32_t index = 0);
intptr_t SetWindowExtra(TWindow window, int32_t index, intptr_t value);

std::string GetWindowText(TWindow window);
void SetWindowText(TWindow window, std::string_view text);
uint32_t GetWindowStyle(TWindow window);
uint32_t GetWindowExStyle(TWindow window);
void SetWindowStyle(TWindow window, uint32_t style);
void SetWindowExStyle(TWindow window, uint32_t exStyle);
std::string GetClassName(TWindow window);
uint32_t GetClassStyle(TWindow window);
TCursorKind GetClassCursor(TWindow window);
const TImageStrip* GetClassIcon(TWindow window);
// Background brush of the window's class (shared by every window of it).
TBrush GetClassBackground(TWindow window);
void SetClassBackground(TWindow window, TBrush brush);

// The client area is the whole window: (0, 0, width, height).
TRect GetClientRect(TWindow window);
// Rectangle in the parent's client coordinates (screen for top-level windows).
TRect GetWindowRect(TWindow window);
// Moves and sizes; sends WM_SIZE when the size changes.
void MoveWindow(TWindow window, const TRect& rect);
TPoint ClientToScreen(TWindow window, TPoint p);
TPoint ScreenToClient(TWindow window, TPoint p);
void ShowWindow(TWindow window, bool show);
bool IsWindowVisible(TWindow window);
// Minimised windows carry WS_MINIMIZE.
bool IsIconic(TWindow window);
void ActivateWindow(TWindow window);

// Each returns the previous window.
TWindow SetFocus(TWindow window);
TWindow GetFocus();
TWindow SetCapture(TWindow window);
bool ReleaseCapture();
TWindow GetCapture();

// Scroll bars (SB_HORZ, SB_VERT); positions are clamped to the range.
void SetScrollRange(TWindow window, int32_t bar, int32_t min, int32_t max);
int32_t SetScrollPos(TWindow window, int32_t bar, int32_t pos);
int32_t GetScrollPos(TWindow window, int32_t bar);
void SetScrollPage(TWindow window, int32_t bar, int32_t page);
TScrollBarState GetScrollBar(TWindow window, int32_t bar);

// The caret of the user-interface thread.
bool CreateCaret(TWindow window, int32_t width, int32_t height);
bool DestroyCaret();
bool SetCaretPos(int32_t x, int32_t y);
TPoint GetCaretPos();
bool ShowCaret(TWindow window);
bool HideCaret(TWindow window);
const TCaretState& GetCaretState();

// The cursor shown while no class cursor applies (the wait cursor during long work).
TCursorKind SetCursor(TCursorKind cursor);

// Negative when the key is down, as the Windows call reports it.
int16_t GetKeyState(uint32_t virtualKey);
bool IsKeyDown(uint32_t virtualKey);
// Last mouse position in screen coordinates.
TPoint GetCursorPos();

void MessageBeep(uint32_t type);

}  // namespace platform
