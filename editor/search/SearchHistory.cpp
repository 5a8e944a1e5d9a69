// History lists of the find dialogs.
#include "editor/search/SearchHistory.h"

#include <algorithm>

void AddToSearchHistory(std::vector<std::string>& history, std::string_view text) {
  const auto same = std::find(history.begin(), history.end(), text);
  if (same != history.end()) history.erase(same);
  history.insert(history.begin(), std::string(text));
  if (history.size() > kSearchHistoryMax) history.resize(kSearchHistoryMax);
}
