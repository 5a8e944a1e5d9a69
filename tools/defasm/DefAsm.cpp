// Two passes over the text: the first finds the label addresses, the second emits bytes.
#include "tools/defasm/DefAsm.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr size_t kHeaderSize = 24;
constexpr int kEntries = 256;

struct TAsmError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// The line without its "//" comment (quotes respected).
std::string_view StripComment(std::string_view line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (quoted && line[i] == '\\') {
      ++i;  // an escaped character never ends the string
      continue;
    }
    if (line[i] == '"') quoted = !quoted;
    if (!quoted && line.substr(i, 2) == "//") return line.substr(0, i);
  }
  return line;
}

std::vector<std::string_view> SplitList(std::string_view s) {
  std::vector<std::string_view> items;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (quoted && i < s.size() && s[i] == '\\') {
      ++i;
      continue;
    }
    if (i < s.size() && s[i] == '"') quoted = !quoted;
    if (i == s.size() || (!quoted && s[i] == ',')) {
      items.push_back(Trim(s.substr(start, i - start)));
      start = i + 1;
    }
  }
  return items;
}

class TAssembler {
 public:
  std::string Run(std::string_view text) {
    for (Pass_ = 1; Pass_ <= 2; ++Pass_) {
      Body_.clear();
      Driver_ = false;
      Header_.fill(0);
      Entries_.fill(-1);
      TableAt_ = -1;
      Marker_.clear();
      Line_ = 0;
      size_t start = 0;
      while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++Line_;
        Statement(Trim(StripComment(text.substr(start, end - start))));
        start = end + 1;
      }
    }
    return Finish();
  }
  int Line() const { return Line_; }

 private:
  int64_t Base() const { return Driver_ ? 0 : Header_[0]; }
  int64_t Here() const { return Base() + static_cast<int64_t>(Start() + Body_.size()); }
  size_t Start() const { return Driver_ ? 0 : kHeaderSize; }

  void Statement(std::string_view s) {
    if (s.empty()) return;
    // Labels: a name directly followed by ":".
    size_t i = 0;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_')) ++i;
    if (i > 0 && i < s.size() && s[i] == ':' && !std::isdigit(static_cast<unsigned char>(s[0]))) {
      const std::string name(s.substr(0, i));
      if (Pass_ == 1 && Labels_.count(name)) throw TAsmError("label defined twice: " + name);
      Labels_[name] = Here();
      Statement(Trim(s.substr(i + 1)));
      return;
    }
    const size_t space = s.find_first_of(" \t");
    const std::string_view word = s.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? "" : Trim(s.substr(space));
    if (word[0] == '@') {
      Instruction(Trim(s.substr(1)));
    } else if (word == "db" || word == "dw" || word == "dp") {
      const int width = word == "db" ? 1 : word == "dw" ? 2 : 3;
      for (std::string_view item : SplitList(rest)) {
        if (!item.empty() && item[0] == '"')
          Body_ += String(item);
        else
          Emit(Value(item), width);
      }
    } else if (word[0] == '.') {
      Directive(word, rest);
    } else {
      throw TAsmError("unknown statement: " + std::string(word));
    }
  }

  void Directive(std::string_view word, std::string_view rest) {
    static const std::map<std::string_view, size_t> kHeader = {
        {".base", 0},     {".init", 1},   {".command", 2},  {".reserved", 3},
        {".marker", 4},   {".table", 5},  {".compiler", 6}, {".driver", 7}};
    if (word == ".definition") {
      Driver_ = false;
    } else if (word == ".driverfile") {
      Driver_ = true;
    } else if (auto it = kHeader.find(word); it != kHeader.end() && !Driver_) {
      Header_[it->second] = rest == "none" ? Header_[0] : Value(rest);
    } else if (word == ".mark") {
      std::string bytes;
      size_t pos = 0;
      while (pos < rest.size()) {
        const size_t next = rest.find_first_of(" \t", pos);
        const std::string_view item = rest.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos);
        if (!item.empty()) bytes += static_cast<char>(Value(item));
        if (next == std::string_view::npos) break;
        pos = next + 1;
      }
      Marker_ = bytes;
      Body_ += static_cast<char>(bytes.size());
      Body_ += bytes;
    } else if (word == ".addresstable" && Driver_) {
      TableAt_ = static_cast<int64_t>(Body_.size());
      Body_.append(3 * kEntries, '\0');
    } else if (word == ".entry" && Driver_) {
      const size_t space = rest.find_first_of(" \t");
      const int64_t n = Value(rest.substr(0, space));
      if (n < 0 || n >= kEntries || space == std::string_view::npos)
        throw TAsmError("bad entry");
      Entries_[static_cast<size_t>(n)] = Value(Trim(rest.substr(space)));
    } else {
      throw TAsmError("unknown directive: " + std::string(word));
    }
  }

  void Instruction(std::string_view text) {
    std::string_view target;
    if (const size_t arrow = text.rfind("->"); arrow != std::string_view::npos) {
      target = Trim(text.substr(arrow + 2));
      text = Trim(text.substr(0, arrow));
    }
    Body_ += Marker_;
    Body_ += text;
    Body_ += '\0';
    if (!target.empty()) Emit(Value(target), 3);
  }

  std::string String(std::string_view item) {
    if (item.size() < 2 || item.back() != '"') throw TAsmError("unterminated string");
    item = item.substr(1, item.size() - 2);
    std::string out;
    for (size_t i = 0; i < item.size(); ++i) {
      if (item[i] != '\\' || i + 1 >= item.size()) {
        out += item[i];
        continue;
      }
      const char c = item[++i];
      if (c == 'x' && i + 2 < item.size()) {
        out += static_cast<char>(std::stoi(std::string(item.substr(i + 1, 2)), nullptr, 16));
        i += 2;
      } else if (c == '0') {
        out += '\0';
      } else if (c == 'n') {
        out += '\n';
      } else {
        out += c;
      }
    }
    return out;
  }

  int64_t Number(std::string_view t) {
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
      base = 16;
      t.remove_prefix(2);
    } else if (t.size() > 1 && (t.back() == 'h' || t.back() == 'H')) {
      base = 16;
      t.remove_suffix(1);
    }
    int64_t v = 0;
    for (char c : t) {
      const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : std::isxdigit(static_cast<unsigned char>(c))
                        ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                        : 99;
      if (d >= base) throw TAsmError("bad number: " + std::string(t));
      v = v * base + d;
    }
    return v;
  }

  int64_t Term(std::string_view t) {
    t = Trim(t);
    if (t.empty()) throw TAsmError("missing value");
    if (t == "$") return Here();
    if (std::isdigit(static_cast<unsigned char>(t[0]))) return Number(t);
    auto it = Labels_.find(std::string(t));
    if (it == Labels_.end()) {
      if (Pass_ == 2) throw TAsmError("unknown label: " + std::string(t));
      return 0;
    }
    return it->second;
  }

  int64_t Value(std::string_view s) {
    int64_t total = 0;
    int sign = 1;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i == s.size() || ((s[i] == '+' || s[i] == '-') && i > start)) {
        total += sign * Term(s.substr(start, i - start));
        if (i < s.size()) sign = s[i] == '+' ? 1 : -1;
        start = i + 1;
      }
    }
    return total;
  }

  void Emit(int64_t value, int width) {
    for (int i = 0; i < width; ++i) Body_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }

  std::string Finish() {
    std::string out;
    if (Driver_) {
      out = Body_;
      if (TableAt_ >= 0)
        for (int n = 0; n < kEntries; ++n)
          for (int b = 0; b < 3 && Entries_[static_cast<size_t>(n)] >= 0; ++b)
            out[static_cast<size_t>(TableAt_ + 3 * n + b)] =
                static_cast<char>((Entries_[static_cast<size_t>(n)] >> (8 * b)) & 0xFF);
      return out;
    }
    for (int64_t field : Header_)
      for (int b = 0; b < 3; ++b) out += static_cast<char>((field >> (8 * b)) & 0xFF);
    return out + Body_;
  }

  int Pass_ = 1;
  int Line_ = 0;
  bool Driver_ = false;
  std::array<int64_t, 8> Header_{};
  std::array<int64_t, kEntries> Entries_{};
  int64_t TableAt_ = -1;
  std::string Marker_;
  std::string Body_;
  std::map<std::string, int64_t> Labels_;
};

}  // namespace

TAsmResult AssembleDefinitionText(std::string_view text) {
  TAssembler assembler;
  TAsmResult result;
  try {
    result.Bytes = assembler.Run(text);
    result.Ok = true;
  } catch (const std::exception& e) {
    result.Error = "line " + std::to_string(assembler.Line()) + ": " + e.what();
  }
  return result;
}
