// The plain-text form of a range as the text windows hand it to the clipboard and to drags.
#pragma once

#include <string>

#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"

// The bytes of a range: pieces joined by CR LF (column blocks as their rows), without a
// closing NUL. Empty when the range yields nothing.
std::string PlainTextOfRange(const TTextLines& lines, const TTextRange& range, bool columnMode,
                             int32_t caretLine, int32_t caretColumn);
