// The editor's one way to show a message box: caption "Z&K Quellwerk: " and the caption
// string, icon and button kinds by number, and the texts that carry a file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"

// Icon kinds: 1 information, 2 exclamation, 3 stop, 4 question. Button kinds: 1 OK,
// 2 OK/Cancel, 3 Yes/No, 4 Yes/No/Cancel. Returns the box's answer (IDOK, IDYES, ...).
int32_t ShowMessage(platform::TWindow owner, std::string_view text, uint32_t captionId,
                    int32_t icon, int32_t buttons);
// "Z&K Quellwerk: " and the caption string.
std::string MessageCaption(uint32_t captionId);

// A plain message with OK.
void ShowInfo(platform::TWindow owner, std::string_view text, uint32_t captionId, int32_t icon);
// Yes/No with the question icon; true for Yes.
bool AskYesNo(platform::TWindow owner, std::string_view text, uint32_t captionId);
// Yes/No/Cancel with the question icon: 1 Yes, 0 No, -1 Cancel.
int32_t AskYesNoCancel(platform::TWindow owner, std::string_view text, uint32_t captionId);

// The string `formatId` with its "%s" replaced by `name`.
std::string FormatFileText(uint32_t formatId, std::string_view name);
// A name longer than 40 characters gets a line of its own: a break before it.
std::string BreakLongName(std::string_view name);
