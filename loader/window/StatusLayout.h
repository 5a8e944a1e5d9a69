// The controls of the loader's status dialog as one table: class, text, style, place, id.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/ui/Controls.h"
#include "platform/ui/UiTypes.h"

namespace krlad {

inline constexpr std::string_view kStatusWindowClass = "KRLADWIN";
// Version the caption (string 1501) is filled with.
inline constexpr std::string_view kLoaderVersion = "3.1";

// Control ids of the dialog.
enum TStatusControl : int32_t {
  idcStatusLabel = -1,  // texts and groups nobody addresses
  idcAbort = platform::IDCANCEL,
  idcStatusLine = 101,
  idcActionText = 102,
  idcConnectedTo = 103,
  idcPortText = 104,
  idcSpeedText = 105,
  idcProgress = 107,
};

struct TControlDef {
  std::string_view Class;
  std::string_view Text;
  uint32_t Style;
  platform::TRect Rect;  // client coordinates of the dialog
  int32_t Id;
};

// Client size of the dialog.
inline constexpr platform::TSize kStatusClientSize{360, 236};

namespace layout_detail {
using namespace platform;
constexpr uint32_t kShown = WS_VISIBLE;
constexpr uint32_t kLine = WS_VISIBLE | SS_LEFTNOWORDWRAP;
}  // namespace layout_detail

// Groups come before what they frame, so a toolkit stacks the fields above them.
inline constexpr std::array<TControlDef, 13> kStatusControls{{
    {platform::kButtonClass, "Aktueller Status", layout_detail::kShown | platform::BS_GROUPBOX,
     {8, 4, 352, 72}, idcStatusLabel},
    {platform::kStaticClass, "", layout_detail::kLine, {16, 24, 344, 40}, idcStatusLine},
    // Shown when a transfer starts.
    {platform::kProgressClass, "", 0, {16, 46, 344, 62}, idcProgress},
    {platform::kButtonClass, "Info", layout_detail::kShown | platform::BS_GROUPBOX,
     {8, 78, 352, 198}, idcStatusLabel},
    {platform::kStaticClass, "Aktion:", layout_detail::kLine, {16, 98, 148, 114},
     idcStatusLabel},
    // Two lines: action texts carry a file name.
    {platform::kStaticClass, "", layout_detail::kShown | platform::SS_LEFT, {152, 98, 344, 130},
     idcActionText},
    {platform::kStaticClass, "Angeschlossen an:", layout_detail::kLine, {16, 134, 148, 150},
     idcStatusLabel},
    {platform::kStaticClass, "", layout_detail::kLine, {152, 134, 344, 150}, idcConnectedTo},
    {platform::kStaticClass, "Schnittstelle:", layout_detail::kLine, {16, 154, 148, 170},
     idcStatusLabel},
    {platform::kStaticClass, "", layout_detail::kLine, {152, 154, 344, 170}, idcPortText},
    {platform::kStaticClass, "Geschwindigkeit:", layout_detail::kLine, {16, 174, 148, 190},
     idcStatusLabel},
    {platform::kStaticClass, "", layout_detail::kLine, {152, 174, 344, 190}, idcSpeedText},
    {platform::kButtonClass, "Abbruch", layout_detail::kShown | platform::BS_DEFPUSHBUTTON,
     {140, 206, 220, 230}, idcAbort},
}};

}  // namespace krlad
