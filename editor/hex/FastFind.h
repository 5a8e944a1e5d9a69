// Exact byte search for the hex editor's large files: candidates where the pattern's first
// and last bytes both match, sixteen places at a time, then a full compare.
#pragma once

#include <cstdint>
#include <string_view>

// The first place >= from where `pattern` lies wholly before `to`; -1 when there is none or
// the pattern is empty.
int64_t FastFindForward(const char* data, int64_t from, int64_t to, std::string_view pattern);

// True when a plain text search for `pattern` is an exact byte search: case-sensitive, no
// whole words, no regular expression, and no byte that the search treats as equal to
// another (letters above 127).
bool PlainSearchIsExact(std::string_view pattern, bool caseSensitive, bool wholeWords, bool regExp);
