// The compile operation: one VEL source into one data record.
#pragma once

#include <cstdint>

#include "compiler/core/MessageList.h"

// What the progress callback receives, once before the first token and once per token.
struct VELSTATUS {
  int32_t Percent = 0;  // 0 to 100
  const char* DriverVersion = "";
  const char* ConfigVersion = "";
  void* Owner = nullptr;
};

// A non-zero return asks the compiler to stop; what was compiled so far is finished.
using TVelProgress = int32_t (*)(VELSTATUS* status);

constexpr int32_t kCompileOk = 0;
constexpr int32_t kCompileFailed = 1;

// Compiles `source` with the definition and driver files into `output` (none: the source name
// with the extension "dat"). The listing is written only when a name is given. Messages are
// added to `messages` (which the caller clears). Returns kCompileFailed when a file cannot be
// opened or any error was reported; the output file is then removed.
[[nodiscard]] int32_t VelCompile(const char* source, const char* definition, const char* driver,
                                 const char* listing, uint32_t dataMemory, TVelProgress progress,
                                 void* owner, const char* output, TMessageList& messages);

// The compiler-version text a definition file requires (for display), or "" when the file
// cannot be read.
std::string ReadDefinitionVersion(const char* definition);

// The file name with its extension replaced ("prog.vel", "ved" -> "prog.ved").
std::string ReplaceExtension(const std::string& name, const char* extension);
