// Saved configurations of the global-search dialog ("GrepCfg0" .. "GrepCfg9").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/profile/ProfileFile.h"

struct TGrepConfig {
  static constexpr size_t kMaxSearchText = 80;
  static constexpr size_t kMaxDirs = 15;
  static constexpr int32_t kMaxNumber = 9;

  std::string SearchText;
  std::string FileMasks;
  bool CaseSensitive = false;
  bool WholeWords = false;
  bool RegularExpression = false;
  bool Subdirectories = false;
  bool ShowInfo = false;
  int32_t Output = 0;  // 0 files and hits, 1 hit counts, 2 file names only
  std::vector<std::string> Dirs;

  bool operator==(const TGrepConfig&) const = default;
};

// False when `number` is outside 0..9 or no such configuration is stored.
bool ReadGrepConfig(const platform::TProfileFile& file, int32_t number, TGrepConfig& config);
// Replaces the stored configuration `number` (0..9); false for another number.
bool WriteGrepConfig(platform::TProfileFile& file, int32_t number, const TGrepConfig& config);
