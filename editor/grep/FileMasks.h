// File masks of the global search: splitting them into patterns and matching
// names with the wildcard rules users know from the Windows version.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Blanks outside double quotes separate patterns; quotes are removed and runs of blanks
// count as one, so "*.c *.h" and "\"a b.txt\"" give "*.c", "*.h" and "a b.txt".
std::vector<std::string> SplitFileMasks(std::string_view masks);

// `*` matches any run of characters, `?` exactly one, letters without regard to case
// (Windows code page). A pattern ending in ".*" also matches the name without an
// extension, so "*.*" matches every name.
bool MatchWildcard(std::string_view pattern, std::string_view name);
