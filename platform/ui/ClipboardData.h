// What a clipboard or a drag carries, and the clipboard formats by number: text kept as
// Unicode and handed out in the Windows or the DOS code page, registered formats as exact bytes,
// and dropped files as paths.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Standard formats (Windows numbers).
constexpr uint32_t CF_TEXT = 1;
constexpr uint32_t CF_OEMTEXT = 7;
constexpr uint32_t CF_HDROP = 15;
// The registered name under which rich text travels.
constexpr std::string_view kRichTextFormatName = "Rich Text Format";

// A number for a private format, the same for every caller in the process and without
// regard to case (from 0xC000 up, shared with registered window messages); 0 for an empty name.
uint32_t RegisterClipboardFormat(std::string_view name);
// The name a registered format was first registered with; empty for other numbers.
std::string GetClipboardFormatName(uint32_t format);

struct TTransferData {
  std::optional<std::string> Text;            // UTF-8, line ends as given
  std::map<std::string, std::string> Formats;  // registered formats by upper-case name
  std::vector<std::string> Files;             // dropped files: paths in the file system's bytes

  bool Empty() const { return !Text && Formats.empty() && Files.empty(); }
  bool Has(uint32_t format) const;
  // CF_TEXT and CF_OEMTEXT: the text in that code page, without a terminating zero (it ends at
  // the first zero character); registered formats: the bytes exactly. Nothing when the format
  // is missing.
  std::optional<std::string> Get(uint32_t format) const;
  // False for formats that cannot be set (CF_HDROP, unregistered numbers).
  bool Set(uint32_t format, std::string_view bytes);

  // Shortcuts for the text of a document in its code page.
  static TTransferData FromText(std::string_view bytes, bool oem);
};

// Code-page text to UTF-8 and back; characters the code page lacks become '?', and bytes
// that are not UTF-8 count as one unknown character each.
std::string CodePageTextToUtf8(std::string_view bytes, bool oem);
std::string Utf8ToCodePageText(std::string_view utf8, bool oem);

}  // namespace platform
