// Keyword look-up.
#include "editor/search/KeyWordList.h"

#include <algorithm>

#include "platform/charset/Charset.h"

TKeyWordList::TKeyWordList(std::string_view text, bool caseSensitive)
    : CaseSensitive_(caseSensitive) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of(" \t\r\n", pos);
    if (start == std::string_view::npos) break;
    size_t end = text.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(start, end - start);
    Words_.push_back(caseSensitive ? std::string(word) : platform::UpperCaseWin(word));
    pos = end;
  }
  std::sort(Words_.begin(), Words_.end());
  Words_.erase(std::unique(Words_.begin(), Words_.end()), Words_.end());
}

bool TKeyWordList::Contains(std::string_view word) const {
  if (Words_.empty() || word.empty()) return false;
  if (!CaseSensitive_) {
    Scratch_.assign(word);
    for (char& c : Scratch_) c = static_cast<char>(platform::UpperWin(static_cast<uint8_t>(c)));
    word = Scratch_;
  }
  return std::binary_search(Words_.begin(), Words_.end(), word,
                            [](std::string_view a, std::string_view b) { return a < b; });
}
