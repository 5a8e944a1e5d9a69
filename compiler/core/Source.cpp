// Lexer of VEL sources.
#include "compiler/core/Source.h"

#include <array>
#include <cstring>
#include <string_view>

#include "compiler/core/Parameter.h"

namespace {

// Character classes of the lexer, by byte.
constexpr uint8_t ccDelimiter = 1;  // ends a word: line feed and "():,[]{}", blank, tab
constexpr uint8_t ccWord = 2;       // belongs to a word: everything else except ";"

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> classes{};
  for (auto& c : classes) c = ccWord;
  for (const char c : std::string_view("\n():,[]{} \t"))
    classes[static_cast<uint8_t>(c)] = ccDelimiter;
  classes[static_cast<uint8_t>(';')] = 0;
  return classes;
}
constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

bool IsDelimiter(int c) { return c >= 0 && (kClasses[static_cast<size_t>(c)] & ccDelimiter) != 0; }

bool Allowed(int32_t context, int c) {
  switch (context) {
    case lcTop: return c == '(' || c == ':' || c == '[' || c == '{' || c == '}';
    case lcParameters: return c == ')' || c == ',';
    case lcIndex: return c == ']';
    case lcDataList: return c == ',' || c == ']';
    default: return false;
  }
}

int HexDigit(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool SourceData::Open(const char* name, size_t chunkSize) {
  if (!Text_.Open(name, chunkSize)) return false;
  PosLine_ = 0;
  Reporter_.Line = 0;
  return true;
}

void SourceData::Assign(std::string text) {
  Text_.Assign(std::move(text));
  PosLine_ = 0;
  Reporter_.Line = 0;
}

void SourceData::Advance() {
  if (!Text_.Need(1)) return;
  if (Text_.Data()[Text_.Pos] == '\n') ++PosLine_;
  ++Text_.Pos;
}

void SourceData::SkipComment() {
  // Up to the line feed, which ends the comment and goes with it.
  for (;;) {
    const char* data = Text_.Data();
    const void* end = std::memchr(data + Text_.Pos, '\n', Text_.End - Text_.Pos);
    if (end != nullptr) {
      Text_.Pos = static_cast<size_t>(static_cast<const char*>(end) - data);
      break;
    }
    Text_.Pos = Text_.End;
    if (!Text_.Need(1)) break;
  }
  Advance();
}

void SourceData::SkipSpace() {
  while (Text_.Need(1)) {
    const char* data = Text_.Data();
    size_t at = Text_.Pos;
    while (at < Text_.End && (data[at] == ' ' || data[at] == '\t')) ++at;
    Text_.Pos = at;
    if (at == Text_.End) continue;
    const char c = data[at];
    if (c == '\n') {
      ++Text_.Pos;
      ++PosLine_;
    } else if (c == ';') {
      SkipComment();
    } else {
      return;
    }
  }
}

bool SourceData::ReadString() {
  Token_ += '"';
  Reporter_.Line = PosLine_;
  Advance();
  for (;;) {
    const int c = Peek();
    if (c < 0) return false;
    Reporter_.Line = PosLine_;
    Advance();
    if (c == '"' || c == '\n') return true;
    if (c != '\\') {
      Token_ += static_cast<char>(c);
      continue;
    }
    if (Peek() == '\\') {
      Token_ += '\\';
      Advance();
      continue;
    }
    const int hi = HexDigit(Peek());
    const int lo =
        Text_.Need(2) ? HexDigit(static_cast<unsigned char>(Text_.Data()[Text_.Pos + 1])) : -1;
    if (hi < 0 || lo < 0) {
      Reporter_.ReportAtLine(msgSyntax);
      continue;
    }
    Advance();
    Advance();
    Token_ += static_cast<char>(hi * 16 + lo);
  }
}

bool SourceData::ReadWord(int32_t context) {
  for (;;) {
    if (!Text_.Need(1)) return false;
    // A run of word characters, taken as one piece; none of them is a line feed.
    const char* data = Text_.Data();
    const size_t start = Text_.Pos;
    size_t at = start;
    while (at < Text_.End && kClasses[static_cast<uint8_t>(data[at])] == ccWord) ++at;
    Text_.Pos = at;
    if (at > start) {
      Token_.append(data + start, at - start);
      Reporter_.Line = PosLine_;
    }
    if (at == Text_.End) continue;  // the word may go on in the next chunk
    const char c = data[at];
    if (c == ';') {
      SkipComment();
      continue;
    }
    if (context == lcParameters && (c == ' ' || c == '\t')) {
      ++Text_.Pos;
      continue;
    }
    return true;
  }
}

int32_t SourceData::Next(int32_t context) {
  Token_.clear();
  SkipSpace();
  if (Peek() < 0) return kEndOfFile;
  const bool complete = Peek() == '"' ? ReadString() : ReadWord(context);
  if (!complete) return kEndOfFile;  // a word open at the end is dropped
  SkipSpace();
  const int c = Peek();
  if (c < 0) return kEndOfFile;
  Reporter_.Line = PosLine_;
  if (Allowed(context, c)) {
    Advance();
    return c;
  }
  Reporter_.ReportAtLine(msgSyntax);
  // A misplaced brace, bracket or comma is passed over; anything else starts the next word.
  if (IsDelimiter(c)) Advance();
  return kBadDelimiter;
}

bool ParseVelNumber(std::string_view text, uint32_t* value) {
  if (text.empty()) return false;
  if (text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  int base = 10;
  const char last = text.back();
  if (last == 'h' || last == 'H') {
    base = 16;
    text.remove_suffix(1);
  } else if (last == 'b' || last == 'B') {
    base = 2;
    text.remove_suffix(1);
  }
  if (text.empty()) return false;
  uint32_t v = 0;
  for (char c : text) {
    const int d = HexDigit(static_cast<unsigned char>(c));
    if (d < 0 || d >= base) return false;
    v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    if (v >= 65536) return false;
  }
  *value = v;
  return true;
}

bool ParseParameterText(std::string_view text, ParameterData* p) {
  p->Clear();
  uint32_t number = 0;
  if (ParseVelNumber(text, &number)) {
    p->Name.assign(1, '$');
    p->Kind = pkWord;
    p->Offset = number;
    return true;
  }
  size_t i = 0;
  auto isDigit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
  while (i < text.size() && !isDigit(i) && text[i] != '.' && text[i] != '+' && text[i] != ' ' &&
         text[i] != '\t')
    ++i;
  // A parameter without a name would stand for the anonymous block symbol.
  if (i == 0) return false;
  p->Name = std::string(text.substr(0, i));
  if (i < text.size() && text[i] == '+') ++i;
  auto readDecimal = [&](uint32_t* out) {
    uint32_t v = 0;
    while (isDigit(i)) {
      v = v * 10 + static_cast<uint32_t>(text[i] - '0');
      if (v >= 65536) return false;
      ++i;
    }
    *out = v;
    return true;
  };
  const bool hasOffset = isDigit(i);
  if (!readDecimal(&p->Offset)) return false;
  bool hasBit = false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    hasBit = isDigit(i);
    if (!readDecimal(&p->Bit)) return false;
  }
  if (i != text.size()) return false;
  p->Kind = hasBit ? pkBit : hasOffset ? pkWord : pkName;
  return true;
}
