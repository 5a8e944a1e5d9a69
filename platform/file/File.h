// Low-level file calls: handles are plain values, >= 0 good, negative = failure.
#pragma once

#include <cstdint>

namespace platform {

enum class TFileAccess : uint8_t { ReadOnly, ReadWrite };
enum class TFileShare : uint8_t { All, DenyWrite };

// A file's modification stamp.
struct TFileTime {
  int64_t Seconds = 0;      // since 1970-01-01 UTC
  int32_t Nanoseconds = 0;  // 0 .. 999,999,999
  friend bool operator==(const TFileTime&, const TFileTime&) = default;
};

// Creates or truncates a file for reading and writing. Fails while another of our
// programs holds the file open with writes denied.
[[nodiscard]] int32_t FileCreate(const char* name);

// Opens an existing file. A read-write open fails while someone denies writes; a
// deny-write open fails while someone holds the file open for writing.
[[nodiscard]] int32_t FileOpen(const char* name, TFileAccess access,
                               TFileShare share = TFileShare::All);

// 0 or -1.
int32_t FileClose(int32_t handle);

// Reads up to `count` bytes at `offset`, or at the current position when `offset` is -1
// (which then advances). Returns the bytes read (0 at the end) or -1.
int32_t FileRead(int32_t handle, void* buffer, int32_t count, int64_t offset = -1);

// Writes all `count` bytes at the current position; returns `count`, or -1 when not all
// of them could be written.
int32_t FileWrite(int32_t handle, const void* buffer, int32_t count);

// Moves the current position (whence as lseek: 0 set, 1 current, 2 end); new position or -1.
int64_t FileSeek(int32_t handle, int64_t offset, int whence);

// The size, by seeking to the end and back; -1 on failure.
int64_t FileSize(int32_t handle);

// The modification stamp; false on failure.
bool FileGetTime(int32_t handle, TFileTime* time);

// Sets the file's length; false on failure.
bool FileTruncate(int32_t handle, int64_t length);

// Pushes the written data to the disk; false on failure.
bool FileFlushToDisk(int32_t handle);

}  // namespace platform
