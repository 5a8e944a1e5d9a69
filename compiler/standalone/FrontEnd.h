// What both compiler front ends do around a compile: the compile under the status dialog,
// the transfer question, and the command lines that start the loader and the editor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "compiler/core/MessageList.h"
#include "platform/ui/UiTypes.h"

// Starts a command line without waiting; false (with a German reason) when it could not.
// Hosts and tests may put their own in place of the real program start.
using TProgramStarter = std::function<bool(const std::string& commandLine, std::string* reason)>;
TProgramStarter RealProgramStarter();

// Starts the command line; a failed start is shown in a box with the program and the reason.
bool StartOrReport(platform::TWindow owner, const TProgramStarter& start,
                   const std::string& commandLine);

// The record size in kByte as the transfer question shows it: bytes / 1000 rounded down,
// with `atLeastOne` never below 1.
uint32_t RecordKBytes(uint64_t bytes, bool atLeastOne);

// "<dir>/krladwin32.exe -<port from 1> -I<record>" (each part quoted when it has blanks).
std::string LoaderCommandLine(const std::string& programDir, int32_t comPort,
                              const std::string& record);
// "<editor> <file>", with " /L<line>" before the file when a line is given.
std::string EditorCommandLine(const std::string& editor, const std::string& file,
                              int32_t line = 0);

struct TCompileJob {
  std::string Source;
  std::string Definition;
  std::string Driver;
  uint32_t DataMemory = 0;
  std::string Record;
};

struct TCompileOutcome {
  int32_t Result = 0;  // kCompileOk or kCompileFailed
  bool Cancelled = false;
};

// Compiles with the status dialog shown over `owner` (without it when it cannot be made).
TCompileOutcome CompileWithStatus(platform::TWindow owner, const TCompileJob& job,
                                  TMessageList& messages);

// Asks "Die Datensatzgröße ist %u kByte.\nÜbertragen ?" for the record and, on Yes, starts
// the loader. False when the size cannot be read (nothing asked), on No, or a failed start.
bool AskAndTransfer(platform::TWindow owner, const TProgramStarter& start, bool atLeastOneKByte,
                    const std::string& programDir, int32_t comPort, const std::string& record);
