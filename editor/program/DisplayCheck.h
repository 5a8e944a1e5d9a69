// Whether the editor's windows can appear at all, asked before the toolkit is loaded, which
// would abort on a display it cannot reach.
#pragma once

#include <string_view>

// True when $DISPLAY names an X server that takes a connection (local socket or the
// abstract one), $WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM chooses a platform.
bool DisplayReachable();

// The one line on standard error when there is none.
std::string_view NoDisplayMessage();
