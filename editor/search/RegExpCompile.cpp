// Translation of a pattern into the byte code of TRegExp.
#include <cstring>

#include "editor/search/RegExp.h"
#include "editor/search/SearchChars.h"

namespace {

// The code under construction; every write checks the 256-byte limit.
class TCodeBuilder {
 public:
  bool Put(uint8_t b) {
    if (Size_ >= TRegExp::kCodeSize) return false;
    Bytes_[Size_++] = b;
    return true;
  }
  // Wraps the item that starts at `item` (the last one) as op, item, rxItemEnd.
  bool WrapLast(size_t item, uint8_t op) {
    if (Size_ + 2 > TRegExp::kCodeSize) return false;
    std::memmove(&Bytes_[item + 1], &Bytes_[item], Size_ - item);
    Bytes_[item] = op;
    ++Size_;
    Bytes_[Size_++] = rxItemEnd;
    return true;
  }
  size_t Size() const { return Size_; }
  const uint8_t* Bytes() const { return Bytes_; }

 private:
  uint8_t Bytes_[TRegExp::kCodeSize];
  size_t Size_ = 0;
};

enum class TLast { Nothing, Item, Anchor, Repetition };

class TPatternCompiler {
 public:
  TPatternCompiler(std::string_view pattern, bool caseInsensitive)
      : Pattern_(pattern), Fold_(caseInsensitive) {}

  int32_t Run(TCodeBuilder& code) {
    while (Pos_ < Pattern_.size()) {
      const uint8_t c = Next();
      const size_t start = code.Size();
      int32_t status = reOk;
      TLast kind = TLast::Item;
      switch (c) {
        case '*':
        case '+':
        case '-':
          if (Last_ == TLast::Nothing || Last_ == TLast::Anchor || Last_ == TLast::Repetition)
            return reBadRepeat;
          if (!code.WrapLast(LastItem_, c == '*' ? rxStar : c == '+' ? rxPlus : rxOptional))
            return reTooLong;
          Last_ = TLast::Repetition;
          continue;
        case '?':
        case '.':
          status = Emit(code, rxAny);
          break;
        case '^':
          status = Emit(code, rxLineStart);
          kind = TLast::Anchor;
          break;
        case '$':
          status = Emit(code, rxLineEnd);
          kind = TLast::Anchor;
          break;
        case ':':
          status = NamedSet(code);
          break;
        case '[':
          status = Class(code);
          break;
        case '\\':
          // A backslash at the very end stands for itself.
          status = Literal(code, Pos_ < Pattern_.size() ? Next() : c);
          break;
        default:
          status = Literal(code, c);
          break;
      }
      if (status != reOk) return status;
      LastItem_ = start;
      Last_ = kind;
    }
    return code.Put(rxItemEnd) && code.Put(rxEnd) ? reOk : reTooLong;
  }

 private:
  uint8_t Next() { return static_cast<uint8_t>(Pattern_[Pos_++]); }
  uint8_t Folded(uint8_t c) const { return Fold_ ? search_chars::RegExpFold(c) : c; }

  static int32_t Emit(TCodeBuilder& code, uint8_t op) { return code.Put(op) ? reOk : reTooLong; }

  int32_t Literal(TCodeBuilder& code, uint8_t c) const {
    return code.Put(rxChar) && code.Put(Folded(c)) ? reOk : reTooLong;
  }

  int32_t NamedSet(TCodeBuilder& code) {
    if (Pos_ >= Pattern_.size()) return reColonAtEnd;
    switch (Next()) {
      case 'a':
      case 'A':
        return Emit(code, rxLetter);
      case 'd':
      case 'D':
        return Emit(code, rxDigit);
      case 'n':
      case 'N':
        return Emit(code, rxAlnum);
      case ' ':
        return Emit(code, rxBlank);
      default:
        return reBadNamedSet;
    }
  }

  // After "[": members up to "]".
  int32_t Class(TCodeBuilder& code) {
    bool negated = false;
    if (Pos_ < Pattern_.size() && Pattern_[Pos_] == '^') {
      negated = true;
      ++Pos_;
    }
    uint8_t members[TRegExp::kCodeSize];
    size_t count = 0;
    bool lastIsSingle = false;  // a range cannot take a further "-high"
    bool closed = false;
    auto add = [&](uint8_t b) {
      if (count + 2 >= TRegExp::kCodeSize) return false;  // length byte would reach 256
      members[count++] = b;
      return true;
    };
    while (Pos_ < Pattern_.size()) {
      uint8_t c = Next();
      if (c == ']') {
        closed = true;
        break;
      }
      if (c == '-' && lastIsSingle && Pos_ < Pattern_.size() && Pattern_[Pos_] != ']') {
        uint8_t high = Next();
        if (high == '\\') {
          if (Pos_ >= Pattern_.size()) return reBackslashAtEnd;
          high = Next();
        }
        const uint8_t low = members[--count];
        if (!add(rxRange) || !add(low) || !add(Folded(high))) return reClassTooLong;
        lastIsSingle = false;
        continue;
      }
      if (c == '\\') {
        if (Pos_ >= Pattern_.size()) return reBackslashAtEnd;
        c = Next();
      }
      if (!add(Folded(c))) return reClassTooLong;
      lastIsSingle = true;
    }
    if (!closed) return reOpenClass;
    if (count == 0) return reEmptyClass;
    if (!code.Put(negated ? rxNotClass : rxClass) || !code.Put(static_cast<uint8_t>(count + 1)))
      return reTooLong;
    for (size_t i = 0; i < count; ++i)
      if (!code.Put(members[i])) return reTooLong;
    return reOk;
  }

  std::string_view Pattern_;
  size_t Pos_ = 0;
  bool Fold_;
  TLast Last_ = TLast::Nothing;
  size_t LastItem_ = 0;
};

}  // namespace

int32_t TRegExp::Compile(const char* pattern, bool caseInsensitive) {
  return Compile(std::string_view(pattern ? pattern : ""), caseInsensitive);
}

int32_t TRegExp::Compile(std::string_view pattern, bool caseInsensitive) {
  Compiled_ = false;
  CodeLength_ = 0;
  CaseInsensitive_ = caseInsensitive;
  TCodeBuilder code;
  const int32_t status = TPatternCompiler(pattern, caseInsensitive).Run(code);
  if (status != reOk) return status;
  std::memcpy(Code_.data(), code.Bytes(), code.Size());
  CodeLength_ = code.Size();
  IndexLoops();
  Compiled_ = true;
  return reOk;
}
