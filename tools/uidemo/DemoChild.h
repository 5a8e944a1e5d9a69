// The document windows of the demonstration: a few lines of text painted through the layer's
// canvas, in the Windows or the DOS code page, with copy and paste through the clipboard and
// drag and drop of their text between each other and other programs.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

namespace uidemo {

inline constexpr std::string_view kChildClass = "UiDemoChild";

// What a child window shows; the bytes are in the DOS code page when Oem is set.
struct TDemoText {
  std::string Bytes;
  bool Oem = false;
};

// Posted to the frame when a child window becomes the active one.
constexpr uint32_t kChildActivated = platform::WM_USER + 1;

// Child windows take a TDemoText to copy as their creation parameter.
bool RegisterChildClass();
// The text of a child window, null for other windows.
TDemoText* ChildText(platform::TWindow window);
// Copy puts the whole text on the clipboard; Paste appends the clipboard's text.
bool CopyChildText(platform::TWindow child);
bool PasteIntoChild(platform::TWindow child);

}  // namespace uidemo
