// The Windows (1252) and DOS (850) code pages to Unicode, for the display and input
// boundary of a back end only: documents stay bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

char32_t Cp1252ToUnicode(uint8_t byte);
char32_t Cp850ToUnicode(uint8_t byte);
// -1 when the code page has no byte for the character.
int32_t UnicodeToCp1252(char32_t ch);

// A Windows-1252 byte in code page 850 (what typing in a DOS-mode document stores);
// characters 850 lacks become '?'.
uint8_t WinToDos(uint8_t byte);

// Bytes of a document as UTF-8; `oem` selects code page 850.
std::string CodePageToUtf8(std::string_view bytes, bool oem);
void AppendUtf8(std::string& out, char32_t ch);

}  // namespace platform
