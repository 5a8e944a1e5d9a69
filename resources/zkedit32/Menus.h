// The editor's menus by resource number: the two menu bars and the context menus.
#pragma once

#include <cstdint>
#include <span>

#include "platform/ui/Menu.h"

constexpr uint32_t kMenuNoDocuments = 100;  // menu bar while no document window is active
constexpr uint32_t kMenuDocuments = 110;    // menu bar with documents; window list under popup 5
constexpr uint32_t kMenuTextContext = 120;
constexpr uint32_t kMenuHexContext = 130;
constexpr uint32_t kMenuGrepContext = 140;
constexpr uint32_t kMenuDiffContext = 145;
constexpr uint32_t kMenuDropChoice = 150;  // after a drag with the right mouse button
// Position of "&Fenster" in menu 110.
constexpr int32_t kWindowMenuPosition = 5;

// The table of a menu resource; empty for an unknown number. Bars (100, 110) load with
// LoadMenuIndirect(table), the context menus with LoadMenuIndirect(table, true).
std::span<const platform::TMenuEntry> EditorMenu(uint32_t id);
