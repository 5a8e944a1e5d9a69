// The editor's tool-bar buttons (a button's position in the table is its code in the stored
// layout), the image strip (resource 260) and the program and window-kind icons.
#pragma once

#include <cstdint>
#include <span>

#include "platform/ui/ToolBar.h"

constexpr int32_t kToolButtonCount = 26;

std::span<const platform::TToolButton> EditorToolButtons();
const platform::TImageStrip& EditorToolImages();
// Icon resources: 200 program (32 x 32), 201 program (16 x 16), 205 text editor, 206 hex
// editor, 207 search results, 208 file compare (16 x 16); null for other numbers.
const platform::TImageStrip* EditorIcon(uint32_t id);
