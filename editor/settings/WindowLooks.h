// Fonts and colours of the document windows per kind, re-applied after a settings change.
#pragma once

#include <vector>

#include "editor/frame/IniOptions.h"
#include "platform/ui/UiTypes.h"

// Makes the fonts and background brushes of the four window kinds from the settings (the
// stock font in system-font mode, no brush with system colours), gives every window those
// of its kind and repaints it, then frees the previous ones. `textFont` and `textBrush` are
// the text editor's, which the frame hands to new windows; they are replaced too.
void ApplyWindowLooks(const TIniOptions& options, const std::vector<platform::TWindow>& windows,
                      platform::TFont& textFont, platform::TBrush& textBrush);
