// Replaces a file's content so that a failed write never destroys the old content.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The new content goes to a temporary file beside the target; Commit flushes it to the
// disk and renames it over the target, with the target's permissions. Without Commit
// (or when Commit fails) the temporary file is removed and the target stays as it was.
//
// Two cases cannot be replaced by renaming and are written in place instead, where a
// failure can leave the target partly written: a target with several hard links (a
// rename would split them) and a target in a directory where we may not create files.
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

  // 0, or -4 when the content could not be made durable; the old file is then intact
  // (except in the in-place cases above).
  [[nodiscard]] int32_t Commit();

  // Drops the new content.
  void Abandon();

 private:
  std::string Target_;
  std::string Temp_;  // empty when writing in place
  int32_t Handle_ = -1;
  bool Exists_ = false;
  uint32_t Mode_ = 0;
  uint32_t Owner_ = 0;
  uint32_t Group_ = 0;
};

}  // namespace platform
