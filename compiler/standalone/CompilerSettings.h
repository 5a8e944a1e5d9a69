// The front ends' settings file: named after the program ("velwcomp.ini", "velcomp.ini"),
// section "System", kept in the user's configuration directory.
#pragma once

#include <cstdint>
#include <string>

struct TCompilerSettings {
  int32_t ComPort = 0;      // 0 = COM1 ... 3 = COM4
  int32_t DriverTrans = 0;  // kept for the file, not used by the dialog
  int32_t Modem = 0;        // 0 or 1
  std::string ModemNr;      // up to 32 characters
};

// "<user configuration directory>/<module>.ini".
std::string CompilerSettingsPath(const std::string& module);

// Missing or unreadable files and values give the defaults; a port outside COM1 to COM4
// becomes COM1, so the dialog always has one button to check.
TCompilerSettings LoadCompilerSettings(const std::string& path);
// False when the file could not be written (the settings are then only kept for this run).
bool SaveCompilerSettings(const std::string& path, const TCompilerSettings& settings);
