// Compiles arbitrary patterns and runs them, and the plain engine, over arbitrary text:
// nothing may crash, read out of bounds or report a hit outside the text, and a hit must
// be confirmed by a match at its place.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "editor/search/SearchEngine.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

// Layout: flags byte, pattern length byte, pattern, text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t flags = data[0];
  const size_t patternLength = std::min<size_t>(data[1], size - 2);
  const std::string_view pattern(reinterpret_cast<const char*>(data + 2), patternLength);
  const char* text = reinterpret_cast<const char*>(data + 2 + patternLength);
  // Nested repetitions over long runs must stay fast (regexp.dict beside this file holds
  // such patterns), so texts are taken at any length the fuzzer makes.
  const int32_t length = static_cast<int32_t>(std::min<size_t>(size - 2 - patternLength, 1 << 20));
  const int32_t start = length > 0 ? (flags >> 4) % (length + 1) : 0;

  static TRegExp rx;
  const int32_t status = rx.Compile(pattern, (flags & 1) != 0);
  Check(status == reOk || status == reBadRepeat || status == reBadNamedSet ||
        status == reColonAtEnd || status == reBackslashAtEnd || status == reOpenClass ||
        status == reClassTooLong || status == reEmptyClass || status == reTooLong);
  if (status == reOk) {
    Check(rx.CodeLength() <= TRegExp::kCodeSize && rx.CodeLength() >= 2);
    Check(rx.Code()[rx.CodeLength() - 1] == rxEnd && rx.Code()[rx.CodeLength() - 2] == rxItemEnd);
    TRegExpMatch m;
    if (rx.FindForward(text, length, start, &m)) {
      Check(m.Offset >= start && m.Length >= 0 && m.Offset + m.Length <= length);
      Check(rx.Match(text, length, m.Offset) == m.Offset + m.Length);
    }
  }

  // The engine with every option over the same text, the pattern as a plain text.
  TEngineRequest request;
  const size_t plain = std::min<size_t>(patternLength, kSearchTextMax);
  std::memcpy(request.SearchText, pattern.data(), plain);
  request.SearchText[plain] = 0;
  request.CaseSensitive = (flags & 2) != 0;
  request.WholeWords = (flags & 4) != 0;
  request.Backward = (flags & 8) != 0;
  request.RegularExpression = false;
  TSearchMatch hit;
  const int32_t from = request.Backward ? length - 1 - start : start;
  if (SearchText(text, length, request, from, &hit, rx)) {
    const int32_t n = static_cast<int32_t>(std::strlen(request.SearchText));
    Check(hit.Length == n && hit.Offset >= 0 && hit.Offset + n <= length);
    Check(request.Backward ? hit.Offset + n - 1 <= from : hit.Offset >= from);
  }
  return 0;
}
