// The status bar's texts and part layouts per window kind.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/file/File.h"

// Right edges at 96 dpi for a window kind (0 none .. 4 compare), the last -1.
std::span<const int32_t> StatusLayout(uint8_t kind);
// The same scaled for a screen of `dpi` dots per inch (only above 96; the last stays -1).
std::vector<int32_t> ScaledStatusLayout(uint8_t kind, int32_t dpi);

std::string StatusLineText(int32_t line1);      // "Z:  " and the 1-based line
std::string StatusColumnText(int32_t column1);  // "S:  " and the 1-based column
std::string StatusInsertText(bool overwrite);   // "Einfügen" / "Überschr."
std::string StatusCharsetText(bool dos);        // "WIN" / "DOS"
// Date and time, two blanks, the size and " Byte"; "   nur lesen!" for read-only.
std::string StatusFileInfoText(const platform::TFileTime& time, int64_t size, bool readOnly);
// Decimal, " / ", eight hex digits and a blank; empty for a negative offset.
std::string StatusHexOffsetText(int64_t offset);
// The character in double quotes, " / ", decimal, " / ", two hex digits.
std::string StatusHexByteText(uint8_t byte);
std::string StatusFilesText(int32_t count);  // "Dateien: " n
std::string StatusHitsText(int32_t count);   // "Textstellen: " n
// German short date "dd.mm.yyyy" and time "hh:mm" in local time.
std::string ShortDateText(int64_t secondsSince1970);
std::string ShortTimeText(int64_t secondsSince1970);
