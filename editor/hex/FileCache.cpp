// Opening, mapping, resizing and closing the hex editor's file.
#include "editor/hex/FileCache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "editor/hex/MappingGuard.h"
#include "platform/file/FileOps.h"

using namespace platform;

namespace {

std::string DirectoryOf(const std::string& fileName) {
  size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : fileName.substr(0, slash);
}

}  // namespace

bool ProbeDirectoryWritable(const std::string& fileName) {
  std::string dir = DirectoryOf(fileName);
  for (int32_t n = 0; n < 100; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "ZK~~~~%02d.CHK", n);
    std::string probe = dir + "/" + name;
    struct stat st {};
    if (::lstat(probe.c_str(), &st) == 0) continue;
    int fd = ::open(probe.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
  }
  return true;
}

int32_t TFileCache::Open(const std::string& name, bool forceReadOnly) {
  Close();
  Faulted_.store(0, std::memory_order_relaxed);
  Name_ = name;
  bool readOnly = forceReadOnly || !ProbeDirectoryWritable(name);
  int32_t handle = -1;
  if (!readOnly) handle = FileOpen(name.c_str(), TFileAccess::ReadWrite, TFileShare::DenyWrite);
  if (handle < 0) {
    readOnly = true;
    handle = FileOpen(name.c_str(), TFileAccess::ReadOnly);
  }
  if (handle < 0) return fcCannotOpen;
  struct stat st {};
  // Devices, pipes and the like have no size to map; reading them could block forever.
  if (::fstat(handle, &st) != 0 || !S_ISREG(st.st_mode)) {
    FileClose(handle);
    return fcCannotOpen;
  }
  if (st.st_size > kHexMaxFileSize) {
    FileClose(handle);
    return fcTooLarge;
  }
  Handle_ = handle;
  ReadOnly_ = readOnly;
  Size_ = st.st_size;
  EmptyFile_ = Size_ == 0;
  Time_ = TFileTime{static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
  int32_t status = Map();
  if (status != fcOk) Close();
  return status;
}

int32_t TFileCache::Map() {
  Unmap();
  if (Size_ == 0) {
    // Nothing to map: one zero byte stands in, and the file on disk stays empty.
    EmptyByte_ = 0;
    Data_ = &EmptyByte_;
    return fcOk;
  }
  int protection = PROT_READ | (ReadOnly_ ? 0 : PROT_WRITE);
  void* view = ::mmap(nullptr, static_cast<size_t>(Size_), protection, MAP_SHARED, Handle_, 0);
  if (view == MAP_FAILED) return fcMemory;
  Data_ = static_cast<uint8_t*>(view);
  MappedLength_ = static_cast<size_t>(Size_);
  GuardSlot_ = GuardMappedRange(Data_, MappedLength_, &Faulted_);
  return fcOk;
}

void TFileCache::Unmap() {
  if (MappedLength_ > 0) {
    ReleaseMappedRange(GuardSlot_);
    GuardSlot_ = -1;
    ::munmap(Data_, MappedLength_);
  }
  MappedLength_ = 0;
  Data_ = nullptr;
}

void TFileCache::Close() {
  Unmap();
  if (Handle_ >= 0) FileClose(Handle_);
  Handle_ = -1;
  Size_ = 0;
  EmptyFile_ = false;
}

int32_t TFileCache::Resize(int64_t newSize) {
  if (Handle_ < 0 || ReadOnly_ || newSize < 0) return fcWrite;
  if (newSize > kHexMaxFileSize) return fcTooLarge;
  Unmap();
  if (!FileTruncate(Handle_, newSize)) {
    // The old length still stands: map it again.
    return Map() == fcOk ? fcWrite : (Close(), fcMemory);
  }
  Size_ = newSize;
  EmptyFile_ = Size_ == 0;
  int32_t status = Map();
  if (status != fcOk) Close();
  return status;
}

bool TFileCache::Flush() {
  if (Handle_ < 0) return false;
  if (MappedLength_ > 0 && ::msync(Data_, MappedLength_, MS_SYNC) != 0) return false;
  TakeFileTime();
  return !Faulted();
}

void TFileCache::TakeFileTime() {
  struct stat st {};
  if (Handle_ >= 0 && ::fstat(Handle_, &st) == 0) {
    Time_ = TFileTime{static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
  }
}

bool TFileCache::ChangedOnDisk() const {
  if (Handle_ < 0) return false;
  if (Faulted()) return true;
  struct stat st {};
  if (::stat(Name_.c_str(), &st) != 0) return true;
  TFileTime now{static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<int32_t>(st.st_mtim.tv_nsec)};
  return st.st_size != Size_ || !(now == Time_);
}
