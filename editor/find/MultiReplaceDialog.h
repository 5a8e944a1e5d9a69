// The dialog "Mehrfaches Ersetzen": a group of search/replacement pairs and the options.
#pragma once

#include <functional>
#include <string>

#include "editor/frame/MultiReplace.h"
#include "platform/ui/UiTypes.h"

struct TMultiReplaceArgs {
  TMulRepList* Groups = nullptr;
  std::string Group;  // preselected on entry, the chosen one on OK
  bool CaseSensitive = false, WholeWords = false, RegularExpression = false;
  bool FromCursor = false, SelectionOnly = false, Confirm = false;
  // Opens the settings page of the groups; the button is disabled while unset.
  std::function<void(platform::TWindow dialog)> SetUp;
};

// True on OK with a group chosen; the options are those of the dialog's boxes.
[[nodiscard]] bool RunMultiReplaceDialog(platform::TWindow owner, TMultiReplaceArgs& args);
