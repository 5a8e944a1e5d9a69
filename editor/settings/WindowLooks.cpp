// Fonts and colours of the document windows per kind.
#include "editor/settings/WindowLooks.h"

#include <array>

#include "editor/text/ChildAccess.h"
#include "editor/text/ChildTypes.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Paint.h"

using namespace platform;

namespace {

// Hex, search-result and compare windows: the frame keeps only the text editor's.
std::array<TFont, 3> gOtherFonts{};
std::array<TBrush, 3> gOtherBrushes{};

}  // namespace

void ApplyWindowLooks(const TIniOptions& options, const std::vector<TWindow>& windows,
                      TFont& textFont, TBrush& textBrush) {
  std::array<TFont, 4> fonts{};
  std::array<TBrush, 4> brushes{};
  for (size_t k = 0; k < 4; ++k) {
    fonts[k] = CreateFontIndirect(options.Fonts[k]);
    brushes[k] = options.SystemColors ? 0 : CreateSolidBrush(options.Colors[k].Back);
  }
  for (TWindow w : windows) {
    uint8_t kind = ChildKind(w);
    if (kind < 1 || kind > 4) continue;
    size_t k = kind - 1u;
    ChildSetFont(w, options.SystemFonts ? GetStockFont() : fonts[k]);
    if (options.SystemColors) {
      ChildSetColors(w, 0xFFFFFFFF, options.Colors[k].Highlight, 0);
    } else {
      ChildSetColors(w, options.Colors[k].Text, options.Colors[k].Highlight, brushes[k]);
    }
    InvalidateRect(w, nullptr);
  }
  // The windows hold the new handles now; the old ones can go.
  if (textFont) DeleteFont(textFont);
  if (textBrush) DeleteBrush(textBrush);
  textFont = fonts[0];
  textBrush = brushes[0];
  for (size_t k = 0; k < 3; ++k) {
    if (gOtherFonts[k]) DeleteFont(gOtherFonts[k]);
    if (gOtherBrushes[k]) DeleteBrush(gOtherBrushes[k]);
    gOtherFonts[k] = fonts[k + 1];
    gOtherBrushes[k] = brushes[k + 1];
  }
}
