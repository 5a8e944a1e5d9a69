// The keywords of one file type: sorted, looked up by binary search.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TKeyWordList {
 public:
  // Words of `text` separated by blanks; compared exactly when `caseSensitive`, else
  // without regard to case (Windows code page).
  TKeyWordList(std::string_view text, bool caseSensitive);

  bool Contains(std::string_view word) const;
  size_t Size() const { return Words_.size(); }

 private:
  bool CaseSensitive_;
  std::vector<std::string> Words_;  // upper-cased when not case-sensitive
  mutable std::string Scratch_;      // the upper-cased word being looked up
};
