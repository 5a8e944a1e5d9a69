// Fonts and brushes as handles: a logical font is realised by the back end into metrics and
// a width per byte; the text of documents stays bytes until the back end draws it.
#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/LogFont.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// Bit of TTextMetric::PitchAndFamily; set means VARIABLE pitch (the Windows quirk).
constexpr uint8_t TMPF_FIXED_PITCH = 0x01;

struct TTextMetric {
  int32_t Height = 0;
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t ExternalLeading = 0;
  int32_t AveCharWidth = 0;
  int32_t MaxCharWidth = 0;
  uint8_t PitchAndFamily = 0;
  uint8_t CharSet = kAnsiCharset;
};

// What the back end makes of a logical font.
struct TFontInfo {
  TLogFont Log;
  TTextMetric Metrics;
  std::array<int32_t, 256> Widths{};  // advance of every byte of the font's code page
  bool FixedPitch() const { return (Metrics.PitchAndFamily & TMPF_FIXED_PITCH) == 0; }
};

// 0 when no user interface is initialised or the table is full.
TFont CreateFontIndirect(const TLogFont& logFont);
// The font all canvases start with (fixed pitch, like the system font).
TFont GetStockFont();
// Null for a stale or foreign handle.
const TFontInfo* GetFontInfo(TFont font);
// False for the stock font and for handles that are not fonts.
bool DeleteFont(TFont font);

// A solid brush of one colour; TBrush values 1..31 are system-colour brushes.
TBrush CreateSolidBrush(TColorRef color);
bool DeleteBrush(TBrush brush);
// The colour of a brush; system brushes give their system colour.
TColorRef BrushColor(TBrush brush);
TColorRef GetSysColor(int32_t index);

}  // namespace platform
