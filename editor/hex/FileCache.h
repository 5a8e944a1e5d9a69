// The hex editor's view of one file: opened read-write or read-only, mapped whole, with
// the writability probe of its directory and protection against a file that shrinks
// under the mapping.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/file/File.h"

// The largest file the hex editor opens: offsets and sizes stay signed 32-bit values
// everywhere (status bar, notifications, stored positions, go-to dialog).
constexpr int64_t kHexMaxFileSize = 0x7FFFFFFF;

// Status codes of the cache.
constexpr int32_t fcOk = 0;
constexpr int32_t fcCannotOpen = -1;
constexpr int32_t fcWrite = -4;
constexpr int32_t fcMemory = -10;
constexpr int32_t fcTooLarge = -11;

// True when a file could be created in the directory of `fileName`: tries the names
// "ZK~~~~00.CHK" to "ZK~~~~99.CHK" until one does not exist, creates and deletes it.
// When all hundred names exist the directory counts as writable.
bool ProbeDirectoryWritable(const std::string& fileName);

class TFileCache {
 public:
  TFileCache() = default;
  ~TFileCache() { Close(); }
  TFileCache(const TFileCache&) = delete;
  TFileCache& operator=(const TFileCache&) = delete;

  // Opens and maps `name` (read-write when the directory is writable and the file can be
  // opened so, else read-only). 0, fcCannotOpen (also for anything but a regular file),
  // fcTooLarge, fcMemory.
  [[nodiscard]] int32_t Open(const std::string& name, bool forceReadOnly = false);
  void Close();
  bool IsOpen() const { return Handle_ >= 0; }

  const std::string& Name() const { return Name_; }
  bool ReadOnly() const { return ReadOnly_; }
  // Marks the cache read-only (a copy that could not be made).
  void SetReadOnly() { ReadOnly_ = true; }
  // The file's size in bytes; an empty file has size 0 and the empty flag.
  int64_t Size() const { return Size_; }
  bool EmptyFile() const { return EmptyFile_; }
  const platform::TFileTime& Time() const { return Time_; }

  // The mapped bytes (Size() of them; one readable zero byte for an empty file).
  const uint8_t* Data() const { return Data_; }
  // Writable bytes; null for a read-only cache.
  uint8_t* MutableData() { return ReadOnly_ ? nullptr : Data_; }

  // New length of a read-write cache: the file is cut or extended (zeros) and mapped
  // again. fcWrite when the file cannot change, fcMemory when the mapping fails (the
  // cache is then closed), fcTooLarge beyond the limit.
  [[nodiscard]] int32_t Resize(int64_t newSize);
  // Writes the mapped pages to the file and takes its new date; false on failure.
  bool Flush();

  // Another program cut the file while it was mapped and a read met the missing part
  // (it read zeros). Sticky until the cache is opened again.
  bool Faulted() const { return Faulted_.load(std::memory_order_relaxed) != 0; }
  // The file on disk no longer has the size or date recorded at the open (or the last
  // flush), or the mapping met a missing part.
  bool ChangedOnDisk() const;
  // Takes the file's current date as its own (after writing it ourselves).
  void TakeFileTime();

 private:
  int32_t Map();
  void Unmap();

  std::string Name_;
  int32_t Handle_ = -1;
  bool ReadOnly_ = false;
  bool EmptyFile_ = false;
  int64_t Size_ = 0;
  platform::TFileTime Time_;
  uint8_t* Data_ = nullptr;
  size_t MappedLength_ = 0;
  uint8_t EmptyByte_ = 0;
  int32_t GuardSlot_ = -1;
  std::atomic<int32_t> Faulted_{0};
};
