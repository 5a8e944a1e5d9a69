// The tool bar: buttons with images from a strip, commands and separators, flat style, tool
// tips asked from the parent, pressed/checked/greyed/hidden states, and the user's own
// arrangement of the buttons out of a table of available ones.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/UiTypes.h"

namespace platform {

inline constexpr std::string_view kToolBarClass = "ToolbarWindow32";

// Button styles and states (Windows numbers).
constexpr uint8_t TBSTYLE_BUTTON = 0x00;
constexpr uint8_t TBSTYLE_SEP = 0x01;
constexpr uint8_t TBSTYLE_CHECK = 0x02;
constexpr uint8_t TBSTATE_CHECKED = 0x01;
constexpr uint8_t TBSTATE_PRESSED = 0x02;
constexpr uint8_t TBSTATE_ENABLED = 0x04;
constexpr uint8_t TBSTATE_HIDDEN = 0x08;

// Window styles of the bar.
constexpr uint32_t TBSTYLE_TOOLTIPS = 0x0100;
constexpr uint32_t TBSTYLE_FLAT = 0x0800;

// A square image strip: Count images of Size x Size pixels side by side, as XPM text
// (header line, colour lines, pixel rows) that both back ends read.
struct TImageStrip {
  const char* const* Xpm = nullptr;
  int32_t Count = 0;
  int32_t Size = 16;
};

// One available button: its image in the strip, its command and its style.
struct TToolButton {
  int32_t Image = 0;
  uint16_t Command = 0;
  uint8_t Style = TBSTYLE_BUTTON;
};

// WM_NOTIFY of the bar: lParam a TNmToolBar (header TNmHdr of Controls.h), wParam its id.
// Tool tip wanted for a button: the parent fills Text.
constexpr int32_t TTN_GETDISPINFO = -530;
// Customisation: the parent fills Text with a button's name for the dialog (Command set).
constexpr int32_t TBN_GETBUTTONINFO = -700;
constexpr int32_t TBN_BEGINADJUST = -703;
constexpr int32_t TBN_ENDADJUST = -704;
constexpr int32_t TBN_RESET = -705;
// Customisation asks whether a button may go in or out: a non-zero answer allows it.
constexpr int32_t TBN_QUERYINSERT = -706;
constexpr int32_t TBN_QUERYDELETE = -707;
constexpr int32_t TBN_TOOLBARCHANGE = -708;
constexpr int32_t TBN_CUSTHELP = -709;

struct TNmToolBar {
  TNmHdr Hdr;
  uint16_t Command = 0;
  int32_t Index = -1;  // position in the bar where the question is about one
  std::string Text;
};

// An arrangement: indexes into the available buttons, kToolSeparator for a separator.
constexpr int32_t kToolSeparator = -1;

// Creates the bar as child `id` of `parent` (registers its class on first use). `available`
// and `images` must outlive the bar; `arrangement` picks and orders the buttons shown.
TWindow CreateToolBar(TWindow parent, int32_t id, uint32_t style, const TImageStrip& images,
                      std::span<const TToolButton> available,
                      std::span<const int32_t> arrangement);

// The buttons shown, as indexes into the available table (kToolSeparator for separators).
std::vector<int32_t> ToolBarArrangement(TWindow toolBar);
// Replaces the buttons shown; indexes outside the table count as separators.
void ToolBarSetArrangement(TWindow toolBar, std::span<const int32_t> arrangement);
// Buttons and separators shown.
int32_t ToolBarButtonCount(TWindow toolBar);
// The button at a position (a separator for a position out of range) and its state.
TToolButton ToolBarButton(TWindow toolBar, int32_t index);
// TBSTATE_* of the first button with the command; -1 when there is none.
int32_t ToolBarButtonState(TWindow toolBar, uint16_t command);
// Each returns false when no button has the command.
bool ToolBarEnable(TWindow toolBar, uint16_t command, bool enable);
bool ToolBarCheck(TWindow toolBar, uint16_t command, bool check);
bool ToolBarHide(TWindow toolBar, uint16_t command, bool hide);
// Gives the button another command (one position carries two commands in turn).
bool ToolBarSetCommand(TWindow toolBar, uint16_t command, uint16_t newCommand);
// Height the frame lays out for the bar.
int32_t ToolBarHeight(TWindow toolBar);
// The images and the table the bar was made with.
const TImageStrip* ToolBarImages(TWindow toolBar);
std::span<const TToolButton> ToolBarAvailable(TWindow toolBar);

// The user presses the button at a position: a check button toggles, the parent gets
// WM_COMMAND (posted; lParam the bar). False for separators, greyed and hidden buttons.
bool ToolBarClick(TWindow toolBar, int32_t index);
// The tool tip of a command, asked from the parent (TTN_GETDISPINFO); empty without
// TBSTYLE_TOOLTIPS.
std::string ToolBarToolTip(TWindow toolBar, uint16_t command);
// A button's name for the customisation dialog (TBN_GETBUTTONINFO).
std::string ToolBarButtonName(TWindow toolBar, uint16_t command);
// Whether the parent lets the button at the position go out, or an available button go in.
bool ToolBarMayDelete(TWindow toolBar, int32_t index);
bool ToolBarMayInsert(TWindow toolBar, int32_t index);
// The customisation dialog's reset and help buttons: the parent hears TBN_RESET/TBN_CUSTHELP.
void ToolBarResetRequest(TWindow toolBar);
void ToolBarHelpRequest(TWindow toolBar);
// Runs the customisation: TBN_BEGINADJUST, the back end's dialog (or the queued scripted
// arrangement), then on a change TBN_TOOLBARCHANGE, and TBN_ENDADJUST. True when changed.
bool ToolBarCustomize(TWindow toolBar);
// For the back end's dialog: applies what the user arranged. A button taken out or put in
// that the parent refuses (TBN_QUERYDELETE, TBN_QUERYINSERT) leaves the bar as it was and
// gives false.
bool ToolBarApplyCustomization(TWindow toolBar, std::span<const int32_t> arrangement);
// The arrangement the next scripted customisation ends with (headless tests).
void QueueToolBarArrangement(std::vector<int32_t> arrangement);

}  // namespace platform
