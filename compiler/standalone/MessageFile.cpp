// Message file lines, captioned from the string table.
#include "compiler/standalone/MessageFile.h"

#include <cstdio>

#include "compiler/core/Charset.h"
#include "resources/velcomp/Strings.h"

std::string FormatMessageFile(const TMessageList& messages) {
  std::string out;
  for (const TVelMessage& m : messages.Items()) {
    const uint32_t caption = m.Type == mtError ? mhError : m.Type == mtWarning ? mhWarning : mhNote;
    out += Utf8ToCp1252(LoadVelString(vsMessageHeaders, caption));
    out += ' ';
    out += m.Text;
    out += '\n';
  }
  return out;
}

bool WriteMessageFile(const std::string& name, const TMessageList& messages) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (f == nullptr) return false;
  const std::string text = FormatMessageFile(messages);
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}
