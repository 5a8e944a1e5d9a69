#include "platform/file/FileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file/File.h"

namespace platform {
namespace {

const char* BaseName(const char* name) {
  const char* slash = std::strrchr(name, '/');
  return slash ? slash + 1 : name;
}

}  // namespace

uint32_t GetFileAttributes(const char* name) {
  struct stat st {};
  if (!name || ::stat(name, &st) != 0) return INVALID_FILE_ATTRIBUTES;
  uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if ((st.st_mode & 0222) == 0 || ::access(name, W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
  const char* base = BaseName(name);
  if (base[0] == '.' && std::strcmp(base, ".") != 0 && std::strcmp(base, "..") != 0)
    attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

bool GetFileInfo(const char* name, TFileInfo* info) {
  struct stat st {};
  if (!name || !info || ::stat(name, &st) != 0) return false;
  info->Size = st.st_size;
  info->Time.Seconds = st.st_mtim.tv_sec;
  info->Time.Nanoseconds = static_cast<int32_t>(st.st_mtim.tv_nsec);
  info->Attributes = GetFileAttributes(name);
  return true;
}

bool FileExists(const char* name) {
  struct stat st {};
  return name && ::stat(name, &st) == 0;
}

bool CopyFile(const char* from, const char* to, bool failIfExists) {
  if (!from || !to) return false;
  int32_t in = FileOpen(from, TFileAccess::ReadOnly);
  if (in < 0) return false;
  struct stat st {};
  if (fstat(in, &st) != 0) {
    FileClose(in);
    return false;
  }
  int32_t out = -1;
  if (failIfExists) {
    out = ::open(to, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
  } else {
    out = FileCreate(to);
  }
  if (out < 0) {
    FileClose(in);
    return false;
  }
  std::vector<char> buffer(1 << 16);
  bool ok = true;
  for (;;) {
    int32_t n = FileRead(in, buffer.data(), static_cast<int32_t>(buffer.size()));
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (FileWrite(out, buffer.data(), n) != n) {
      ok = false;
      break;
    }
  }
  if (ok) {
    ::fchmod(out, st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
  }
  FileClose(in);
  if (FileClose(out) != 0) ok = false;
  if (!ok) ::unlink(to);
  return ok;
}

bool RenameFile(const char* from, const char* to) {
  if (!from || !to) return false;
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: check, then rename.
  if (FileExists(to)) return false;
  return ::rename(from, to) == 0;
}

bool DeleteFile(const char* name) {
  struct stat st {};
  if (!name || ::lstat(name, &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(name) == 0;
}

int32_t ReadWholeFile(const char* name, std::string& bytes) {
  bytes.clear();
  int32_t handle = FileOpen(name, TFileAccess::ReadOnly, TFileShare::All);
  if (handle < 0) return -1;
  int32_t status = 0;
  char buffer[65536];
  for (;;) {
    int32_t got = FileRead(handle, buffer, sizeof buffer);
    if (got < 0) status = -2;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  FileClose(handle);
  if (status != 0) bytes.clear();
  return status;
}

}  // namespace platform
