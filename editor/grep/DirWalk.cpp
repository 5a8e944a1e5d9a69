// The directory walk of the global search on POSIX directory calls.
#include "editor/grep/DirWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "editor/grep/FileMasks.h"

namespace {

struct TEntry {
  std::string Name;
  unsigned char Type = DT_UNKNOWN;
  bool Statted = false;
  bool Exists = false;
  struct stat Stat {};
};

// Closes the directory on every way out.
struct TDirCloser {
  DIR* Dir;
  ~TDirCloser() {
    if (Dir) closedir(Dir);
  }
};

const struct stat* StatOf(int dirFd, TEntry& entry) {
  if (!entry.Statted) {
    entry.Statted = true;
    entry.Exists = fstatat(dirFd, entry.Name.c_str(), &entry.Stat, 0) == 0;
  }
  return entry.Exists ? &entry.Stat : nullptr;
}

}  // namespace

bool TDirWalk::Walk(const std::string& directory) {
  Visited_.clear();
  return WalkOne(directory);
}

bool TDirWalk::WalkOne(const std::string& directory) {
  const std::string dir =
      directory.empty() || directory.back() == '/' ? directory : directory + "/";
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return true;  // unreadable: nothing to find here
  TDirCloser closer{d};
  const int fd = dirfd(d);
  struct stat self {};
  if (fstat(fd, &self) == 0 &&
      !Visited_.insert({static_cast<uint64_t>(self.st_dev), static_cast<uint64_t>(self.st_ino)})
           .second)
    return true;

  std::vector<TEntry> entries;
  while (const dirent* e = readdir(d)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    entries.push_back(TEntry{std::string(name), e->d_type});
  }
  std::sort(entries.begin(), entries.end(),
            [](const TEntry& a, const TEntry& b) { return a.Name < b.Name; });

  for (const std::string& pattern : Patterns_) {
    for (TEntry& entry : entries) {
      if (!MatchWildcard(pattern, entry.Name)) continue;
      if (entry.Type == DT_REG) {
        // The common case needs no look at the file here.
        if (!OnFile_(dir + entry.Name, nullptr)) return false;
        continue;
      }
      if (entry.Type != DT_LNK && entry.Type != DT_UNKNOWN) continue;
      const struct stat* st = StatOf(fd, entry);
      if (!st || !S_ISREG(st->st_mode)) continue;  // no directories, devices or pipes
      const TGrepFileInfo info = GrepFileInfoOf(st->st_size, st->st_mtim.tv_sec);
      if (!OnFile_(dir + entry.Name, &info)) return false;
    }
  }
  if (!Subdirectories_) return true;
  std::vector<std::string> subdirectories;
  for (TEntry& entry : entries) {
    bool isDir = entry.Type == DT_DIR;
    if (entry.Type == DT_LNK || entry.Type == DT_UNKNOWN) {
      const struct stat* st = StatOf(fd, entry);
      isDir = st && S_ISDIR(st->st_mode);
    }
    if (isDir) subdirectories.push_back(dir + entry.Name + "/");
  }
  // Closed before descending, so that deep trees do not run out of handles.
  closedir(d);
  closer.Dir = nullptr;
  for (const std::string& sub : subdirectories)
    if (!WalkOne(sub)) return false;
  return true;
}
