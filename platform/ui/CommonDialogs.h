// The common dialogs: open and save a file (with the extra parts the editor adds: a history
// combo box, a check box, a list of line-end formats), choose a folder, a font or a colour.
// The back end shows them; the layer parses filters and checks the answers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/LogFont.h"
#include "platform/ui/UiTypes.h"

namespace platform {

// Flags of a file dialog.
constexpr uint32_t OFN_READONLY = 0x00000001;         // in: the box checked; out: it was
constexpr uint32_t OFN_OVERWRITEPROMPT = 0x00000002;
constexpr uint32_t OFN_HIDEREADONLY = 0x00000004;
constexpr uint32_t OFN_ALLOWMULTISELECT = 0x00000200;
constexpr uint32_t OFN_PATHMUSTEXIST = 0x00000800;
constexpr uint32_t OFN_FILEMUSTEXIST = 0x00001000;

// One entry of a filter list: "Textdateien (*.txt)|*.txt;*.asc".
struct TFileFilter {
  std::string Description;
  std::vector<std::string> Patterns;
};
// "Desc|pat;pat|Desc|pat..." (a trailing '|' is allowed). False for an empty description or
// pattern list, or a description without patterns; `out` then holds what came before.
bool ParseFileFilter(std::string_view text, std::vector<TFileFilter>& out);
// Whether a file name matches a pattern list without regard to case ("*.*" matches all).
bool MatchesFilter(std::string_view fileName, const TFileFilter& filter);

struct TFileDialog {
  TWindow Owner = 0;
  bool Save = false;
  std::string Title;
  std::string Filter;
  int32_t FilterIndex = 1;  // 1-based; in and out
  std::string InitialDir;
  std::string FileName;     // in: the proposed name; out: the first chosen file
  std::string DefExt;       // appended (with a dot) to names without an extension
  uint32_t Flags = 0;
  std::string ReadOnlyLabel = "&Schreibgeschützt";
  // Extra parts; each is shown when its label is not empty.
  std::string HistoryLabel;             // a combo box of directories used before
  std::vector<std::string> History;     // choosing one shows that directory
  std::string CheckLabel;               // a check box
  bool Checked = false;                 // in and out
  std::string FormatLabel;              // a list of formats (line ends)
  std::vector<std::string> Formats;
  int32_t Format = 0;                   // in and out
  // Out: full paths of the chosen files (several only with OFN_ALLOWMULTISELECT).
  std::vector<std::string> Files;
};

// False when cancelled or when the request is unusable (bad filter: the dialog does not
// show); Files then stays empty.
bool GetOpenFileName(TFileDialog& dialog);
bool GetSaveFileName(TFileDialog& dialog);

struct TFolderDialog {
  TWindow Owner = 0;
  std::string Title;
  std::string Path;  // in: where to start; out: the chosen folder
};
bool BrowseForFolder(TFolderDialog& dialog);

// Flags of the font dialog.
constexpr uint32_t CF_FIXEDPITCHONLY = 0x00004000;
constexpr uint32_t CF_EFFECTS = 0x00000100;  // underline, strike-out and colour

struct TFontDialog {
  TWindow Owner = 0;
  TLogFont Font;        // in and out; the character set of the request is kept
  int32_t PointSize = 0;  // out: tenths of a point
  TColorRef Color = 0;
  uint32_t Flags = 0;
};
bool ChooseFont(TFontDialog& dialog);

struct TColorDialog {
  TWindow Owner = 0;
  TColorRef Color = 0;  // in and out
  std::array<TColorRef, 16> CustomColors{};
};
bool ChooseColor(TColorDialog& dialog);

}  // namespace platform
