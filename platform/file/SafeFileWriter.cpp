// The safe writer: new content through a locked temporary renamed into place, or in place behind
// a rescue copy where a rename cannot keep the file what it is.
#include "platform/file/SafeFileWriter.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

#include "platform/file/File.h"
#include "platform/file/SaveRescue.h"

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

// Where the new content of an in-place save collects until Commit: memory, so that a
// directory we may not write to is no obstacle.
int32_t CreateScratch() {
  int fd = ::memfd_create("zksave", MFD_CLOEXEC);
  if (fd >= 0) return fd;
  const std::string dir = RescueDirectory();
  return dir.empty() ? -1 : ::open(dir.c_str(), O_RDWR | O_TMPFILE | O_CLOEXEC, 0600);
}

// False when a file of `size` bytes would break the process's file-size limit.
bool WithinSizeLimit(int64_t size) {
  struct rlimit limit {};
  return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
         static_cast<uint64_t>(size) <= static_cast<uint64_t>(limit.rlim_cur);
}

}  // namespace

int32_t TSafeFileWriter::Open(const char* target) {
  Abandon();
  KeptCopy_.clear();
  if (!target || !*target) return -3;
  try {
    Target_ = ResolveTarget(target);
    struct stat st {};
    Exists_ = ::stat(Target_.c_str(), &st) == 0;
    InPlace_ = false;
    if (Exists_) {
      if (!S_ISREG(st.st_mode)) return -3;
      // The same test a truncating create would make: permissions and sharing.
      int32_t probe = FileOpen(Target_.c_str(), TFileAccess::ReadWrite);
      if (probe < 0) return -3;
      FileClose(probe);
      Mode_ = st.st_mode & 07777;
      Owner_ = st.st_uid;
      Group_ = st.st_gid;
      InPlace_ = st.st_nlink > 1;
    }
    std::string::size_type slash = Target_.rfind('/');
    std::string dir = slash == std::string::npos ? "" : Target_.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? Target_ : Target_.substr(slash + 1);
    RemoveStaleTemps(dir.empty() ? "" : dir == "/" ? dir : dir.substr(0, dir.size() - 1));
    if (!InPlace_) {
      std::string temp = dir + "." + base + ".zktmp-XXXXXX";
      int fd = -1;
      if (SafeWriteHooks().NoTempBesideTarget) {
        errno = EACCES;
      } else {
        fd = CreateLockedTemp(temp);
      }
      if (fd >= 0) {
        Temp_ = temp;
        Handle_ = fd;
        return 0;
      }
      if (errno != EACCES && errno != EROFS && errno != EPERM) return -3;
      // Nothing can be created beside the target: a new file cannot be made at all, an
      // existing one is written in place.
      if (!Exists_ && !SafeWriteHooks().NoTempBesideTarget) return -3;
      InPlace_ = true;
    }
    Handle_ = CreateScratch();
    return Handle_ >= 0 ? 0 : -3;
  } catch (const std::bad_alloc&) {
    Abandon();
    return -3;
  }
}

int32_t TSafeFileWriter::Commit() {
  if (Handle_ < 0) return -4;
  int32_t result = InPlace_ ? CommitInPlace() : CommitRename();
  Abandon();
  return result;
}

int32_t TSafeFileWriter::CommitRename() {
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
  SafeWriteStep();
  // Renamed while still open: the lock keeps cleaners away until the name is the target's.
  if (!ok || ::rename(Temp_.c_str(), Target_.c_str()) != 0) return -4;
  Temp_.clear();
  SafeWriteStep();
  SyncDirectoryOf(Target_);
  return 0;
}

int32_t TSafeFileWriter::CommitInPlace() {
  struct stat scratch {};
  if (::fstat(Handle_, &scratch) != 0) return -4;
  const int64_t newSize = scratch.st_size;
  // A file-size limit would stop the write part way: refuse before any byte is written.
  if (!WithinSizeLimit(newSize)) return -4;
  int32_t target = Exists_ ? FileOpen(Target_.c_str(), TFileAccess::ReadWrite)
                           : FileCreate(Target_.c_str());
  if (target < 0) return -4;
  struct stat st {};
  if (::fstat(target, &st) != 0) {
    FileClose(target);
    return -4;
  }
  const int64_t oldSize = st.st_size;
  SafeWriteStep();

  // A complete copy of the old content first; without one a failure or a kill in the
  // middle could not be undone, so the save is refused.
  TRescueCopy rescue;
  if (Exists_ && !rescue.Make(Target_, target, oldSize)) {
    FileClose(target);
    return -4;
  }
  SafeWriteStep();

  // Reserve the new size so that a full disk shows before anything is overwritten. The
  // size stays as it is; file systems without reservation go on (the copy protects).
  if (newSize > oldSize &&
      ::fallocate(target, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(newSize)) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    rescue.Drop();
    FileClose(target);
    return -4;
  }
  SafeWriteStep();

  // The new content, then the length: never shorter before the new content is in.
  bool ok = CopyContent(Handle_, target, newSize) &&
            (newSize >= oldSize || FileTruncate(target, newSize)) && FileFlushToDisk(target);
  SafeWriteStep();
  if (!ok && Exists_) {
    bool restored = CopyContent(rescue.Handle(), target, oldSize) &&
                    FileTruncate(target, oldSize) && FileFlushToDisk(target);
    if (restored) {
      rescue.Drop();
    } else {
      KeptCopy_ = rescue.Path();
      rescue.Close();
    }
  } else {
    rescue.Drop();
  }
  FileClose(target);
  return ok ? 0 : -4;
}

void TSafeFileWriter::Abandon() {
  // Removed before the close: the lock guards the name until it is gone.
  if (!Temp_.empty()) ::unlink(Temp_.c_str());
  Temp_.clear();
  if (Handle_ >= 0) FileClose(Handle_);
  Handle_ = -1;
}

int32_t ReplaceFileContent(const char* target, std::string_view bytes) {
  TSafeFileWriter writer;
  if (int32_t status = writer.Open(target); status != 0) return status;
  size_t done = 0;
  while (done < bytes.size()) {
    int32_t chunk = static_cast<int32_t>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (FileWrite(writer.Handle(), bytes.data() + done, chunk) != chunk) return -4;
    done += static_cast<size_t>(chunk);
  }
  return writer.Commit();
}

}  // namespace platform
