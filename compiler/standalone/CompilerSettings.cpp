// Reading and writing the front ends' settings file.
#include "compiler/standalone/CompilerSettings.h"

#include "platform/file/SettingsPath.h"
#include "platform/profile/ProfileFile.h"

namespace {
constexpr const char* kSection = "System";
constexpr size_t kModemNrMax = 32;
}  // namespace

std::string CompilerSettingsPath(const std::string& module) {
  // Only the configuration directory: there is no shared system directory for it here.
  return platform::ResolveSettingsPaths(module + ".ini", platform::ProgramDirectory(), false)
      .Write;
}

TCompilerSettings LoadCompilerSettings(const std::string& path) {
  TCompilerSettings s;
  platform::TProfileFile file(path);
  if (file.Load() != 0) return s;
  s.ComPort = file.ReadInt(kSection, "comport", 0);
  if (s.ComPort < 0 || s.ComPort > 3) s.ComPort = 0;
  s.DriverTrans = file.ReadInt(kSection, "drivertrans", 0);
  s.Modem = file.ReadInt(kSection, "modem", 0) != 0 ? 1 : 0;
  s.ModemNr = file.ReadString(kSection, "modemnr", "").substr(0, kModemNrMax);
  return s;
}

bool SaveCompilerSettings(const std::string& path, const TCompilerSettings& settings) {
  platform::TProfileFile file(path);
  // An unreadable file is not replaced (Flush refuses after a failed Load).
  (void)file.Load();
  file.WriteInt(kSection, "comport", settings.ComPort);
  file.WriteInt(kSection, "drivertrans", settings.DriverTrans);
  file.WriteInt(kSection, "modem", settings.Modem != 0 ? 1 : 0);
  file.WriteString(kSection, "modemnr", settings.ModemNr.substr(0, kModemNrMax));
  return file.Flush() == 0;
}
