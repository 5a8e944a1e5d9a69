// What the editor prints of a document window: its name, file date, selection and line count
// by window kind, and the line callback that hands the library the window's lines.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file/File.h"
#include "platform/ui/UiTypes.h"
#include "printlib/PrintJob.h"

class TScrlChildData;

struct TPrintSource {
  uint8_t Kind = 0;
  std::string DocumentName;  // the file name, or the window title without one
  std::string FileName;      // empty for an untitled window and the hit list
  bool HasFileDate = false;
  platform::TFileTime FileDate;
  bool HasSelection = false;
  // The selection fills enough lines (or bytes) to be offered as the range.
  bool SelectionPreferred = false;
  int32_t SelectionFirst = 0;  // lines of the selection as the job's range
  int32_t SelectionLast = 0;
  int32_t LineCount = 0;       // all lines of the document
  int32_t TabSize = 8;
};

// Fills `source` for the window's kind; `title` is the window's title without the modified
// mark. False for a kind that is not printed (compare windows) or a window without object.
using TPrintDescriber = bool (*)(TScrlChildData& object, TPrintSource& source);
bool DescribePrintSource(platform::TWindow window, const std::string& title, TPrintSource& source);
// Window kinds whose objects need more than the text-window description (the hex editor, the
// hit list) register their own describer.
void RegisterPrintDescriber(uint8_t kind, TPrintDescriber describer);

// The library's line callback: the window (context) gives line i through its print line
// operation, GetLineText.
int32_t PrintLineOfWindow(uint32_t context, int32_t line, int32_t measuring, const char** text);
// The callback's handle, made on first use and kept.
platform::THandle PrintLineCallbackHandle();
