// The search engine for one line or buffer: plain text in four variants (case-sensitive
// or not, forward or backward; Windows and DOS umlauts are equal) or a regular expression,
// with the whole-word filter on top.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/search/RegExp.h"
#include "editor/search/SearchRequest.h"

// The plain variants. Forward: the leftmost match at or after `start`. Backward: `start`
// is the place of the match's last byte, and the search moves left from there.
bool FindPlainForward(std::string_view text, std::string_view pattern, int32_t start,
                      int32_t* offset);
bool FindPlainBackward(std::string_view text, std::string_view pattern, int32_t start,
                       int32_t* offset);
bool FindFoldedForward(std::string_view text, std::string_view pattern, int32_t start,
                       int32_t* offset);
bool FindFoldedBackward(std::string_view text, std::string_view pattern, int32_t start,
                        int32_t* offset);

// Compiles the request's regular expression into `regExp` when it has one: ignoring case
// exactly when the search is not case-sensitive. Returns the compile status (0 also
// without a regular expression).
[[nodiscard]] int32_t PrepareEngine(const TEngineRequest& request, TRegExp& regExp);

// Runs one search over `length` bytes of `text` from `start` (see the plain variants for
// its meaning). A regular expression runs on `regExp`, which PrepareEngine compiled.
[[nodiscard]] bool SearchText(const char* text, int32_t length, const TEngineRequest& request,
                              int32_t start, TSearchMatch* match,
                              const TRegExp& regExp = ProgramRegExp());
