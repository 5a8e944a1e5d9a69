// How the frame, find and replace, the clipboard and printing reach a text window's document
// by its handle. Every function answers 0, false or empty for a window that is no text view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/text/TextChildData.h"
#include "platform/ui/UiTypes.h"

// Null for a window without a text-view object.
TTextChildData* GetTextChildData(platform::TWindow window);

int32_t TextCaretColumn(platform::TWindow window);
int32_t TextCaretLine(platform::TWindow window);
int32_t TextLineCount(platform::TWindow window);
// False when the line does not exist.
bool TextLineText(platform::TWindow window, int32_t line, std::string& text);
TTextRange TextSelection(platform::TWindow window);
// The size of the range's text with a closing NUL (0 when it yields nothing); with a buffer,
// the text is copied into it.
size_t TextRangeText(platform::TWindow window, const TTextRange& range, char* buffer);
