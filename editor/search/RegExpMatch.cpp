// The backtracking matcher of TRegExp. Every item matches exactly one byte, so a
// repetition backtracks one byte at a time and needs no stack of item lengths.
#include <cstring>

#include "editor/search/RegExp.h"
#include "editor/search/SearchChars.h"

namespace {
constexpr uint8_t kCR = 0x0D;
constexpr uint8_t kLF = 0x0A;
}  // namespace

TRegExp::TRegExp() : Fails_(new TFailSlot[kFailSlots]()) {}

TRegExp::~TRegExp() = default;

TRegExp& ProgramRegExp() {
  static TRegExp program;
  return program;
}

void TRegExp::Begin(const char* text, int32_t length) const {
  Text_ = reinterpret_cast<const uint8_t*>(text ? text : "");
  if (!text) length = 0;
  End_ = length >= 0 ? length : static_cast<int32_t>(std::strlen(text));
  if (++Generation_ == 0) {  // after a wrap old slots could look current
    for (size_t i = 0; i < kFailSlots; ++i) Fails_[i] = TFailSlot{};
    Generation_ = 1;
  }
}

size_t TRegExp::ItemSize(size_t pc) const {
  switch (Code_[pc]) {
    case rxChar:
      return 2;
    case rxClass:
    case rxNotClass:
      return 1 + Code_[pc + 1];
    default:
      return 1;
  }
}

bool TRegExp::AtLineStart(int32_t position) const {
  if (position == 0) return true;
  if (Text_[position - 1] == 0) return true;
  return position >= 2 && Text_[position - 2] == kCR && Text_[position - 1] == kLF;
}

bool TRegExp::AtLineEnd(int32_t position) const {
  if (position >= End_) return true;
  const uint8_t c = Text_[position];
  return c == 0 || (c == kCR && position + 1 < End_ && Text_[position + 1] == kLF);
}

bool TRegExp::MatchItem(int32_t position, size_t pc) const {
  if (position >= End_) return false;
  const uint8_t raw = Text_[position];
  const uint8_t c = CaseInsensitive_ ? search_chars::RegExpFold(raw) : raw;
  switch (Code_[pc]) {
    case rxChar:
      return c == Code_[pc + 1];
    case rxAny:
      return true;
    case rxClass:
    case rxNotClass: {
      const size_t end = pc + 1 + Code_[pc + 1];
      bool member = false;
      for (size_t m = pc + 2; m < end && !member; ++m) {
        if (Code_[m] == rxRange) {
          member = Code_[m + 1] <= c && c <= Code_[m + 2];
          m += 2;
        } else {
          member = Code_[m] == c;
        }
      }
      return member == (Code_[pc] == rxClass);
    }
    case rxLetter:
      return search_chars::IsLetter(raw);
    case rxDigit:
      return search_chars::IsDigit(raw);
    case rxAlnum:
      return search_chars::IsLetter(raw) || search_chars::IsDigit(raw);
    case rxBlank:
      return raw == ' ' || raw == '\t';
    default:
      return false;
  }
}

TRegExp::TFailSlot& TRegExp::FailSlot(size_t pc, int32_t position) const {
  static_assert(kFailSlots == size_t{1} << 14);
  const uint32_t key = (static_cast<uint32_t>(position) << 8) ^ static_cast<uint32_t>(pc);
  return Fails_[(key * 0x9E3779B1u) >> 18];  // 14 bits: kFailSlots
}

// The position after the match of the code from `pc` on at `position`, or -1. Recurses
// only at "*" and "+", so the depth is bounded by the repetitions of the pattern.
int32_t TRegExp::Run(int32_t position, size_t pc) const {
  for (;;) {
    const uint8_t op = Code_[pc];
    switch (op) {
      case rxItemEnd:
      case rxEnd:
        return position;
      case rxLineStart:
        if (!AtLineStart(position)) return -1;
        ++pc;
        break;
      case rxLineEnd:
        if (!AtLineEnd(position)) return -1;
        ++pc;
        break;
      case rxOptional: {
        // Taken whenever it matches and never given back.
        const size_t item = pc + 1;
        if (MatchItem(position, item)) ++position;
        pc = item + ItemSize(item) + 1;
        break;
      }
      case rxStar:
      case rxPlus: {
        const size_t item = pc + 1;
        const size_t rest = item + ItemSize(item) + 1;
        int32_t least = position;
        if (op == rxPlus) {
          if (!MatchItem(position, item)) return -1;
          least = position + 1;
        }
        int32_t most = least;
        while (most < End_ && MatchItem(most, item)) ++most;
        for (int32_t p = most; p >= least; --p) {
          TFailSlot& slot = FailSlot(rest, p);
          if (slot.Generation == Generation_ && slot.Position == p && slot.CodePos == rest)
            continue;
          const int32_t end = Run(p, rest);
          if (end >= 0) return end;
          slot = TFailSlot{Generation_, p, static_cast<uint32_t>(rest)};
        }
        return -1;
      }
      default:
        if (!MatchItem(position, pc)) return -1;
        ++position;
        pc += ItemSize(pc);
        break;
    }
  }
}

int32_t TRegExp::Match(const char* text, int32_t length, int32_t position) const {
  if (!Compiled_) return -1;
  Begin(text, length);
  if (position < 0 || position > End_) return -1;
  return Run(position, 0);
}

bool TRegExp::FindForward(const char* text, int32_t length, int32_t start,
                          TRegExpMatch* match) const {
  if (!Compiled_) return false;
  Begin(text, length);
  if (start < 0) start = 0;
  if (start > End_) return false;
  // A leading literal lets the scan jump to its next occurrence.
  int first = -1;
  int firstAlt = -1;
  if (Code_[0] == rxChar || ((Code_[0] == rxPlus) && Code_[1] == rxChar)) {
    const uint8_t c = Code_[0] == rxChar ? Code_[1] : Code_[2];
    first = c;
    if (CaseInsensitive_) {
      for (int b = 0; b < 256; ++b)
        if (b != c && search_chars::RegExpFold(static_cast<uint8_t>(b)) == c) firstAlt = b;
      if (search_chars::RegExpFold(c) != c) return false;  // no text byte folds to it
    }
  }
  for (int32_t p = start; p <= End_; ++p) {
    if (first >= 0) {
      if (firstAlt < 0) {
        const void* hit = std::memchr(Text_ + p, first, static_cast<size_t>(End_ - p));
        if (!hit) return false;
        p = static_cast<int32_t>(static_cast<const uint8_t*>(hit) - Text_);
      } else {
        while (p < End_ && Text_[p] != first && Text_[p] != firstAlt) ++p;
        if (p >= End_) return false;
      }
    }
    const int32_t end = Run(p, 0);
    if (end >= 0) {
      if (match) *match = TRegExpMatch{p, end - p};
      return true;
    }
  }
  return false;
}
