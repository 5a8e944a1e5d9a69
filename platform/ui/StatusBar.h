// The status bar: parts with right edges, a text per part, and a simple mode that shows one
// text over the whole width while the parts keep theirs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kStatusBarClass = "msctls_statusbar32";

// Window style: a size grip at the right end.
constexpr uint32_t SBARS_SIZEGRIP = 0x0100;
// The part number of the simple mode's text.
constexpr int32_t SB_SIMPLEID = 255;
// Most parts a bar holds.
constexpr int32_t kMaxStatusParts = 256;

// Creates the bar as child `id` of `parent` with one part (registers its class on first use).
TWindow CreateStatusBar(TWindow parent, int32_t id, uint32_t style);

// Right edges in client pixels, -1 for the last part reaching the right border. Texts of
// parts that remain are kept. False for no parts, too many, or a bar that is none.
bool StatusBarSetParts(TWindow statusBar, std::span<const int32_t> rightEdges);
// The right edges as set.
std::vector<int32_t> StatusBarParts(TWindow statusBar);
// UTF-8 text of a part (SB_SIMPLEID: the simple mode's text); false for a part out of range.
bool StatusBarSetText(TWindow statusBar, int32_t part, std::string_view text);
// The text of a part; empty for a part out of range.
std::string StatusBarText(TWindow statusBar, int32_t part);
// Switches between the one simple text and the parts.
void StatusBarSetSimple(TWindow statusBar, bool simple);
bool StatusBarIsSimple(TWindow statusBar);
// Height the frame lays out for the bar.
int32_t StatusBarHeight(TWindow statusBar);
// The pixel range of a part in the current width (the last -1 part reaches the border).
TRect StatusBarPartRect(TWindow statusBar, int32_t part);

}  // namespace platform
