// The dialog "Z&K Quellwerk: Dateien vergleichen": the two file names with their histories
// and browse buttons, and the comparison options.
#pragma once

#include <string>

#include "editor/views/DiffTypes.h"
#include "platform/ui/UiTypes.h"

// Control ids of the dialog.
enum : int32_t {
  kCmpFirstCombo = 101,
  kCmpFirstBrowse = 102,
  kCmpSecondCombo = 103,
  kCmpSecondBrowse = 104,
  kCmpIgnoreSpaces = 105,
  kCmpIgnoreCase = 106,
  kCmpIgnoreBlankLines = 107,  // in the template, never shown
};

struct TCompareDialogSetup {
  std::string Filter = "Alle Dateien|*.*|";  // of the browse dialogs
  std::string InitialDir;
};

// Shows the dialog with the record's names, histories and options; true with OK, the
// record then holds the (trimmed) names and the options.
bool RunCompareDialog(platform::TWindow owner, TCompareParam& param,
                      const TCompareDialogSetup& setup = {});
