// Entry points by which a back end (or a test) delivers input to the layer.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

namespace platform {

// Posts WM_KEYDOWN / WM_KEYUP to the focus window (WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is
// down or for F10) and keeps the key state.
void InputKey(uint32_t virtualKey, bool down);
// The modifier keys as the back end saw them with its latest event. A release the layer
// never heard of (it went to a native control or another program while the focus moved) is
// delivered now, so that Ctrl, Shift or Alt do not stay down for the windows.
void InputModifiers(bool shift, bool control, bool alt);
// Posts WM_CHAR (WM_SYSCHAR while Alt is down) with a byte of the Windows code page.
void InputChar(uint8_t character);
// Mouse message in the client coordinates of `window`; goes to the capture window when
// there is one. A double click becomes a button-down for classes without CS_DBLCLKS.
void InputMouse(TWindow window, uint32_t message, TPoint client);
// A new client size (sends WM_SIZE).
void InputSize(TWindow window, int32_t width, int32_t height);
void InputFocus(TWindow window);

}  // namespace platform
