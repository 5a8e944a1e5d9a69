// Loading the definition and driver files and the version checks.
#include "compiler/core/Definition.h"

#include <cctype>

#include "platform/charset/Charset.h"

std::string CompilerVersionKey(std::string_view text) {
  const size_t hash = text.find('#');
  if (hash == std::string_view::npos) return {};
  const size_t start = hash >= 5 ? hash - 5 : 0;
  return std::string(text.substr(start, 5));
}

std::string DriverVersionKey(std::string_view text) {
  const size_t at = text.find("Vers.:");
  if (at == std::string_view::npos) return std::string(text.substr(0, 5));
  return std::string(text.substr(at + 6, 5));
}

bool SameVersion(std::string_view a, std::string_view b) {
  return platform::EqualNoCaseAscii(a, b);
}

void DefinitionData::Unload() {
  // The steps read so far point into the image that is about to be replaced.
  Loaded_ = false;
  MacroSteps_.Reset(nullptr, {});
}

bool DefinitionData::ToOffset(int32_t address, int64_t* offset) const {
  if (address < 0) return false;
  *offset = int64_t{address} - LoadBase_;
  return *offset >= 0 && *offset < Image_.Size();
}

bool DefinitionData::LoadHeader() {
  if (Image_.Size() < kDefinitionHeaderSize) {
    Reporter_.Report(msgReadError, {Name_});
    return false;
  }
  LoadBase_ = Image_.Read24(0);
  int32_t* fields[] = {&Header_.InitMacro,   &Header_.CommandMacro,    &Header_.Reserved,
                       &Header_.Marker,      &Header_.DriverTable,     &Header_.CompilerVersion,
                       &Header_.DriverVersion};
  for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = Image_.Read24(3 + 3 * int64_t(i));
  int64_t at = 0;
  if (!ToOffset(Header_.CompilerVersion, &at) || !Image_.ReadText(at, &ConfigVersion_)) {
    Reporter_.Report(msgReadError, {Name_});
    return false;
  }
  return true;
}

bool DefinitionData::Load(const char* definitionName, const char* driverName) {
  Unload();
  if (definitionName == nullptr || *definitionName == '\0') {
    Reporter_.Report(msgNoConfig);
    return false;
  }
  Name_ = definitionName;
  if (!Image_.Load(definitionName)) {
    Reporter_.Report(msgOpenFailed, {Name_});
    return false;
  }
  if (!LoadHeader()) return false;
  if (driverName == nullptr) return true;
  if (!CompilerVersionFits()) return false;
  if (!Driver_.Open(driverName, Header_.DriverTable)) {
    Reporter_.Report(msgOpenFailed, {driverName});
    return false;
  }
  return FinishLoad();
}

bool DefinitionData::CompilerVersionFits() {
  if (SameVersion(CompilerVersionKey(ConfigVersion_), CompilerVersionKey(kCompilerBanner)))
    return true;
  Reporter_.Report(msgCompilerVersion);
  return false;
}

bool DefinitionData::LoadImages(std::string definition, const std::string* driverBytes) {
  Unload();
  Name_ = "ZIRE.CFG";
  Image_.Assign(std::move(definition));
  if (!LoadHeader()) return false;
  if (driverBytes == nullptr) return true;
  if (!CompilerVersionFits()) return false;
  Driver_.Assign(*driverBytes, Header_.DriverTable);
  return FinishLoad();
}

bool DefinitionData::FinishLoad() {
  DriverVersion_ = Driver_.VersionText();
  std::string required;
  int64_t at = 0;
  if (!ToOffset(Header_.DriverVersion, &at) || !Image_.ReadText(at, &required)) {
    Reporter_.Report(msgReadError, {Name_});
    return false;
  }
  if (!SameVersion(DriverVersionKey(DriverVersion_), DriverVersionKey(required))) {
    Reporter_.Report(msgDriverVersion);
    return false;
  }
  int64_t marker = 0;
  const bool markerInside = ToOffset(Header_.Marker, &marker);
  const auto length =
      markerInside ? static_cast<uint8_t>(Image_.Bytes()[static_cast<size_t>(marker)]) : 0;
  if (!markerInside || marker + 1 + length > Image_.Size()) {
    Reporter_.Report(msgReadError, {Name_});
    return false;
  }
  Marker_ = Image_.Bytes().substr(static_cast<size_t>(marker) + 1, length);
  MacroSteps_.Reset(&Image_.Bytes(), Marker_);
  if (Header_.InitMacro == LoadBase_) return false;
  Loaded_ = true;
  int64_t init = 0;
  if (!ToOffset(Header_.InitMacro, &init) || init < kDefinitionHeaderSize) {
    Reporter_.Report(msgBadMacro);
    return true;  // the error fails the compilation at its end
  }
  RunMacro(init);
  return true;
}

bool DefinitionData::RunCommandMacro(std::string_view commandName) {
  if (!Loaded_ || Header_.CommandMacro == LoadBase_) return false;
  CommandName_ = std::string(commandName);
  int64_t start = 0;
  if (!ToOffset(Header_.CommandMacro, &start) || start < kDefinitionHeaderSize) {
    Reporter_.Report(msgBadMacro);
    return true;
  }
  RunMacro(start);
  return true;
}

int32_t DefinitionData::ParameterOffset(int32_t n) {
  Parameters[static_cast<size_t>(Current_)].Unconsumed = false;
  if (n == kCurrentParameter)
    return static_cast<int32_t>(Parameters[static_cast<size_t>(Current_)].Offset);
  return n >= 0 && n < kMaxParameters ? static_cast<int32_t>(Parameters[static_cast<size_t>(n)].Offset) : 0;
}

int32_t DefinitionData::Variable(int32_t n) {
  return n >= 0 && n < kVariableCount ? Variables[static_cast<size_t>(n)] : 0;
}
