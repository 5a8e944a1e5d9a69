// The plain-text clipboard as the text windows see it: the bytes they copy and paste, and
// the service that carries them (installed by the frame; none means no clipboard).
#pragma once

#include <string>
#include <string_view>

#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"

struct TTextClipboardService {
  // Each false when the clipboard cannot be opened or set.
  bool (*SetText)(std::string_view bytes) = nullptr;
  bool (*GetText)(std::string* bytes) = nullptr;
  bool (*HasText)() = nullptr;
};

// Null removes the service.
void SetTextClipboardService(const TTextClipboardService* service);
const TTextClipboardService* TextClipboardService();

// The plain-text bytes of a range: pieces joined by CR LF (column blocks as their rows),
// without a closing NUL. Empty when the range yields nothing.
std::string PlainTextOfRange(const TTextLines& lines, const TTextRange& range, bool columnMode,
                             int32_t caretLine, int32_t caretColumn);
