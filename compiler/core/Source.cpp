// Lexer of VEL sources.
#include "compiler/core/Source.h"

#include <algorithm>
#include <cstring>

#include "compiler/core/FileImage.h"
#include "compiler/core/Parameter.h"
#include "platform/file/FileOps.h"

namespace {

bool IsDelimiter(int c) { return c == '\n' || (c > 0 && std::strchr("():,[]{} \t", c) != nullptr); }

bool Allowed(int32_t context, int c) {
  if (c <= 0) return false;
  switch (context) {
    case lcTop: return std::strchr("(:[{}", c) != nullptr;
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

bool SourceData::Open(const char* name) {
  if (name == nullptr || *name == '\0') return false;
  std::string bytes;
  if (!ReadFileBytes(name, bytes)) return false;
  Assign(std::move(bytes));
  return true;
}

void SourceData::Assign(std::string text) {
  // CR LF becomes LF in place: runs between CRs move down as blocks.
  const size_t size = text.size();
  char* data = text.data();
  size_t out = 0;
  size_t in = 0;
  while (in < size) {
    const void* found = std::memchr(data + in, '\r', size - in);
    const size_t cr = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : size;
    if (out != in) std::memmove(data + out, data + in, cr - in);
    out += cr - in;
    in = cr;
    if (in >= size) break;
    if (in + 1 < size && data[in + 1] == '\n') {
      ++in;  // the CR of a CR LF is dropped
      continue;
    }
    data[out++] = '\r';
    ++in;
  }
  text.resize(out);
  LineCount_ = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n'));
  Text_ = std::move(text);
  Pos_ = 0;
  PosLine_ = 0;
  Reporter_.Line = 0;
}

void SourceData::Advance() {
  if (Pos_ >= Text_.size()) return;
  if (Text_[Pos_] == '\n') ++PosLine_;
  ++Pos_;
}

void SourceData::SkipComment() {
  while (Pos_ < Text_.size() && Text_[Pos_] != '\n') ++Pos_;
  Advance();  // the line feed ends the comment and goes with it
}

void SourceData::SkipSpace() {
  for (;;) {
    const int c = Peek();
    if (c == ' ' || c == '\t' || c == '\n')
      Advance();
    else if (c == ';')
      SkipComment();
    else
      return;
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
    const int lo = Pos_ + 1 < Text_.size() ? HexDigit(static_cast<unsigned char>(Text_[Pos_ + 1])) : -1;
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
    const int c = Peek();
    if (c < 0) return false;
    if (c == ';') {
      SkipComment();
      continue;
    }
    if (IsDelimiter(c)) {
      if (context == lcParameters && (c == ' ' || c == '\t')) {
        Advance();
        continue;
      }
      return true;
    }
    Token_ += static_cast<char>(c);
    Reporter_.Line = PosLine_;
    Advance();
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
