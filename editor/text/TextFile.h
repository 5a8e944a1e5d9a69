// Loading a text file into a TTextLines and saving lines back.
#pragma once

#include <cstdint>
#include <string>

#include "editor/text/TextLines.h"
#include "editor/text/TextTypes.h"
#include "platform/core/MessageSink.h"

// Result codes of loading and saving.
enum TTextFileStatus : int32_t {
  tfsOk = 0,
  tfsCannotOpen = -1,
  tfsReadError = -2,
  tfsCannotCreate = -3,
  tfsWriteError = -4,
  tfsNotText = -6,       // a NUL byte (without conversion) or a line over the line limit
  tfsTooManyLines = -7,  // more than 1,000,000 line ends
  tfsNoMemory = -10,
};

// Reads the file in chunks of the program-wide read-buffer size. On success the store
// holds the file's lines (at least one); on failure it is empty. With `notify`, the
// message `notifyMessage` (wParam 0, lParam 0) is sent after the first chunk, and once
// more at the end when the file had fewer than 100 line ends. A mode outside 1..4 is 1.
[[nodiscard]] int32_t LoadTextFile(const char* fileName, TTextLines& lines,
                                   platform::TMessageSink* notify, uint32_t notifyMessage,
                                   int32_t mode, bool convertNuls, int32_t* longestLine,
                                   int32_t* lineEndCount, int32_t* lineEndKinds = nullptr);

// Writes the whole document (range null; column mode is then ignored) or a range of it,
// pieces separated by line ends of `format`. 0, -3 (cannot create) or -4 (write failed).
// A failed save leaves an existing file as it was; in the rare case that a file written in
// place could not be put back, `keptCopy` (when given) receives where the complete old
// content was kept, else it is set to "".
[[nodiscard]] int32_t SaveTextFile(const char* fileName, const TTextLines& lines,
                                   const TTextRange* range, bool columnMode, int32_t caretLine,
                                   int32_t caretColumn, int32_t format,
                                   std::string* keptCopy = nullptr);
