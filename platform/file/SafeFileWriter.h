// Replaces a file's content so that a failed or interrupted write never destroys the old content.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Normally the new content goes to a temporary file ".NAME.zktmp-XXXXXX" beside the target;
// Commit flushes it to the disk and renames it over the target, with the target's
// permissions. Without Commit (or when Commit fails) the temporary file is removed and the
// target stays as it was. A temporary left behind by a killed program is removed by the
// next save into that directory; a live one is locked by its writer and left alone.
//
// Two targets cannot be replaced by renaming: one with several hard links (a rename would
// split them) and one in a directory where we may not create files. Their new content is
// collected in memory first; Commit then checks the size limit, keeps a complete copy of
// the old content in the user's cache directory (with a note naming the target), reserves
// the new size, writes in place, and only after the flush drops the copy. A failed write
// puts the old content back from the copy. After a kill the copy stays and
// FindInterruptedSaves names it at the next start.
class TSafeFileWriter {
 public:
  TSafeFileWriter() = default;
  TSafeFileWriter(const TSafeFileWriter&) = delete;
  TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;
  ~TSafeFileWriter() { Abandon(); }

  // 0, or -3 when the target cannot be written (a directory, write-protected, denied by
  // another of our programs, or nothing can be created there).
  [[nodiscard]] int32_t Open(const char* target);

  // The handle to write the new content through (>= 0 after a good Open).
  int32_t Handle() const { return Handle_; }

  // 0, or -4 when the content could not be made durable; the old file is then intact, or
  // (when even putting it back failed) its complete old content is at KeptCopy().
  [[nodiscard]] int32_t Commit();

  // Drops the new content.
  void Abandon();

  // The copy of the old content that a failed in-place write left behind; "" normally.
  const std::string& KeptCopy() const { return KeptCopy_; }

 private:
  [[nodiscard]] int32_t CommitRename();
  [[nodiscard]] int32_t CommitInPlace();

  std::string Target_;
  std::string Temp_;  // empty when writing in place
  int32_t Handle_ = -1;
  bool InPlace_ = false;
  bool Exists_ = false;
  uint32_t Mode_ = 0;
  uint32_t Owner_ = 0;
  uint32_t Group_ = 0;
  std::string KeptCopy_;
};

// The whole new content of a file through a TSafeFileWriter: 0, -3 (cannot be written) or -4
// (not made durable; the old content kept).
[[nodiscard]] int32_t ReplaceFileContent(const char* target, std::string_view bytes);

// A save that was interrupted while it wrote a file in place: the target may be damaged,
// Copy holds its complete old content.
struct TInterruptedSave {
  std::string Target;
  std::string Copy;
};

// The interrupted saves whose writer is gone, for telling the user at start-up. Copies of
// saves that were killed before the copy was complete (the target was not touched then)
// are removed on the way.
std::vector<TInterruptedSave> FindInterruptedSaves();

// Removes the copy and its note once the user has been told.
void DropInterruptedSave(const TInterruptedSave& save);

// The directory of the copies: $XDG_CACHE_HOME/zkedit32/rescue, else
// ~/.cache/zkedit32/rescue.
std::string RescueDirectory();

// Seams for tests; the defaults are the real behaviour.
struct TSafeWriteHooks {
  bool NoTempBesideTarget = false;  // act as if the target's directory refused new files
  std::string RescueDirectory;      // "" = the user's cache directory
  int32_t ChunkSize = 1 << 20;      // bytes per copy step
  void (*Step)() = nullptr;         // called between the steps of a commit
};
TSafeWriteHooks& SafeWriteHooks();

}  // namespace platform
