// Program directory and settings-file locations.
#include "platform/file/SettingsPath.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return exe.parent_path().string();
}

namespace {

std::string UserConfigDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/zkedit32";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/zkedit32";
}

}  // namespace

TSettingsPaths ResolveSettingsPaths(std::string_view fileName,
                                    const std::string& programDirectory) {
  return ResolveSettingsPaths(fileName, programDirectory,
                              access(programDirectory.c_str(), W_OK) == 0);
}

TSettingsPaths ResolveSettingsPaths(std::string_view fileName,
                                    const std::string& programDirectory,
                                    bool programDirectoryWritable) {
  std::string beside = programDirectory + "/" + std::string(fileName);
  if (programDirectoryWritable) return {beside, beside};
  std::string own = UserConfigDirectory() + "/" + std::string(fileName);
  return {access(own.c_str(), F_OK) == 0 ? own : beside, own};
}

}  // namespace platform
