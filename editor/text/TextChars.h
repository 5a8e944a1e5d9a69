// Character classes of the text windows in both character sets: word characters, the
// German letters, case toggling, the DOS/Windows conversion and the ordering of sorts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Digits, A-Z, a-z, the underscore and the German letters of the character set in force.
bool IsWordChar(uint8_t c, bool dosMode);

// A blank in the sense of indentation and trailing blanks.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The letters the case toggle knows: ASCII plus the German letters of both sets.
bool IsToggleLower(uint8_t c);
bool IsToggleUpper(uint8_t c);
uint8_t ToggleCaseChar(uint8_t c);

// Windows-1252 to code page 850 and back; a character the target lacks becomes '?'.
uint8_t WinToDosChar(uint8_t c);
uint8_t DosToWinChar(uint8_t c);

// Ordering of texts as people read them (Windows character set): letters before case,
// umlauts beside their base letters, ß as "ss"; ties are broken so that only equal texts
// compare equal. Negative, 0 or positive.
int32_t CompareTextLocale(std::string_view a, std::string_view b, bool caseSensitive);
// The same order in two steps, for sorting many texts: keys whose plain byte comparison is
// the first level, then the accent and case levels of texts whose keys are equal.
void AppendCollationKey(std::string_view text, std::string& out);
int32_t CompareTextLocaleTies(std::string_view a, std::string_view b, bool caseSensitive);
