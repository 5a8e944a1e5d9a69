// Option parsing shared by the command line and the option lines of a source.
#include "compiler/standalone/Options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/file/File.h"

namespace {

bool IsOptionText(const std::string& s) {
  return s.size() >= 2 && (s[0] == '-' || s[0] == '/') && s[1] != '-';
}

// Stores the option when its letter is known and it is not set yet.
void Take(char letter, std::string value, TVelwcompOptions& options) {
  std::optional<std::string>* slot = nullptr;
  switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'E': slot = &options.Editor; break;
    case 'T': slot = &options.Driver; break;
    case 'R': slot = &options.Ram; break;
    case 'B': options.Batch = true; return;
    default: return;
  }
  if (!slot->has_value()) *slot = std::move(value);
}

// "/" also begins every absolute path here: an argument that names an existing file, or
// whose first component is an existing directory, is a file name and not an option.
bool IsAbsolutePath(const std::string& s) {
  if (s.empty() || s[0] != '/') return false;
  std::error_code ec;
  if (std::filesystem::exists(s, ec)) return true;
  const size_t slash = s.find('/', 1);
  return slash != std::string::npos && std::filesystem::is_directory(s.substr(0, slash), ec);
}

// The text's lines (without their LF) in order, until `visit` returns false.
template <class TVisit>
void ForEachLine(std::string_view text, TVisit visit) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!visit(line)) return;
  }
}

// One line of the source: an option is taken; false for the line that ends the options.
bool TakeOptionLine(std::string_view line, TVelwcompOptions& options) {
  if (line.substr(0, 2) == ";-") line.remove_prefix(1);
  if (line.empty() || (line[0] != '-' && line[0] != '/')) return true;
  if (line.substr(0, 2) == "--") return false;
  if (line.size() < 2) return true;
  std::string value(line.substr(2));
  if (const size_t semicolon = value.find(';'); semicolon != std::string::npos)
    value.erase(semicolon);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
    value.pop_back();
  Take(line[1], value, options);
  return true;
}

}  // namespace

TVelwcompOptions ParseArguments(const std::vector<std::string>& args) {
  TVelwcompOptions options;
  for (const std::string& arg : args) {
    if (IsOptionText(arg) && !IsAbsolutePath(arg))
      Take(arg[1], arg.substr(2), options);
    else if (options.Source.empty())
      options.Source = arg;
  }
  return options;
}

void ReadSourceOptions(const std::string& text, TVelwcompOptions& options) {
  ForEachLine(text, [&options](std::string_view line) { return TakeOptionLine(line, options); });
}

bool ReadSourceOptionsOfFile(const std::string& name, TVelwcompOptions& options,
                             size_t chunkSize) {
  const int32_t handle = platform::FileOpen(name.c_str(), platform::TFileAccess::ReadOnly);
  if (handle < 0) return false;
  std::vector<char> chunk(std::max<size_t>(chunkSize, 1));
  std::string line;  // the part of a line that a chunk boundary cut
  bool more = true;
  int32_t got = 0;
  while (more && (got = platform::FileRead(handle, chunk.data(),
                                           static_cast<int32_t>(chunk.size()))) > 0) {
    const std::string_view piece(chunk.data(), static_cast<size_t>(got));
    size_t start = 0;
    while (more) {
      const size_t end = piece.find('\n', start);
      if (end == std::string_view::npos) break;
      if (line.empty()) {
        more = TakeOptionLine(piece.substr(start, end - start), options);
      } else {
        line.append(piece.substr(start, end - start));
        more = TakeOptionLine(line, options);
        line.clear();
      }
      start = end + 1;
    }
    if (more) line.append(piece.substr(start));
  }
  if (more && !line.empty()) (void)TakeOptionLine(line, options);  // the last line, no LF
  platform::FileClose(handle);
  return got >= 0;
}

std::string FirstNonOptionLine(const std::string& text) {
  std::string found;
  ForEachLine(text, [&found](std::string_view view) {
    std::string line(view);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.pop_back();
    if (line.empty() || line[0] == '-' || line[0] == '/' || line.rfind(";-", 0) == 0) return true;
    found = std::move(line);
    return false;
  });
  return found;
}

uint32_t DataMemoryBytes(const TVelwcompOptions& options) {
  if (!options.Ram.has_value() || options.Ram->empty()) return 4 * 1024;
  return static_cast<uint32_t>(std::strtoul(options.Ram->c_str(), nullptr, 10)) * 1024u;
}
