#include "platform/file/SafeFileWriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

#include "platform/file/File.h"

namespace platform {
namespace {

// The permissions a newly created file gets: 0666 less the process's umask. Read from
// /proc so that the umask is never changed, not even for a moment.
mode_t NewFileMode() {
  mode_t mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[128];
    while (std::fgets(line, sizeof line, status)) {
      unsigned value;
      if (std::sscanf(line, "Umask: %o", &value) == 1) {
        mask = static_cast<mode_t>(value);
        break;
      }
    }
    std::fclose(status);
  }
  return 0666 & ~mask;
}

// A symbolic link is followed so that the link stays and its target gets the content.
std::string ResolveTarget(const char* target) {
  char resolved[PATH_MAX];
  struct stat st {};
  if (::lstat(target, &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(target, resolved))
    return resolved;
  return target;
}

void SyncDirectoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

int32_t TSafeFileWriter::Open(const char* target) {
  Abandon();
  if (!target || !*target) return -3;
  try {
    Target_ = ResolveTarget(target);
    struct stat st {};
    Exists_ = ::stat(Target_.c_str(), &st) == 0;
    bool inPlace = false;
    if (Exists_) {
      if (!S_ISREG(st.st_mode)) return -3;
      // The same test a truncating create would make: permissions and sharing.
      int32_t probe = FileOpen(Target_.c_str(), TFileAccess::ReadWrite);
      if (probe < 0) return -3;
      FileClose(probe);
      Mode_ = st.st_mode & 07777;
      Owner_ = st.st_uid;
      Group_ = st.st_gid;
      inPlace = st.st_nlink > 1;
    }
    if (!inPlace) {
      std::string::size_type slash = Target_.rfind('/');
      std::string dir = slash == std::string::npos ? "" : Target_.substr(0, slash + 1);
      std::string base = slash == std::string::npos ? Target_ : Target_.substr(slash + 1);
      std::string temp = dir + "." + base + ".zktmp-XXXXXX";
      int fd = ::mkostemp(temp.data(), O_CLOEXEC);
      if (fd >= 0) {
        Temp_ = temp;
        Handle_ = fd;
        return 0;
      }
      if (errno != EACCES && errno != EROFS && errno != EPERM) return -3;
    }
    Handle_ = FileCreate(Target_.c_str());
    return Handle_ >= 0 ? 0 : -3;
  } catch (const std::bad_alloc&) {
    Abandon();
    return -3;
  }
}

int32_t TSafeFileWriter::Commit() {
  if (Handle_ < 0) return -4;
  if (Temp_.empty()) {
    bool ok = FileFlushToDisk(Handle_);
    ok = FileClose(Handle_) == 0 && ok;
    Handle_ = -1;
    return ok ? 0 : -4;
  }
  bool ok = true;
  if (Exists_) {
    // Owner first: changing the owner may clear set-id bits that the mode then restores.
    if (::fchown(Handle_, Owner_, Group_) != 0) { /* not ours to give away: keep ours */
    }
    ok = ::fchmod(Handle_, Mode_) == 0;
  } else {
    ok = ::fchmod(Handle_, NewFileMode()) == 0;
  }
  ok = FileFlushToDisk(Handle_) && ok;
  ok = FileClose(Handle_) == 0 && ok;
  Handle_ = -1;
  if (!ok || ::rename(Temp_.c_str(), Target_.c_str()) != 0) {
    ::unlink(Temp_.c_str());
    Temp_.clear();
    return -4;
  }
  Temp_.clear();
  SyncDirectoryOf(Target_);
  return 0;
}

void TSafeFileWriter::Abandon() {
  if (Handle_ >= 0) FileClose(Handle_);
  Handle_ = -1;
  if (!Temp_.empty()) ::unlink(Temp_.c_str());
  Temp_.clear();
}

}  // namespace platform
