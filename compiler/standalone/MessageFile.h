// The message file ("err"): one line per message with the caption of its kind.
#pragma once

#include <string>

#include "compiler/core/MessageList.h"

// "Fehler : [Zeile:3] ..." lines, Windows-1252, each ending with a line feed.
std::string FormatMessageFile(const TMessageList& messages);
// False when the file cannot be written.
bool WriteMessageFile(const std::string& name, const TMessageList& messages);
