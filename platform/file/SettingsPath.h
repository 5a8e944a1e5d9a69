// Where the programs find and keep their settings files.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The directory of the running executable (without a trailing slash).
std::string ProgramDirectory();

struct TSettingsPaths {
  std::string Read;   // where the current settings are read from
  std::string Write;  // where changed settings go
};

// Settings live beside the program while its directory is writable. In an installed copy
// they go to the user's configuration directory ($XDG_CONFIG_HOME/zkedit32, else
// ~/.config/zkedit32), which is also read first; a file shipped beside the program is read
// until the user has a copy of their own.
TSettingsPaths ResolveSettingsPaths(std::string_view fileName,
                                    const std::string& programDirectory = ProgramDirectory());
// The same with the writability of the program directory given.
TSettingsPaths ResolveSettingsPaths(std::string_view fileName,
                                    const std::string& programDirectory,
                                    bool programDirectoryWritable);

}  // namespace platform
