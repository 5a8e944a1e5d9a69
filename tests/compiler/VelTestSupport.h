// Builds small definition and driver files from text and compiles sources against them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/core/MessageList.h"
#include "tests/support/TempDir.h"

// A definition with the given init and command macro bodies (the marker is the byte FE),
// required versions "01.05#" and "Vers.:01.00"; `extra` is appended (sub-macros, texts).
std::string DefinitionText(std::string_view init, std::string_view command,
                           std::string_view extra = "", std::string_view compilerVersion =
                                                             "Test 01.05#07");
// A driver whose entry 8 is `codeStart` and entry 24 the text "Treiber Vers.:01.00".
std::string DriverText(int32_t codeStart = 0, std::string_view version = "Treiber Vers.:01.00");
// Assembles text; fails the test on an assembler error.
std::string Assemble(std::string_view text);

class TVelRun {
 public:
  // Compiles `source` against the assembled definition and driver texts.
  int32_t Compile(std::string_view source, std::string_view definitionText,
                  std::string_view driverText = DriverText(), uint32_t dataMemory = 4096,
                  bool listing = false);
  // The record written (empty when it was removed) and the bytes behind its header.
  std::string Record() const;
  std::string Body() const;
  std::string Listing() const;
  bool Has(uint32_t id) const { return Messages.Contains(id); }
  int32_t Count(uint32_t id) const;
  // All message texts, one per line, converted to UTF-8 for readable failures.
  std::string Dump() const;

  TTempDir Dir;
  TMessageList Messages;
  int32_t Result = -1;
};

// Bytes from a list of values, for expected records.
std::string Bytes(std::initializer_list<int> values);
