// Plain descriptions of fonts and colours, as the settings store them and the window layer
// turns them into real fonts and brushes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A colour as 0x00BBGGRR (red in the lowest byte).
using TColorRef = uint32_t;

constexpr TColorRef MakeRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColorRef>(red) | (static_cast<TColorRef>(green) << 8) |
         (static_cast<TColorRef>(blue) << 16);
}

// Character sets and pitch-and-family values a logical font can name.
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kDefaultCharset = 1;
constexpr uint8_t kSymbolCharset = 2;
constexpr uint8_t kOemCharset = 255;
constexpr uint8_t kFixedPitch = 0x01;
constexpr uint8_t kFamilyModern = 0x30;
constexpr int32_t kFontWeightNormal = 400;
constexpr int32_t kFontWeightBold = 700;
constexpr size_t kFaceNameMax = 32;  // characters, like the Windows record's 32-byte field

// A logical font: the request, not the font that the back end finally picks.
struct TLogFont {
  int32_t Height = 0;  // negative: character height, positive: cell height (pixels)
  int32_t Width = 0;   // 0: natural width for the height
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = kFontWeightNormal;
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  uint8_t CharSet = kAnsiCharset;
  uint8_t OutPrecision = 0;
  uint8_t ClipPrecision = 0;
  uint8_t Quality = 0;
  uint8_t PitchAndFamily = 0;
  std::string FaceName;  // at most kFaceNameMax - 1 characters

  bool operator==(const TLogFont&) const = default;
};

}  // namespace platform
