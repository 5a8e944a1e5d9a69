// Parsing and writing of font and colour strings, with the clamps of the settings.
#include "editor/frame/FontFormat.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/gfx/ColorText.h"
#include "platform/profile/ProfileFile.h"

using platform::TColorRef;
using platform::TLogFont;

namespace {

constexpr size_t kFontStringMax = 80;
constexpr size_t kFaceChars = platform::kFaceNameMax - 1;  // the record keeps a terminator

bool IsLetter(unsigned char c) {
  // Letters of the Windows code page: A-Z, a-z and the accented letters from C0 on
  // (without the multiplication and division signs), plus Š Œ Ž š œ ž Ÿ.
  if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
  if (c >= 0xC0 && c != 0xD7 && c != 0xF7) return true;
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E ||
         c == 0x9F;
}

TLogFont MakeFont(int32_t height, int32_t width, const char* face) {
  TLogFont f;
  f.Height = height;
  f.Width = width;
  f.Weight = platform::kFontWeightNormal;
  f.OutPrecision = 1;  // 513 = output precision 1, clip precision 2
  f.ClipPrecision = 2;
  f.Quality = 1;  // 12545 = quality 1, pitch and family 31 hex
  f.PitchAndFamily = platform::kFamilyModern | platform::kFixedPitch;
  f.FaceName = face;
  return f;
}

void ClampFont(TLogFont& f) {
  if (std::abs(f.Height) > 100) f.Height = 15;
  if (std::abs(f.Width) > 100) f.Width = 8;
  if (std::abs(f.Weight) > 2000) f.Weight = platform::kFontWeightNormal;
  std::string_view face = f.FaceName;
  bool letterInFirstThree = false;
  for (size_t i = 0; i < 3 && i < face.size(); ++i) {
    if (IsLetter(static_cast<unsigned char>(face[i]))) letterInFirstThree = true;
  }
  if (!letterInFirstThree) f.FaceName = "FixedSys";
}

std::vector<std::string_view> SplitCommas(std::string_view text, size_t maxFields) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < maxFields) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) break;
    fields.push_back(text.substr(0, comma));
    text.remove_prefix(comma + 1);
  }
  fields.push_back(text);
  return fields;
}

// The whole field must be a number (blanks around it allowed).
bool ParseNumberField(std::string_view field, int32_t* value) {
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  size_t start = 0;
  while (start < field.size() && (field[start] == ' ' || field[start] == '\t')) ++start;
  size_t i = start;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
  if (i == field.size()) return false;
  for (; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
  }
  return platform::ParseProfileInt(field, value);
}

uint8_t LowByte(int32_t v) { return static_cast<uint8_t>(v & 0xFF); }
uint8_t HighByte(int32_t v) { return static_cast<uint8_t>((v >> 8) & 0xFF); }
int32_t Pack(uint8_t low, uint8_t high) { return low | (high << 8); }


}  // namespace

TLogFont DefaultWindowFont() { return MakeFont(15, 8, "Fixedsys"); }
TLogFont DefaultPrinterFont() { return MakeFont(-13, 0, "Courier New"); }

TLogFont ParseFontString(std::string_view text, const TLogFont& deflt) {
  TLogFont f = deflt;
  text = text.substr(0, kFontStringMax);
  std::vector<std::string_view> fields = SplitCommas(text, 10);
  if (fields.size() == 10) {
    int32_t n[9];
    bool ok = true;
    for (int i = 0; i < 9 && ok; ++i) ok = ParseNumberField(fields[i], &n[i]);
    if (ok) {
      f.Height = n[0];
      f.Width = n[1];
      f.Escapement = n[2];
      f.Orientation = n[3];
      f.Weight = n[4];
      f.Italic = LowByte(n[5]);
      f.Underline = HighByte(n[5]);
      f.StrikeOut = LowByte(n[6]);
      f.CharSet = HighByte(n[6]);
      f.OutPrecision = LowByte(n[7]);
      f.ClipPrecision = HighByte(n[7]);
      f.Quality = LowByte(n[8]);
      f.PitchAndFamily = HighByte(n[8]);
      f.FaceName = std::string(fields[9].substr(0, kFaceChars));
    }
  }
  ClampFont(f);
  return f;
}

std::string FormatFontString(const TLogFont& f) {
  std::string face = f.FaceName.substr(0, kFaceChars);
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d,%d,%d,%d,%d,%d,", f.Height, f.Width,
                f.Escapement, f.Orientation, f.Weight, Pack(f.Italic, f.Underline),
                Pack(f.StrikeOut, f.CharSet), Pack(f.OutPrecision, f.ClipPrecision),
                Pack(f.Quality, f.PitchAndFamily));
  return buffer + face;
}

TLogFont ParseDosFontString(std::string_view text) {
  std::vector<std::string_view> fields = SplitCommas(text, 3);
  TLogFont f;
  f.Height = -13;
  int32_t n = 0;
  if (ParseNumberField(fields[0], &n)) f.Height = n;
  auto flag = [&fields](size_t i) {
    if (i >= fields.size()) return false;
    std::string_view v = fields[i];
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    return !v.empty() && v.front() != '0';
  };
  f.Weight = flag(1) ? platform::kFontWeightBold : platform::kFontWeightNormal;
  f.Italic = flag(2) ? 1 : 0;
  f.CharSet = platform::kSymbolCharset;
  f.PitchAndFamily = platform::kFamilyModern | platform::kFixedPitch;
  f.FaceName = "MS LineDraw";
  return f;
}

std::string FormatDosFontString(const TLogFont& f) {
  return std::to_string(f.Height) + (f.Weight >= platform::kFontWeightBold ? ",1," : ",0,") +
         (f.Italic ? "1" : "0");
}

TKindColors DefaultKindColors(TColorKind kind, const TSystemColors& system) {
  if (kind == TColorKind::Grep) {
    // Hits in white stand out on a grey button face; on the near-white faces of today's
    // desktops they would vanish, so they are red there, as with the system colours.
    const platform::TColorRef face = system.ButtonFace;
    const int32_t brightness = (face & 0xFF) + ((face >> 8) & 0xFF) + ((face >> 16) & 0xFF);
    const platform::TColorRef hit = brightness > 3 * 208 ? platform::MakeRgb(255, 0, 0)
                                                         : platform::MakeRgb(255, 255, 255);
    return {system.ButtonText, system.ButtonFace, hit};
  }
  return {system.WindowText, system.Window, system.WindowText};
}

TKindColors ParseColorString(std::string_view text, TColorKind kind,
                             const TSystemColors& system) {
  TKindColors c = DefaultKindColors(kind, system);
  std::vector<std::string_view> fields = SplitCommas(text, 3);
  TColorRef* slots[3] = {&c.Text, &c.Back, &c.Highlight};
  for (size_t i = 0; i < fields.size() && i < 3; ++i) {
    TColorRef value;
    if (platform::ParseHexColor(fields[i], 8, &value)) *slots[i] = value;
  }
  return c;
}

std::string FormatColorString(const TKindColors& c) {
  return platform::FormatHexColor(c.Text, 8) + "," + platform::FormatHexColor(c.Back, 8) + "," +
         platform::FormatHexColor(c.Highlight, 8);
}

bool ParseRgbHex6(std::string_view text, TColorRef* color) {
  return platform::ParseHexColor(text, 6, color);
}

std::string FormatRgbHex6(TColorRef color) { return platform::FormatHexColor(color, 6); }
