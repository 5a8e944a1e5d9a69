// The backtracking matcher of TRegExp. Every item matches exactly one byte, so a
// repetition backtracks one byte at a time and needs no stack of item lengths; a table of
// failed places keeps the work polynomial.
#include <cstring>
#include <new>

#include "editor/search/RegExp.h"
#include "editor/search/SearchChars.h"

namespace {
constexpr uint8_t kCR = 0x0D;
constexpr uint8_t kLF = 0x0A;
}  // namespace

TRegExp::TRegExp() { LoopIndex_.fill(kNoLoop); }

TRegExp::~TRegExp() = default;

TRegExp& ProgramRegExp() {
  static TRegExp program;
  return program;
}

void TRegExp::Begin(const char* text, int32_t length) const {
  Text_ = reinterpret_cast<const uint8_t*>(text ? text : "");
  if (!text) length = 0;
  End_ = length >= 0 ? length : static_cast<int32_t>(std::strlen(text));
  for (size_t word : Dirty_) Failed_[word] = 0;
  Dirty_.clear();
  Stride_ = int64_t{End_} + 2;
}

void TRegExp::IndexLoops() {
  LoopIndex_.fill(kNoLoop);
  LoopCount_ = 0;
  for (size_t pc = 0; pc < CodeLength_;) {
    const uint8_t op = Code_[pc];
    if (op == rxStar || op == rxPlus) LoopIndex_[pc] = static_cast<uint8_t>(LoopCount_++);
    pc += op == rxStar || op == rxPlus || op == rxOptional ? 1 : ItemSize(pc);
  }
}

bool TRegExp::Failed(size_t pc, int32_t position) const {
  const auto bit = static_cast<size_t>(LoopIndex_[pc] * Stride_ + position);
  const size_t word = bit >> 6;
  return word < Failed_.size() && (Failed_[word] >> (bit & 63) & 1) != 0;
}

void TRegExp::MarkFailed(size_t pc, int32_t position) const {
  if (TableOff_) return;
  const auto bit = static_cast<size_t>(LoopIndex_[pc] * Stride_ + position);
  const size_t word = bit >> 6;
  if (word >= Failed_.size()) {
    try {
      Failed_.resize(static_cast<size_t>(static_cast<int64_t>(LoopCount_) * Stride_ / 64 + 1));
      Dirty_.reserve(64);
    } catch (const std::bad_alloc&) {
      TableOff_ = true;
      return;
    }
  }
  if (Failed_[word] == 0) {
    try {
      Dirty_.push_back(word);
    } catch (const std::bad_alloc&) {
      // A word that could not be noted for clearing must not stay set.
      TableOff_ = true;
      return;
    }
  }
  Failed_[word] |= uint64_t{1} << (bit & 63);
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
        return Loop(position, pc);
      case rxPlus:
        if (!MatchItem(position, pc + 1)) return -1;
        return Loop(position + 1, pc);
      default:
        if (!MatchItem(position, pc)) return -1;
        ++position;
        pc += ItemSize(pc);
        break;
    }
  }
}

// The repetition at `pc` from `position` on: the rest of the code is tried behind as many
// items as match, then one fewer, down to none. Places known to fail are not tried again.
int32_t TRegExp::Loop(int32_t position, size_t pc) const {
  const size_t item = pc + 1;
  const size_t rest = item + ItemSize(item) + 1;
  if (Failed(pc, position)) return -1;
  // Up the run of the item to its end, or to a place from which the repetition failed
  // before: every place above that failed then too (the run ends at the same place).
  int32_t top = position;
  while (top < End_ && MatchItem(top, item) && !Failed(pc, top + 1)) ++top;
  for (int32_t p = top; p >= position; --p) {
    const int32_t end = Run(p, rest);
    if (end >= 0) return end;
  }
  for (int32_t p = position; p <= top; ++p) MarkFailed(pc, p);
  return -1;
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
