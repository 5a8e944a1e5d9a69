// File-type definitions of the syntax colouring ("ZKColors.Ini") and the extension look-up.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/LogFont.h"
#include "platform/profile/ProfileFile.h"

constexpr const char* kSyntaxColorsFileName = "ZKColors.Ini";
constexpr int32_t kMaxSyntaxTypes = 20;

struct TSyntaxColorInfo {
  bool KeyCase = false;  // keywords compared with regard to case
  // The colours to paint with; a colour the definition does not set holds the global one.
  platform::TColorRef KeyColor = 0;
  platform::TColorRef CommentColor = 0;
  platform::TColorRef StringColor = 0;
  // Whether the definition sets the colour itself (only those are written back).
  bool OwnKeyColor = false;
  bool OwnCommentColor = false;
  bool OwnStringColor = false;
  char StringChar = 0;  // 0: no strings
  std::string LineComment;
  std::string BlockBegin;
  std::string BlockEnd;
  std::string KeyWords;  // separated by blanks
  std::string FileExt;   // extensions without dots, separated by blanks

  bool operator==(const TSyntaxColorInfo&) const = default;
};

struct TGlobalSyntaxColors {
  platform::TColorRef Key = platform::MakeRgb(0, 0, 255);
  platform::TColorRef Comment = platform::MakeRgb(0, 128, 0);
  platform::TColorRef String = platform::MakeRgb(255, 0, 255);
};

// Reads definition `number` (section "C" and the number). Returns whether it is usable:
// it has a line comment, both block markers, keywords or a string delimiter.
bool LoadSyntaxColorInfo(const platform::TProfileFile& file, int32_t number,
                         const TGlobalSyntaxColors& global, TSyntaxColorInfo& info);

// Erases the section and writes it anew; with `last`, the sections after it up to C19 go.
void SaveSyntaxColorInfo(platform::TProfileFile& file, int32_t number,
                         const TSyntaxColorInfo& info, bool last);

// The "FileExt" values of C0..C19, each trimmed and followed by one blank; the index is
// the definition number (empty when the definition has none).
using TSyntaxExtensions = std::array<std::string, kMaxSyntaxTypes>;
TSyntaxExtensions ReadSyntaxExtensions(const platform::TProfileFile& file);

// The definition for a file name by its extension, or -1.
int32_t FindSyntaxType(const TSyntaxExtensions& extensions, std::string_view fileName);
