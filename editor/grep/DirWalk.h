// Walking a directory for the global search: the files matching the patterns, then the
// subdirectories, depth first.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/grep/GrepTypes.h"

class TDirWalk {
 public:
  // Called for every file found, in walk order; false stops the walk. `info` is null when
  // the directory told the file's type without a look at the file itself: size and date
  // are then left to whoever reads it.
  using TOnFile = std::function<bool(const std::string& path, const TGrepFileInfo* info)>;

  TDirWalk(std::vector<std::string> patterns, bool subdirectories, TOnFile onFile)
      : Patterns_(std::move(patterns)), Subdirectories_(subdirectories), OnFile_(std::move(onFile)) {}

  // Walks one directory of the list. For each pattern in turn the matching regular files
  // (symbolic links followed; a file matching two patterns is listed twice), then each
  // subdirectory when wanted. Names come in byte order, so a search gives the same list
  // on every file system. Every directory is walked at most once per call, which ends
  // loops through symbolic links; unreadable directories and vanished entries are
  // passed over. False when the callback stopped the walk.
  bool Walk(const std::string& directory);

 private:
  bool WalkOne(const std::string& directory);

  std::vector<std::string> Patterns_;
  bool Subdirectories_;
  TOnFile OnFile_;
  std::set<std::pair<uint64_t, uint64_t>> Visited_;  // device, inode
};
