// The frame's side of the settings sheet, the file lists' dialogs, the applications and the
// special help files: the commands and the settings groups they change.
#pragma once

#include <cstdint>

#include "platform/ui/UiTypes.h"

class TFrame;

// Commands 119-121, 124, 198-201, 208, 209-223, 243 and 245.
bool IsSettingsCommand(uint16_t command);
void SettingsCommand(TFrame& frame, uint16_t command);
// The settings sheet at a page (spLastShown: the page left last), owned by `owner` or the
// frame; the multiple-replace dialog's "Ei&nrichten..." opens it at its page this way.
void OpenSettingsSheet(TFrame& frame, int32_t page, platform::TWindow owner = 0);
// The settings at the page "Mehrfach-Ersetzen", for the multiple-replace dialog's
// "Ei&nrichten..." (the dialog owns the sheet while it runs).
void OpenMultiReplaceSettings(TFrame& frame, platform::TWindow dialog);
// wm_SettingsChanged groups 1, 2, 3, 33, 35, 41 and 60.
void ApplySettingsGroup(TFrame& frame, int32_t group);
