// Texts typed into the find dialog that need translating: escape sequences of regular
// expressions and hexadecimal input for the hex editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Expands \F (form feed), \N (CR LF), \T (tab), \Xhh (the byte hh) and \\ (one backslash),
// letters in either case; any other escape is kept with its backslash so the regular
// expression sees it. False when the result holds a zero byte (from \X00): the search
// text is zero-terminated and would silently end there, so the caller treats it as a
// faulty expression. `out` receives the expansion either way.
[[nodiscard]] bool ExpandRegExpEscapes(std::string_view text, std::string* out);

// Parses hexadecimal input: groups of one or two digits separated by blanks (one digit
// has a leading 0), or an even number of digits without blanks. Writes the bytes to `out`
// (at most `capacity`) and returns their number, or -1 when the input is not of that form
// (also when it is empty or holds more than `capacity` bytes).
[[nodiscard]] int32_t ParseHexInput(std::string_view text, uint8_t* out, int32_t capacity);
