// The search engine: the four plain variants, the regular expression, whole words.
#include "editor/search/SearchEngine.h"

#include <cstring>

#include "editor/search/SearchChars.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using search_chars::kTables;

inline uint8_t Byte(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

// Case-sensitive: equal bytes, or a Windows umlaut in the pattern and its DOS form in the
// text.
inline bool PlainEqual(uint8_t text, uint8_t pattern) {
  return text == pattern || (kTables.DosForm[pattern] != 0 && kTables.DosForm[pattern] == text);
}

inline bool FoldedEqual(uint8_t text, uint8_t pattern) {
  return kTables.PlainFold[text] == kTables.PlainFold[pattern];
}

template <bool (*Equal)(uint8_t, uint8_t)>
bool SameAt(std::string_view text, size_t at, std::string_view pattern) {
  for (size_t i = 1; i < pattern.size(); ++i)
    if (!Equal(Byte(text, at + i), Byte(pattern, i))) return false;
  return true;
}

// The bytes that fold to each value of the plain folding (at most four, for the umlauts).
struct TFoldSources {
  uint8_t Bytes[256][4] = {};
  uint8_t Count[256] = {};
};

constexpr TFoldSources BuildFoldSources() {
  TFoldSources t;
  for (int b = 0; b < 256; ++b) {
    const uint8_t f = kTables.PlainFold[b];
    t.Bytes[f][t.Count[f]++] = static_cast<uint8_t>(b);
  }
  return t;
}

constexpr TFoldSources kFoldSources = BuildFoldSources();

// The first place in [p, end] holding one of `count` (1 to 4) bytes, or end + 1.
size_t FindAnyOf(std::string_view text, size_t p, size_t end, const uint8_t* set, int count) {
  if (count == 1) {
    const void* hit = std::memchr(text.data() + p, set[0], end + 1 - p);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : end + 1;
  }
#if defined(__SSE2__)
  __m128i wanted[4];
  for (int i = 0; i < count; ++i) wanted[i] = _mm_set1_epi8(static_cast<char>(set[i]));
  // Chunks may reach past `end` as long as they stay in the text; hits there do not count.
  while (p <= end && p + 16 <= text.size()) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
    __m128i any = _mm_cmpeq_epi8(chunk, wanted[0]);
    for (int i = 1; i < count; ++i) any = _mm_or_si128(any, _mm_cmpeq_epi8(chunk, wanted[i]));
    const int mask = _mm_movemask_epi8(any);
    if (mask != 0) {
      const size_t hit = p + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
      return hit <= end ? hit : end + 1;
    }
    p += 16;
  }
#endif
  for (; p <= end; ++p)
    for (int i = 0; i < count; ++i)
      if (Byte(text, p) == set[i]) return p;
  return end + 1;
}

// Next place in [p, last] where the first pattern byte can match, or `last` + 1.
size_t NextPlainCandidate(std::string_view text, size_t p, size_t last, uint8_t first) {
  const uint8_t set[2] = {first, kTables.DosForm[first]};
  return FindAnyOf(text, p, last, set, set[1] != 0 ? 2 : 1);
}

size_t NextFoldedCandidate(std::string_view text, size_t p, size_t last, uint8_t first) {
  const uint8_t folded = kTables.PlainFold[first];
  return FindAnyOf(text, p, last, kFoldSources.Bytes[folded], kFoldSources.Count[folded]);
}

template <bool (*Equal)(uint8_t, uint8_t),
          size_t (*Next)(std::string_view, size_t, size_t, uint8_t)>
bool Forward(std::string_view text, std::string_view pattern, int32_t start, int32_t* offset) {
  if (pattern.empty() || pattern.size() > text.size()) return false;
  const size_t last = text.size() - pattern.size();  // last place the pattern fits
  size_t p = start < 0 ? 0 : static_cast<size_t>(start);
  const uint8_t first = Byte(pattern, 0);
  while (p <= last) {
    p = Next(text, p, last, first);
    if (p > last) return false;
    if (SameAt<Equal>(text, p, pattern)) {
      *offset = static_cast<int32_t>(p);
      return true;
    }
    ++p;
  }
  return false;
}

template <bool (*Equal)(uint8_t, uint8_t)>
bool Backward(std::string_view text, std::string_view pattern, int32_t start, int32_t* offset) {
  if (pattern.empty() || pattern.size() > text.size() || start < 0) return false;
  const int64_t m = static_cast<int64_t>(pattern.size());
  int64_t p = static_cast<int64_t>(start) - m + 1;
  const int64_t last = static_cast<int64_t>(text.size()) - m;
  if (p > last) p = last;
  for (; p >= 0; --p) {
    int64_t i = m - 1;  // from the pattern's last byte backward
    while (i >= 0 && Equal(Byte(text, static_cast<size_t>(p + i)), Byte(pattern, static_cast<size_t>(i))))
      --i;
    if (i < 0) {
      *offset = static_cast<int32_t>(p);
      return true;
    }
  }
  return false;
}

bool IsWholeWord(std::string_view text, int32_t offset, int32_t length) {
  if (offset > 0 && search_chars::IsWordChar(Byte(text, static_cast<size_t>(offset - 1))))
    return false;
  const size_t after = static_cast<size_t>(offset) + static_cast<size_t>(length);
  return after >= text.size() || !search_chars::IsWordChar(Byte(text, after));
}

// One search without the whole-word filter.
bool SearchOnce(std::string_view text, const TEngineRequest& request, std::string_view pattern,
                int32_t start, const TRegExp& regExp, TSearchMatch* match) {
  if (request.RegularExpression) {
    TRegExpMatch m;
    if (!regExp.FindForward(text.data(), static_cast<int32_t>(text.size()), start, &m)) return false;
    *match = TSearchMatch{m.Offset, m.Length};
    return true;
  }
  int32_t offset = 0;
  bool found;
  if (request.CaseSensitive)
    found = request.Backward ? FindPlainBackward(text, pattern, start, &offset)
                             : FindPlainForward(text, pattern, start, &offset);
  else
    found = request.Backward ? FindFoldedBackward(text, pattern, start, &offset)
                             : FindFoldedForward(text, pattern, start, &offset);
  if (found) *match = TSearchMatch{offset, static_cast<int32_t>(pattern.size())};
  return found;
}

}  // namespace

bool FindPlainForward(std::string_view text, std::string_view pattern, int32_t start,
                      int32_t* offset) {
  return Forward<PlainEqual, NextPlainCandidate>(text, pattern, start, offset);
}

bool FindPlainBackward(std::string_view text, std::string_view pattern, int32_t start,
                       int32_t* offset) {
  return Backward<PlainEqual>(text, pattern, start, offset);
}

bool FindFoldedForward(std::string_view text, std::string_view pattern, int32_t start,
                       int32_t* offset) {
  return Forward<FoldedEqual, NextFoldedCandidate>(text, pattern, start, offset);
}

bool FindFoldedBackward(std::string_view text, std::string_view pattern, int32_t start,
                        int32_t* offset) {
  return Backward<FoldedEqual>(text, pattern, start, offset);
}

TEngineRequest MakeEngineRequest(const TSearchRequest& request) {
  TEngineRequest engine;
  std::memcpy(engine.SearchText, request.SearchText, sizeof engine.SearchText);
  engine.SearchText[kSearchTextMax] = 0;
  engine.CaseSensitive = request.CaseSensitive;
  engine.WholeWords = request.WholeWords;
  engine.RegularExpression = request.RegularExpression;
  engine.Backward = request.Backward && !request.RegularExpression;
  return engine;
}

int32_t PrepareEngine(const TEngineRequest& request, TRegExp& regExp) {
  if (!request.RegularExpression) return reOk;
  return regExp.Compile(request.SearchText, !request.CaseSensitive);
}

bool SearchText(const char* text, int32_t length, const TEngineRequest& request, int32_t start,
                TSearchMatch* match, const TRegExp& regExp) {
  if (!text) text = "";
  if (length < 0) length = static_cast<int32_t>(std::strlen(text));
  const std::string_view view(text, static_cast<size_t>(length));
  const std::string_view pattern(request.SearchText,
                                 strnlen(request.SearchText, sizeof request.SearchText));
  const bool backward = request.Backward && !request.RegularExpression;
  if (backward && start >= length) start = length - 1;  // the last byte at most
  TSearchMatch found;
  while (SearchOnce(view, request, pattern, start, regExp, &found)) {
    if (!request.WholeWords || IsWholeWord(view, found.Offset, found.Length)) {
      *match = found;
      return true;
    }
    if (backward) {
      start = found.Offset - 1;
    } else {
      // An empty rejected match must still move the search on.
      start = found.Offset + (found.Length > 0 ? found.Length : 1);
      if (start > length) return false;
    }
  }
  return false;
}
