// The dialogs "Suchen" and "Ersetzen": options and texts of the request, the histories,
// and the checks of hexadecimal input.
#pragma once

#include <string>
#include <string_view>

#include "editor/frame/StringHistory.h"
#include "editor/search/SearchRequest.h"
#include "platform/ui/UiTypes.h"

struct TFindDialogArgs {
  bool Replace = false;    // "Ersetzen" with replacement, confirmation and all documents
  bool HexWindow = false;  // shows the hex-input box
  std::string InitialText;  // Windows character set; empty: the newest history entry
  TSearchRequest* Request = nullptr;  // options preset on entry, texts and options on OK
  TStringHistory* SearchTexts = nullptr;
  TStringHistory* ReplaceTexts = nullptr;
};

// True on OK with the request filled (hex-input texts checked, the replacement's bytes
// parsed) and the histories updated.
[[nodiscard]] bool RunFindDialog(platform::TWindow owner, TFindDialogArgs& args);

// Between the dialogs (UTF-8) and documents (Windows character set).
std::string Utf8ToWin(std::string_view text);
std::string WinToUtf8(std::string_view text);
