// The text window's side of find and replace: its search over the lines, its replace
// operation through the editing engine, and the text the find dialog starts with.
#pragma once

#include <string>

#include "editor/find/WindowSearch.h"

class TTextChildData;

// The operations for text windows (also usable by other kinds built on the text view).
const TWindowSearchOps& TextWindowSearchOps();
// Registers them for the text editor's windows.
void RegisterTextWindowSearch();

// The search text a find dialog starts with in a text window (Windows character set), and
// whether the selection presets a selection-only search.
struct TInitialSearch {
  std::string Text;
  bool SelectionOnly = false;
};
TInitialSearch InitialSearchText(TTextChildData& window);
