#include "platform/file/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

// Windows sharing modes do not exist on Linux. Our programs honour them with
// open-file-description locks on two bytes far beyond any real file content:
//  - kWriterByte: every open for writing holds a shared lock on it;
//  - kDenyByte:   every open that denies writes to others holds a shared lock on it.
// An open that wants to write tests that nobody else holds kDenyByte, an open that
// denies writes tests that nobody else holds kWriterByte. Each open takes its own locks
// before testing, so two racing opens see each other and at worst both fail. The locks
// belong to the open file description and vanish with the last close. Programs that do
// not use these calls are not held back.
constexpr off_t kWriterByte = 0x7FFFFFFFFFFFFF00;
constexpr off_t kDenyByte = kWriterByte + 1;

bool TakeShared(int fd, off_t byte) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// True when another open file description holds a lock on the byte.
bool HeldByOthers(int fd, off_t byte) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;  // no lock support: nothing to honour
  return lock.l_type != F_UNLCK;
}

bool ApplySharing(int fd, bool writes, bool denyWrite) {
  if (writes && !TakeShared(fd, kWriterByte) && errno != EINVAL && errno != ENOLCK) return false;
  if (denyWrite && !TakeShared(fd, kDenyByte) && errno != EINVAL && errno != ENOLCK) return false;
  if (writes && HeldByOthers(fd, kDenyByte)) return false;
  if (denyWrite && HeldByOthers(fd, kWriterByte)) return false;
  return true;
}

int32_t OpenChecked(const char* name, int flags, mode_t mode, bool writes, bool denyWrite) {
  if (!name) return -1;
  int fd = ::open(name, flags | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat st {};
  // A file without any write permission is write-protected for everybody, as a file with
  // the read-only attribute is, whatever rights the user has.
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (writes && (st.st_mode & 0222) == 0) ||
      !ApplySharing(fd, writes, denyWrite)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int32_t FileCreate(const char* name) {
  // Truncated only after the sharing check, so a denied file keeps its content.
  int32_t fd = OpenChecked(name, O_RDWR | O_CREAT, 0666, true, false);
  if (fd >= 0 && ftruncate(fd, 0) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int32_t FileOpen(const char* name, TFileAccess access, TFileShare share) {
  bool writes = access == TFileAccess::ReadWrite;
  return OpenChecked(name, writes ? O_RDWR : O_RDONLY, 0, writes, share == TFileShare::DenyWrite);
}

int32_t FileClose(int32_t handle) {
  return handle >= 0 && ::close(handle) == 0 ? 0 : -1;
}

int32_t FileRead(int32_t handle, void* buffer, int32_t count, int64_t offset) {
  if (handle < 0 || count < 0) return -1;
  char* out = static_cast<char*>(buffer);
  int32_t done = 0;
  // Pipes and slow devices may return less than asked; keep reading to the end.
  while (done < count) {
    ssize_t n = offset < 0 ? ::read(handle, out + done, count - done)
                           : ::pread(handle, out + done, count - done, offset + done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<int32_t>(n);
  }
  return done;
}

int32_t FileWrite(int32_t handle, const void* buffer, int32_t count) {
  if (handle < 0 || count < 0) return -1;
  const char* in = static_cast<const char*>(buffer);
  int32_t done = 0;
  while (done < count) {
    ssize_t n = ::write(handle, in + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) return -1;
    done += static_cast<int32_t>(n);
  }
  return done;
}

int64_t FileSeek(int32_t handle, int64_t offset, int whence) {
  if (handle < 0) return -1;
  return ::lseek(handle, offset, whence);
}

int64_t FileSize(int32_t handle) {
  int64_t here = FileSeek(handle, 0, SEEK_CUR);
  if (here < 0) return -1;
  int64_t end = FileSeek(handle, 0, SEEK_END);
  if (FileSeek(handle, here, SEEK_SET) < 0) return -1;
  return end;
}

bool FileGetTime(int32_t handle, TFileTime* time) {
  struct stat st {};
  if (handle < 0 || !time || fstat(handle, &st) != 0) return false;
  time->Seconds = st.st_mtim.tv_sec;
  time->Nanoseconds = static_cast<int32_t>(st.st_mtim.tv_nsec);
  return true;
}

bool FileTruncate(int32_t handle, int64_t length) {
  return handle >= 0 && ::ftruncate(handle, length) == 0;
}

bool FileFlushToDisk(int32_t handle) {
  return handle >= 0 && ::fsync(handle) == 0;
}

}  // namespace platform
