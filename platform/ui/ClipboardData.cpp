// Format numbers and names, and the code-page boundary of clipboard and drag text.
#include "platform/ui/ClipboardData.h"

#include <mutex>

#include "platform/charset/Charset.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/MessageLoop.h"

namespace platform {

namespace {

struct TFormatNames {
  std::mutex Lock;
  std::map<uint32_t, std::string> Names;
};

TFormatNames& FormatNames() {
  static TFormatNames names;
  return names;
}

int32_t UnicodeToCp850(char32_t ch) {
  if (ch < 0x80) return static_cast<int32_t>(ch);
  for (int32_t b = 0x80; b < 0x100; ++b) {
    if (Cp850ToUnicode(static_cast<uint8_t>(b)) == ch) return b;
  }
  return -1;
}

// The next character of `s` at `i`; an invalid sequence yields U+FFFD and skips one byte.
char32_t NextUtf8(std::string_view s, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  uint8_t lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead >= 0xF5) length = 0;
  char32_t ch = length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
  bool ok = length != 0 && i + length <= s.size();
  for (size_t k = 1; ok && k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) ok = false;
    ch = (ch << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (ok && (ch < kSmallest[length] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))) {
    ok = false;
  }
  if (!ok) {
    ++i;
    return 0xFFFD;
  }
  i += length;
  return ch;
}

}  // namespace

uint32_t RegisterClipboardFormat(std::string_view name) {
  uint32_t number = RegisterWindowMessage(name);
  if (number == 0) return 0;
  TFormatNames& names = FormatNames();
  std::lock_guard guard(names.Lock);
  names.Names.emplace(number, std::string(name));
  return number;
}

std::string GetClipboardFormatName(uint32_t format) {
  TFormatNames& names = FormatNames();
  std::lock_guard guard(names.Lock);
  auto it = names.Names.find(format);
  return it == names.Names.end() ? std::string() : it->second;
}

std::string CodePageTextToUtf8(std::string_view bytes, bool oem) {
  return CodePageToUtf8(bytes, oem);
}

std::string Utf8ToCodePageText(std::string_view utf8, bool oem) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t ch = NextUtf8(utf8, i);
    int32_t b = oem ? UnicodeToCp850(ch) : UnicodeToCp1252(ch);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

bool TTransferData::Has(uint32_t format) const {
  switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
      return Text.has_value();
    case CF_HDROP:
      return !Files.empty();
    default: {
      std::string name = GetClipboardFormatName(format);
      return !name.empty() && Formats.contains(UpperCaseWin(name));
    }
  }
}

std::optional<std::string> TTransferData::Get(uint32_t format) const {
  if (format == CF_TEXT || format == CF_OEMTEXT) {
    if (!Text) return std::nullopt;
    std::string bytes = Utf8ToCodePageText(*Text, format == CF_OEMTEXT);
    if (size_t zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
    return bytes;
  }
  std::string name = GetClipboardFormatName(format);
  if (name.empty()) return std::nullopt;
  auto it = Formats.find(UpperCaseWin(name));
  if (it == Formats.end()) return std::nullopt;
  return it->second;
}

bool TTransferData::Set(uint32_t format, std::string_view bytes) {
  if (format == CF_TEXT || format == CF_OEMTEXT) {
    bytes = bytes.substr(0, bytes.find('\0'));
    Text = CodePageTextToUtf8(bytes, format == CF_OEMTEXT);
    return true;
  }
  std::string name = GetClipboardFormatName(format);
  if (name.empty()) return false;
  Formats[UpperCaseWin(name)] = std::string(bytes);
  return true;
}

TTransferData TTransferData::FromText(std::string_view bytes, bool oem) {
  TTransferData data;
  data.Set(oem ? CF_OEMTEXT : CF_TEXT, bytes);
  return data;
}

}  // namespace platform
