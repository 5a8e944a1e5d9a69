// Text forms of fonts and colours in the settings file.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/gfx/LogFont.h"

// The window fonts' default "15,8,0,0,400,0,0,513,12545,Fixedsys" and the printer's.
platform::TLogFont DefaultWindowFont();
platform::TLogFont DefaultPrinterFont();

// Ten comma-separated fields: height, width, escapement, orientation, weight, four numbers
// of two byte fields each (low byte first), the face name. Reads at most 80 characters;
// with fewer than nine commas or a field that is not a number, `deflt` is returned
// unchanged (apart from the clamps, which always apply).
platform::TLogFont ParseFontString(std::string_view text, const platform::TLogFont& deflt);
std::string FormatFontString(const platform::TLogFont& font);

// The DOS-mode font: height, bold, italic. Its face is always "MS LineDraw".
platform::TLogFont ParseDosFontString(std::string_view text);
std::string FormatDosFontString(const platform::TLogFont& font);

// The system colours that stand in for missing colour values.
struct TSystemColors {
  platform::TColorRef WindowText = platform::MakeRgb(0, 0, 0);
  platform::TColorRef Window = platform::MakeRgb(255, 255, 255);
  platform::TColorRef ButtonText = platform::MakeRgb(0, 0, 0);
  platform::TColorRef ButtonFace = platform::MakeRgb(240, 240, 240);
};

// Window kinds that have their own fonts and colours, in the settings' key order.
enum class TColorKind { Text, Hex, Grep, Diff };

// Text, background and the kind's highlight colour.
struct TKindColors {
  platform::TColorRef Text = 0;
  platform::TColorRef Back = 0;
  platform::TColorRef Highlight = 0;
  bool operator==(const TKindColors&) const = default;
};

TKindColors DefaultKindColors(TColorKind kind, const TSystemColors& system);
// Three hexadecimal colour values separated by commas; each missing or unparsable value
// takes its system colour.
TKindColors ParseColorString(std::string_view text, TColorKind kind, const TSystemColors& system);
// Eight hexadecimal digits each.
std::string FormatColorString(const TKindColors& colors);

// Six hexadecimal digits, blue green red from the left (the syntax colours).
bool ParseRgbHex6(std::string_view text, platform::TColorRef* color);
std::string FormatRgbHex6(platform::TColorRef color);
