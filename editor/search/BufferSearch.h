// Searching a block of bytes (a mapped file of the global search or of the hex editor)
// hit after hit, with the same memory of the last match as the line driver.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/search/RegExp.h"
#include "editor/search/SearchRequest.h"

class TBufferSearch {
 public:
  // The next hit in `size` bytes from `start` (forward, or backward with the start as the
  // place of the hit's last byte). Only hits inside [`low`, `high`) count; pass 0 and
  // `size` for the whole buffer. A hit that ends beyond `high` (forward) or starts before
  // `low` (backward) ends the search; one that straddles the other bound is passed over.
  // A search from the place of an empty hit starts one byte further.
  [[nodiscard]] bool Find(const char* data, int64_t size, const TEngineRequest& request,
                          int64_t start, TSearchMatch* hit, int64_t low, int64_t high,
                          const TRegExp& regExp = ProgramRegExp());
  [[nodiscard]] bool Find(const char* data, int64_t size, const TEngineRequest& request,
                          int64_t start, TSearchMatch* hit,
                          const TRegExp& regExp = ProgramRegExp()) {
    return Find(data, size, request, start, hit, 0, size, regExp);
  }

  // The same for bytes typed as hexadecimal input: matched exactly, zero bytes included,
  // without folding or umlaut equivalences.
  [[nodiscard]] bool FindBytes(const char* data, int64_t size, std::string_view bytes,
                               bool backward, int64_t start, TSearchMatch* hit, int64_t low,
                               int64_t high);

  void Forget() { HasLast_ = false; }

 private:
  template <typename TSearchOnce>
  bool Run(int64_t size, bool backward, int64_t start, int64_t low, int64_t high,
           TSearchMatch* hit, TSearchOnce searchOnce);
  bool NotFound() {
    HasLast_ = false;
    return false;
  }

  bool HasLast_ = false;
  TSearchMatch Last_;
};
