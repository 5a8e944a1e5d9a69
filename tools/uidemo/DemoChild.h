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

bool RegisterChildClass();
// The text of a child window, null for other windows.
TDemoText* ChildText(platform::TWindow window);
// Creation parameter of a child window (WM_CREATE's CreateParams): a TDemoText to copy.
// Copy puts the whole text on the clipboard; Paste appends the clipboard's text.
bool CopyChildText(platform::TWindow child);
bool PasteIntoChild(platform::TWindow child);

}  // namespace uidemo
