// The safe writer's helpers: locked temporaries, removal of stale ones, copies of old content.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Creates a file from a mkostemp pattern and holds an exclusive flock on it for as long as
// the handle is open, so that a cleaner can tell a live temporary from one whose writer
// is gone. -1 on failure (errno tells why); `path` then holds the pattern again.
int32_t CreateLockedTemp(std::string& path);

// Removes the files of the directory whose names match ".*.zktmp-XXXXXX", that belong to
// this user and that no live writer holds locked.
void RemoveStaleTemps(const std::string& directory);

// Copies `count` bytes from offset 0 of one handle to offset 0 of another, in chunks of the
// hook's size, calling the step hook after each; false on a read or write failure.
bool CopyContent(int32_t from, int32_t to, int64_t count);

// A complete copy of a file's old content in the rescue directory with a note naming the
// target; the copy is flushed before the note is written, the note before the caller
// touches the target.
class TRescueCopy {
 public:
  TRescueCopy() = default;
  TRescueCopy(const TRescueCopy&) = delete;
  TRescueCopy& operator=(const TRescueCopy&) = delete;
  ~TRescueCopy() { Close(); }

  // Copies `size` bytes of `source`, the content of `target`. False when no complete copy
  // could be made; nothing is left behind then.
  [[nodiscard]] bool Make(const std::string& target, int32_t source, int64_t size);
  int32_t Handle() const { return Handle_; }
  const std::string& Path() const { return Path_; }
  // Removes note and copy (the target holds good content again).
  void Drop();
  // Leaves copy and note for the next start.
  void Close();

 private:
  std::string Path_;
  int32_t Handle_ = -1;
};

// Syncs the directory entry of a path's directory.
void SyncDirectoryOf(const std::string& path);

// Calls the step hook, if any.
void SafeWriteStep();

}  // namespace platform
