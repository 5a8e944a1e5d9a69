// The 26 tool-bar buttons and the images drawn for the editor (resources/images).
#include "resources/zkedit32/ToolBarButtons.h"

#include <array>

#include "resources/images/DiffWindow.xpm"
#include "resources/images/GrepWindow.xpm"
#include "resources/images/HexWindow.xpm"
#include "resources/images/Program16.xpm"
#include "resources/images/Program32.xpm"
#include "resources/images/TextWindow.xpm"
#include "resources/images/ToolBar.xpm"

using namespace platform;

namespace {

constexpr uint8_t B = TBSTYLE_BUTTON;
constexpr uint8_t K = TBSTYLE_CHECK;

// Image n is button n.
constexpr std::array<TToolButton, kToolButtonCount> kButtons{{
    {0x00, 112, B}, {0x01, 113, B}, {0x02, 114, B}, {0x03, 117, B}, {0x04, 122, B},
    {0x05, 144, B}, {0x06, 145, B}, {0x07, 146, B}, {0x08, 147, B}, {0x09, 148, B},
    {0x0A, 149, B}, {0x0B, 151, K}, {0x0C, 176, B}, {0x0D, 177, B}, {0x0E, 178, B},
    {0x0F, 183, B}, {0x10, 180, B}, {0x11, 197, K}, {0x12, 201, B}, {0x13, 193, K},
    {0x14, 202, K}, {0x15, 226, B}, {0x16, 224, B}, {0x17, 225, B}, {0x18, 230, K},
    {0x19, 123, B},
}};

const TImageStrip kToolImages{kToolBarXpm, kToolButtonCount, 16};
const TImageStrip kProgram32{kProgram32Xpm, 1, 32};
const TImageStrip kProgram16{kProgram16Xpm, 1, 16};
const TImageStrip kTextIcon{kTextWindowXpm, 1, 16};
const TImageStrip kHexIcon{kHexWindowXpm, 1, 16};
const TImageStrip kGrepIcon{kGrepWindowXpm, 1, 16};
const TImageStrip kDiffIcon{kDiffWindowXpm, 1, 16};

}  // namespace

std::span<const TToolButton> EditorToolButtons() { return kButtons; }

const TImageStrip& EditorToolImages() { return kToolImages; }

const TImageStrip* EditorIcon(uint32_t id) {
  switch (id) {
    case 200: return &kProgram32;
    case 201: return &kProgram16;
    case 205: return &kTextIcon;
    case 206: return &kHexIcon;
    case 207: return &kGrepIcon;
    case 208: return &kDiffIcon;
    default: return nullptr;
  }
}
