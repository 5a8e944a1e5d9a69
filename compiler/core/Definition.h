// The definition file ("ZIRE.CFG") and the macro machine that runs its command macros.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/core/Destination.h"
#include "compiler/core/Driver.h"
#include "compiler/core/Expression.h"
#include "compiler/core/FileImage.h"
#include "compiler/core/MacroStep.h"
#include "compiler/core/Markers.h"
#include "compiler/core/Parameter.h"
#include "compiler/core/Reporter.h"

// The header behind the 3-byte load base: seven 3-byte addresses.
struct TDefinitionHeader {
  int32_t InitMacro = 0;
  int32_t CommandMacro = 0;
  int32_t Reserved = 0;
  int32_t Marker = 0;
  int32_t DriverTable = 0;  // a driver-file offset, not relocated
  int32_t CompilerVersion = 0;
  int32_t DriverVersion = 0;
};
constexpr int64_t kDefinitionHeaderSize = 24;

// Return-stack record of P and I.
struct ParametercodeStackData {
  int64_t ReturnOffset = 0;
  int32_t ParameterIndex = 0;
  int32_t Invocation = 0;
};

constexpr int32_t kVariableCount = 100;

class DefinitionData : private TExpressionTerms {
 public:
  DefinitionData(TVelReporter& reporter, MarkerMemo& markers, DestinationData& output)
      : Reporter_(reporter), Markers_(markers), Output_(output) {}

  // Opens the definition, reads its header and version text; with a driver name also checks
  // both versions, opens the driver, reads the marker and runs the init macro. False when the
  // compilation cannot go on (a message says why, except for a missing init macro).
  [[nodiscard]] bool Load(const char* definitionName, const char* driverName);
  // Same, from bytes in memory (tests and fuzzing); no driver when driverBytes is null.
  [[nodiscard]] bool LoadImages(std::string definition, const std::string* driverBytes);

  // Runs the command macro for one VEL command (the parameters are set by the caller).
  // False when there is no command macro (its address is the load base): commands are then
  // ignored, parameters included.
  bool RunCommandMacro(std::string_view commandName);

  int32_t ReadDriverEntry(int32_t n) const { return Driver_.Entry(n); }
  const std::string& ConfigVersionText() const { return ConfigVersion_; }
  const std::string& DriverVersionText() const { return DriverVersion_; }

  TParameters Parameters;
  bool BlockPending = false;  // set by "}", shared with the block bookkeeping
  std::array<int32_t, kVariableCount> Variables{};
  TParameterFilter Filter;

  // Bounds against malformed definitions: instructions plus literal bytes per macro run,
  // and the depth of P/I calls. Both far beyond any real definition.
  int64_t StepLimit = 10'000'000;
  static constexpr size_t kMaxCallDepth = 10'000;

 private:
  void Unload();
  bool LoadHeader();
  bool CompilerVersionFits();
  bool FinishLoad();
  bool ToOffset(int32_t address, int64_t* offset) const;
  bool RunMacro(int64_t start);
  bool Execute();
  bool ExecuteInstruction(const TMacroStep& step, bool* finished);
  // Parts of the instructions; a false return has been reported.
  int32_t Expression(TMacroArguments& args, int32_t fallback);
  std::string LocalName(TMacroArguments& args) const;  // "_x" gets the invocation number
  bool MacroError();
  bool WriteError();
  bool ReadTarget(const TMacroStep& step, int64_t* target);
  bool Jump(int64_t target);
  bool Call(int32_t parameter, int64_t target);
  bool ReferenceSymbol(std::string_view name, int32_t kind, int32_t addend);
  bool WriteValue(int64_t value, int32_t width);
  ParameterData* PresentParameter(int32_t n);  // null when absent or out of range

  // TExpressionTerms
  int32_t DriverEntry(int32_t n) override { return Driver_.Entry(n); }
  int32_t ParameterOffset(int32_t n) override;
  int32_t SymbolValue(std::string_view name) override { return Markers_.LookUp(name); }
  int32_t Variable(int32_t n) override;

  TVelReporter& Reporter_;
  MarkerMemo& Markers_;
  DestinationData& Output_;
  TreiberData Driver_;
  TFileImage Image_;
  std::string Name_;  // for messages
  int32_t LoadBase_ = 0;
  TDefinitionHeader Header_;
  std::string Marker_;
  TMacroSteps MacroSteps_;  // of Image_ and Marker_
  std::string ConfigVersion_;
  std::string DriverVersion_;
  bool Loaded_ = false;

  // Machine state of the running macro.
  std::string CommandName_;
  int32_t Current_ = 0;  // current parameter index, 0 to 19
  int32_t Invocation_ = 0;
  int32_t InvocationCount_ = 0;
  int64_t Pos_ = 0;
  int64_t Steps_ = 0;
  std::vector<ParametercodeStackData> Stack_;
};

// The five version characters the compiler check compares: those starting five before the
// first "#" (empty when there is no "#").
std::string CompilerVersionKey(std::string_view text);
// The five characters behind "Vers.:", or the first five when it is absent.
std::string DriverVersionKey(std::string_view text);
bool SameVersion(std::string_view a, std::string_view b);

// The banner the stand-alone compiler shows and checks definitions against.
constexpr std::string_view kCompilerBanner = "VEL Compiler Version 01.05#01, (Aug  2 2001)%s";
