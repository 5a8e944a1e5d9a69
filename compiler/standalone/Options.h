// The command line of velwcomp: the source file and the options -E, -T, -R.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TVelwcompOptions {
  std::string Source;   // as given, extension not yet replaced
  std::optional<std::string> Editor;  // -E
  std::optional<std::string> Driver;  // -T
  std::optional<std::string> Ram;     // -R, in kB
  bool Batch = false;                 // -B: no dialogs (the only mode for now)
};

// Splits the arguments into options ("-" or "/" and a letter in any case, the value directly
// behind it) and the source (the first argument that is not an option). An absolute path
// whose first directory exists is a file name, not a "/" option.
TVelwcompOptions ParseArguments(const std::vector<std::string>& args);

// Fills the options still missing from the lines of a source text that begin with "-", "/"
// or ";-"; a line "--" (or ";--") ends the search. The value ends at ";", trailing blanks,
// tabs and carriage returns removed. The first occurrence wins.
void ReadSourceOptions(const std::string& text, TVelwcompOptions& options);
// Same for a source file, read in chunks of `chunkSize` bytes so that a big source is not
// held whole next to the compiler's own reading of it; false when it cannot be read.
bool ReadSourceOptionsOfFile(const std::string& name, TVelwcompOptions& options,
                             size_t chunkSize = size_t{64} << 10);

// The first line of a file text that is not an option line (the source named in
// "velwcomp.cfg" when the command line names none); empty when there is none.
std::string FirstNonOptionLine(const std::string& text);

// The data memory size in bytes from the -R value in kB (default 4 kB).
uint32_t DataMemoryBytes(const TVelwcompOptions& options);
