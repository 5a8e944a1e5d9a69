// The one place compiler messages are raised: formats by number, adds the line prefix.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/core/MessageList.h"

// Message numbers (string ids of the section "::VELCOMP").
constexpr uint32_t msgOpenFailed = 102;
constexpr uint32_t msgWriteError = 103;
constexpr uint32_t msgReadError = 104;
constexpr uint32_t msgParamSyntax = 105;
constexpr uint32_t msgBlockBalance = 106;
constexpr uint32_t msgNoValue = 107;
constexpr uint32_t msgDefinedTwice = 109;
constexpr uint32_t msgOpenBlock = 110;
constexpr uint32_t msgBlockEnd = 111;
constexpr uint32_t msgMemory = 112;
constexpr uint32_t msgCompilerVersion = 113;
constexpr uint32_t msgDriverVersion = 114;
constexpr uint32_t msgBadMacro = 120;
constexpr uint32_t msgOffsetRange = 122;
constexpr uint32_t msgBitRange = 123;
constexpr uint32_t msgParamCount = 124;
constexpr uint32_t msgParamCombination = 125;
constexpr uint32_t msgNoSource = 126;
constexpr uint32_t msgNoConfig = 127;
constexpr uint32_t msgNoDriver = 128;
constexpr uint32_t msgAddressRange = 133;
constexpr uint32_t msgInternal34 = 134;
constexpr uint32_t msgTooLittleRam = 175;
constexpr uint32_t msgSyntax = 200;

class TVelReporter {
 public:
  explicit TVelReporter(TMessageList& list) : List(list) {}

  // "[Zeile:n] " for the current line (n counted from 1).
  std::string LinePrefix() const;
  // An error with the given arguments.
  void Report(uint32_t id, std::vector<std::string> args = {});
  // An error whose only argument is the line prefix.
  void ReportAtLine(uint32_t id) { Report(id, {LinePrefix()}); }
  int32_t ErrorCount() const { return List.ErrorCount(); }

  TMessageList& List;
  int32_t Line = 0;  // source line of the last token character read, from 0
};
